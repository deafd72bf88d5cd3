#include "KeyTable.h"

#include "platform/KeyCodes.h"

namespace {
using Kind = KeyStep::Kind;

KeyStep run(Command command, KeyMode mode = KeyMode::Any) {
    return {Kind::Command, command, 0, mode};
}
KeyStep press(int button, KeyMode mode) {
    return {Kind::PressNavButton, Command::EmptyProcedure, button, mode};
}
KeyStep scroll(int lines) {
    return {Kind::ScrollText, Command::EmptyProcedure, lines, KeyMode::ViewingOrRelocating};
}
KeyStep flag(Kind kind) {
    return {kind, Command::EmptyProcedure, 0, KeyMode::Any};
}

// Key-up commands forget both held flags afterwards.
KeyRow up(std::int16_t key, HeldKeys held, std::vector<KeyStep> steps) {
    steps.push_back(flag(Kind::ReleaseBoth));
    return {KeyEdge::Up, key, held, KeyPlace::Any, std::move(steps)};
}
KeyRow down(std::int16_t key, HeldKeys held, KeyPlace place, std::vector<KeyStep> steps) {
    return {KeyEdge::Down, key, held, place, std::move(steps)};
}

constexpr auto kPageKeys = KeyMode::ViewingOrRelocating;

std::vector<KeyRow> buildTable() {
    using H = HeldKeys;
    using P = KeyPlace;
    return {
        down(vk::kCtrl, H::Any, P::Any, {flag(Kind::HoldCtrl)}),
        down(vk::kAlt, H::Any, P::Any, {flag(Kind::HoldAlt)}),
        // Dropping a moved page returns to viewing, so Enter then also shows the following page.
        down(vk::kEnter, H::NoCtrlNoAlt, P::Any,
             {run(Command::DropRelocatedPage, KeyMode::Relocating), press(3, KeyMode::Viewing)}),
        down(vk::kEscape, H::Any, P::PictureOrNavButton, {run(Command::ExitApplicationConfirmed)}),
        down(vk::kPageUp, H::Any, P::Any, {press(1, kPageKeys)}),
        down(vk::kPageDown, H::Any, P::Any, {press(4, kPageKeys)}),
        down(vk::kEnd, H::Any, P::Any, {press(5, kPageKeys)}),
        down(vk::kHome, H::Any, P::Any, {press(2, kPageKeys)}),
        down(vk::kLeft, H::Any, P::Any, {press(0, kPageKeys)}),
        down(vk::kRight, H::Any, P::Any, {press(3, kPageKeys)}),
        down(vk::kUp, H::Any, P::Any, {scroll(-1)}),
        down(vk::kDown, H::Any, P::Any, {scroll(1)}),
        down(vk::kInsert, H::Any, P::Picture, {run(Command::ShowSnapshotBrowser, KeyMode::Viewing)}),
        down(vk::kDelete, H::Any, P::Picture, {run(Command::ConfirmDeletePage, KeyMode::Viewing)}),
        down(vk::kF1, H::NoCtrl, P::Any, {run(Command::ShowAboutBox)}),
        down(vk::kF2, H::NoCtrl, P::Any, {run(Command::OpenStorybook)}),
        down(vk::kF3, H::NoCtrl, P::Any, {run(Command::SaveStorybook)}),
        down(vk::kF4, H::NoCtrlNoAlt, P::Any, {run(Command::SaveStorybookAs)}),
        down(vk::kF5, H::NoCtrl, P::Any, {run(Command::ToggleEditMode)}),
        down(vk::kF6, H::NoCtrl, P::Any, {run(Command::ShowSnapshotBrowser)}),
        down(vk::kF7, H::NoCtrl, P::Any, {run(Command::ToggleToolButtons)}),
        down(vk::kF8, H::NoCtrl, P::Any, {run(Command::ExitApplicationConfirmed)}),

        {KeyEdge::Up, vk::kCtrl, H::Any, P::Any, {flag(Kind::ReleaseCtrl)}},
        {KeyEdge::Up, vk::kAlt, H::Any, P::Any, {flag(Kind::ReleaseAlt)}},
        up(vk::kEnter, H::CtrlOrAlt, {run(Command::ToggleFullScreen)}),
        up(vk::kE, H::Ctrl, {run(Command::ToggleEditMode)}),
        up(vk::kM, H::Ctrl, {run(Command::ToggleEditMode), run(Command::BeginRelocatePage)}),
        up(vk::kO, H::Ctrl, {run(Command::OpenStorybook)}),
        up(vk::kS, H::Ctrl, {run(Command::SaveStorybook)}),
        up(vk::kF1, H::Ctrl, {run(Command::DoPluginImageInfo)}),
        up(vk::kF2, H::Ctrl, {run(Command::EmptyProcedure)}),
        up(vk::kF4, H::Alt, {run(Command::ExitApplicationConfirmed)}),
    };
}

bool heldMatches(HeldKeys held, bool ctrl, bool alt) {
    switch (held) {
    case HeldKeys::Any:
        return true;
    case HeldKeys::NoCtrl:
        return !ctrl;
    case HeldKeys::NoCtrlNoAlt:
        return !ctrl && !alt;
    case HeldKeys::Ctrl:
        return ctrl;
    case HeldKeys::Alt:
        return alt;
    case HeldKeys::CtrlOrAlt:
        return ctrl || alt;
    }
    return false;
}

bool placeMatches(KeyPlace place, KeyControl control) {
    switch (place) {
    case KeyPlace::Any:
        return true;
    case KeyPlace::PictureOrNavButton:
        return control != KeyControl::TextBox;
    case KeyPlace::Picture:
        return control == KeyControl::Picture;
    }
    return false;
}
} // namespace

const std::vector<KeyRow>& keyTable() {
    static const std::vector<KeyRow> table = buildTable();
    return table;
}

std::vector<KeyStep> keySteps(KeyEdge edge, std::int16_t keyCode, bool ctrlHeld, bool altHeld,
                              KeyControl control) {
    for (const KeyRow& row : keyTable())
        if (row.edge == edge && row.keyCode == keyCode)
            return heldMatches(row.held, ctrlHeld, altHeld) && placeMatches(row.place, control)
                       ? row.steps
                       : std::vector<KeyStep>{};
    return {};
}

std::int16_t HeldAtKeyDown::shiftFor(KeyEdge edge, const KeyStroke& stroke) {
    const bool modifierKey =
        stroke.keyCode == vk::kShift || stroke.keyCode == vk::kCtrl || stroke.keyCode == vk::kAlt;
    if (edge == KeyEdge::Down) {
        if (!stroke.repeat && !modifierKey)
            m_shiftAtDown[stroke.keyCode] = stroke.shift;
        return stroke.shift;
    }
    const auto found = m_shiftAtDown.find(stroke.keyCode);
    if (found == m_shiftAtDown.end())
        return stroke.shift;
    const std::int16_t atDown = found->second;
    if (!stroke.repeat)
        m_shiftAtDown.erase(found);
    return atDown;
}
