#pragma once
// The mode texts the document reports to its host. Every test of a mode compares the whole text
// exactly, so the texts live here once and callers name them.

#include <string_view>

namespace modes {
inline constexpr std::string_view kInitializing = "Initializing";
inline constexpr std::string_view kInitialized = "Initialized";
inline constexpr std::string_view kLoadStorybook = "Load Storybook";
inline constexpr std::string_view kNothingLoaded = "Nothing Loaded";
inline constexpr std::string_view kViewStorybook = "View Storybook";
inline constexpr std::string_view kEditStorybook = "Edit Storybook";
inline constexpr std::string_view kStorybookSaved = "Storybook Saved";
inline constexpr std::string_view kSaveError = "Save Error";
inline constexpr std::string_view kRelocatePage = "Relocate Page";
inline constexpr std::string_view kDiscardModifications = "Discard Modifications";
inline constexpr std::string_view kLoadSnapshot = "Load Snapshot";
inline constexpr std::string_view kReplaceSnapshot = "Replace Snapshot";
inline constexpr std::string_view kInsertSnapshot = "Insert Snapshot";
inline constexpr std::string_view kInsertBeginning = "Insert Beginning";
inline constexpr std::string_view kInsertEnd = "Insert End";
inline constexpr std::string_view kSaveXml = "Save XML";
inline constexpr std::string_view kExportHtml = "Export HTML";
inline constexpr std::string_view kReverseStorybook = "Reverse Storybook";
inline constexpr std::string_view kExit = "Exit";
} // namespace modes
