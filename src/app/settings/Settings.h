#pragma once
// The nine stored settings: read once at start-up into the shared state, written once at exit.
// Unreadable values fall back to their defaults; nothing is ever reported.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class AppState;

inline constexpr const char* kSettingsKeyPath = "Software\\Halvergate Software\\Brindlecove";

// Reads the stored values into the state (the viewer state is the main window's to reset).
void LoadStoredSettings(AppState& state);
void SaveSettings(AppState& state);

// The stored runs counter as a number rounded down; nothing for a text that is not a number or
// does not fit a signed 32-bit integer.
std::optional<std::int32_t> ParseRunsCounter(std::string_view text);
// The counter one higher, held at the largest value rather than wrapping round.
std::int32_t NextRunsCounter(std::int32_t runs);
