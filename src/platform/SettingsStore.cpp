#include "SettingsStore.h"

#include "QtText.h"

#include <QSettings>

namespace {
QString keyFor(std::string_view keyPath, std::string_view valueName) {
    QString key = qText(keyPath);
    key.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return key + QLatin1Char('/') + qText(valueName);
}
} // namespace

QtSettingsStore::QtSettingsStore()
    : m_settings(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                             QStringLiteral("Halvergate Software"),
                                             QStringLiteral("Brindlecove"))) {}

QtSettingsStore::QtSettingsStore(const QString& filePath)
    : m_settings(std::make_unique<QSettings>(filePath, QSettings::IniFormat)) {}

QtSettingsStore::~QtSettingsStore() = default;

std::optional<std::string> QtSettingsStore::readText(std::string_view keyPath, std::string_view valueName) {
    const QVariant value = m_settings->value(keyFor(keyPath, valueName));
    if (value.typeId() != QMetaType::QString)
        return std::nullopt;
    const QByteArray bytes = value.toString().toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

void QtSettingsStore::writeText(std::string_view keyPath, std::string_view valueName, std::string_view text) {
    m_settings->setValue(keyFor(keyPath, valueName), qText(text));
}

void QtSettingsStore::sync() {
    m_settings->sync();
}
