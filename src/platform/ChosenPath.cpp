#include "ChosenPath.h"

#include "QtText.h"
#include "document/FileSystem.h"

#include <QStringList>

#include <optional>

namespace {

bool named(const std::string& path) {
    return files::lookUp(path, files::Links::Keep).kind != files::Kind::Missing;
}

// The one entry of folder that Qt reads as part; nothing when none does or several do.
std::optional<std::string> onlyEntryReadAs(const std::string& folder, const QString& part) {
    std::optional<std::string> found;
    int matches = 0;
    files::listFolder(
        folder, [](std::string_view) { return false; },
        [&](std::string_view name, const files::Entry&) {
            if (qText(name) == part && ++matches == 1)
                found = std::string(name);
            return matches < 2;
        });
    return matches == 1 ? found : std::nullopt;
}

std::string utf8(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

} // namespace

std::string chosenPathOnDisk(const QString& chosen) {
    const std::string given = utf8(chosen);
    if (!chosen.contains(QChar::ReplacementCharacter) || named(given))
        return given;
    // An absolute path's first part is empty: the walk starts at the root.
    const QStringList parts = chosen.split(QLatin1Char('/'));
    std::string path = utf8(parts.front());
    for (qsizetype i = 1; i < parts.size(); ++i) {
        const std::string folder = path.empty() ? std::string("/") : path;
        std::string next = path + "/" + utf8(parts[i]);
        if (parts[i].contains(QChar::ReplacementCharacter) && !named(next)) {
            const std::optional<std::string> entry = onlyEntryReadAs(folder, parts[i]);
            if (!entry)
                return given;
            next = path + "/" + *entry;
        }
        path = std::move(next);
    }
    return path;
}
