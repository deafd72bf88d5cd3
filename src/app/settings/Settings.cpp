#include "Settings.h"

#include "AppState.h"
#include "AppVersion.h"
#include "document/TextUtil.h"
#include "modREgKeYmAker.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {
const char* trueFalse(bool value) {
    return value ? "True" : "False";
}
} // namespace

std::optional<std::int32_t> ParseRunsCounter(std::string_view text) {
    text = trimBlanks(text);
    if (text.empty())
        return std::nullopt;
    if (text.front() == '+')
        text.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    const double floored = std::floor(value);
    if (floored < std::numeric_limits<std::int32_t>::min() ||
        floored > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(floored);
}

std::int32_t NextRunsCounter(std::int32_t runs) {
    return runs == std::numeric_limits<std::int32_t>::max() ? runs : runs + 1;
}

void LoadStoredSettings(AppState& state) {
    modREgKeYmAker registry(state.settingsStore());
    const auto read = [&](const char* name) {
        return registry.GetRegString(kHkeyCurrentUser, kSettingsKeyPath, name).value_or(std::string());
    };

    state.settings.strMyDocuments = state.environment().documentsFolder;

    const std::string defaultPath = read("DefaultStorybookPath");
    state.settings.strDefaultStorybookPath =
        defaultPath.empty() ? state.settings.strMyDocuments + "/EA Games/The Sims 2/Storytelling"
                            : defaultPath;

    state.settings.blnSetDefaultToLastUsedPath = read("SetDefaultToLastUsedPath") == "True";

    const std::string cacheWarning = read("LoadImageCacheWarning");
    state.settings.strLoadImageCacheWarning = cacheWarning.empty() ? "True" : cacheWarning;
    state.settings.blnLoadImageCacheWarning = state.settings.strLoadImageCacheWarning == "True";

    const std::string sortByDate = read("LoadImageSortByDate");
    state.settings.blnLoadImageSortByDate = sortByDate.empty() || sortByDate != "False";

    const std::string storedVersion = read("ApplicationVersion");
    state.settings.lngRunsForThisVersion = 0;
    if (!storedVersion.empty() && trimBlanks(storedVersion) == versionText(state.settings.strReleaseNote))
        state.settings.lngRunsForThisVersion = ParseRunsCounter(read("RunsForThisVersion")).value_or(0);
}

void SaveSettings(AppState& state) {
    if (state.settings.blnSetDefaultToLastUsedPath)
        state.settings.strDefaultStorybookPath = state.settings.strLastUsedPath;
    const std::string setDefault = trueFalse(state.settings.blnSetDefaultToLastUsedPath);
    const std::string sortByDate = trueFalse(state.settings.blnLoadImageSortByDate);
    const std::string title = kApplicationTitle;
    const std::string version = versionText(state.settings.strReleaseNote);

    modREgKeYmAker registry(state.settingsStore());
    const auto write = [&](const char* name, const std::string& text) {
        registry.SaveRegString(kHkeyCurrentUser, kSettingsKeyPath, name, text);
    };
    write("ApplicationName", "Brindlecove");
    write("ApplicationTitle", title);
    write("ApplicationVersion", version);
    write("DefaultStorybookPath", state.settings.strDefaultStorybookPath);
    write("SetDefaultToLastUsedPath", setDefault);
    write("LoadImageCacheWarning", state.settings.strLoadImageCacheWarning);
    write("LoadImageSortByDate", sortByDate);
    write("CreateBackupOnSave", "True");
    write("RunsForThisVersion", std::to_string(NextRunsCounter(state.settings.lngRunsForThisVersion)));
}
