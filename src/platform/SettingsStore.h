#pragma once
// The per-user store of text values, addressed by a key path with
// backslash-separated parts and a value name. Reads never fail loudly; a missing value, or one
// that is not a plain text, reads as nothing.

#include <QString>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

class QSettings;

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::optional<std::string> readText(std::string_view keyPath, std::string_view valueName) = 0;
    virtual void writeText(std::string_view keyPath, std::string_view valueName, std::string_view text) = 0;
};

// QSettings underneath: the user's own settings file, or a file of the caller's choosing.
class QtSettingsStore final : public SettingsStore {
public:
    QtSettingsStore(); // the per-user file of this application
    explicit QtSettingsStore(const QString& filePath);
    ~QtSettingsStore() override;

    std::optional<std::string> readText(std::string_view keyPath, std::string_view valueName) override;
    void writeText(std::string_view keyPath, std::string_view valueName, std::string_view text) override;
    void sync();

private:
    std::unique_ptr<QSettings> m_settings;
};
