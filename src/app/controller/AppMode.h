#pragma once
// What the application is doing, as the mode line shows it. Every test of the mode compares the
// whole value, so the texts live here once.

#include <optional>
#include <string_view>

enum class AppMode {
    Initializing,
    Initialized,
    LoadStorybook,
    NothingLoaded,
    ViewStorybook,
    EditStorybook,
    StorybookSaved,
    SaveError,
    RelocatePage,
    DiscardModifications,
    LoadSnapshot,
    ReplaceSnapshot,
    InsertSnapshot,
    InsertBeginning,
    InsertEnd,
    SaveXml,
    ExportHtml,
    ReverseStorybook,
    Exit,
};

// The mode line's text for the mode.
std::string_view modeText(AppMode mode);
// The mode whose text this is exactly, if any.
std::optional<AppMode> modeNamed(std::string_view text);
