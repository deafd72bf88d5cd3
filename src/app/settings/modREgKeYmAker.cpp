#include "modREgKeYmAker.h"

#include "platform/SettingsStore.h"

std::string modREgKeYmAker::StripNulls(std::string_view text) {
    const auto nul = text.find('\0');
    return std::string(nul == std::string_view::npos ? text : text.substr(0, nul));
}

std::optional<std::string> modREgKeYmAker::GetRegString(std::int32_t rootKey, std::string_view keyPath,
                                                        std::string_view valueName) {
    if (rootKey != kHkeyCurrentUser)
        return std::nullopt;
    const std::optional<std::string> stored = m_store.readText(keyPath, valueName);
    if (!stored)
        return std::nullopt;
    return StripNulls(*stored);
}

void modREgKeYmAker::SaveRegString(std::int32_t rootKey, std::string_view keyPath, std::string_view valueName,
                                   std::string_view text) {
    if (rootKey != kHkeyCurrentUser)
        return;
    m_store.writeText(keyPath, valueName, text);
}
