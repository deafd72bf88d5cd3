#pragma once
// The application's name and version, and the texts built from them.

#include <cstdint>
#include <string>

inline constexpr const char* kApplicationTitle = "Brindlecove";
inline constexpr std::int16_t kVersionMajor = 0;
inline constexpr std::int16_t kVersionMinor = 8;
inline constexpr std::int16_t kVersionRevision = 0;
inline constexpr const char* kReleaseNote = " - official alpha release.";

// "0.8.0"
inline std::string versionNumbers() {
    return std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "." +
           std::to_string(kVersionRevision);
}

// "Version 0.8.0 - official alpha release." with the release note given.
inline std::string versionText(const std::string& releaseNote) {
    return "Version " + versionNumbers() + releaseNote;
}

// Neutral credits of our own for the start screen and the about box.
inline constexpr const char* kAuthorName = "the Brindlecove contributors";
inline constexpr const char* kMakerWebAddress = "brindlecove.example.org";
inline constexpr const char* kHomePageAddress = "https://brindlecove.example.org/";
