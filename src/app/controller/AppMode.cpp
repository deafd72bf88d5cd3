#include "AppMode.h"

#include <array>
#include <utility>

namespace {
constexpr std::array<std::pair<AppMode, std::string_view>, 19> kTexts = {{
    {AppMode::Initializing, "Initializing"},
    {AppMode::Initialized, "Initialized"},
    {AppMode::LoadStorybook, "Load Storybook"},
    {AppMode::NothingLoaded, "Nothing Loaded"},
    {AppMode::ViewStorybook, "View Storybook"},
    {AppMode::EditStorybook, "Edit Storybook"},
    {AppMode::StorybookSaved, "Storybook Saved"},
    {AppMode::SaveError, "Save Error"},
    {AppMode::RelocatePage, "Relocate Page"},
    {AppMode::DiscardModifications, "Discard Modifications"},
    {AppMode::LoadSnapshot, "Load Snapshot"},
    {AppMode::ReplaceSnapshot, "Replace Snapshot"},
    {AppMode::InsertSnapshot, "Insert Snapshot"},
    {AppMode::InsertBeginning, "Insert Beginning"},
    {AppMode::InsertEnd, "Insert End"},
    {AppMode::SaveXml, "Save XML"},
    {AppMode::ExportHtml, "Export HTML"},
    {AppMode::ReverseStorybook, "Reverse Storybook"},
    {AppMode::Exit, "Exit"},
}};
} // namespace

std::string_view modeText(AppMode mode) {
    return kTexts[static_cast<std::size_t>(mode)].second;
}

std::optional<AppMode> modeNamed(std::string_view text) {
    for (const auto& [mode, modeName] : kTexts)
        if (modeName == text)
            return mode;
    return std::nullopt;
}
