#pragma once
// Texts cross into Qt as UTF-8: the album's bytes are shown and typed as UTF-8.

#include <QString>

#include <string>
#include <string_view>

inline QString qText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string toUtf8(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}
