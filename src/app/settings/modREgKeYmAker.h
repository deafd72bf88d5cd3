#pragma once
// Text values in the per-user settings store, addressed by root key, key path and value name.
// Neither operation ever reports a failure: a value that cannot be read reads as nothing.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class SettingsStore;

inline constexpr std::int32_t kHkeyCurrentUser = static_cast<std::int32_t>(0x80000001u);

class modREgKeYmAker {
public:
    explicit modREgKeYmAker(SettingsStore& store) : m_store(store) {}

    // Nothing when the value is missing, not a text, or the root key is not the user's.
    std::optional<std::string> GetRegString(std::int32_t rootKey, std::string_view keyPath,
                                            std::string_view valueName);
    void SaveRegString(std::int32_t rootKey, std::string_view keyPath, std::string_view valueName,
                       std::string_view text);

    // The part before the first NUL, or the whole text when it holds none.
    static std::string StripNulls(std::string_view text);

private:
    SettingsStore& m_store;
};
