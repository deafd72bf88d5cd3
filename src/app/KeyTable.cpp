#include "KeyTable.h"

#include "platform/KeyCodes.h"

namespace {
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

bool keyMatches(const KeyBinding& key, KeyEdge edge, std::int16_t keyCode, bool ctrlHeld, bool altHeld,
                KeyControl control) {
    return key.edge == edge && key.keyCode == keyCode && heldMatches(key.held, ctrlHeld, altHeld) &&
           placeMatches(key.place, control);
}

HeldChange heldChange(KeyEdge edge, std::int16_t keyCode) {
    if (keyCode == vk::kCtrl)
        return edge == KeyEdge::Down ? HeldChange::HoldCtrl : HeldChange::ReleaseCtrl;
    if (keyCode == vk::kAlt)
        return edge == KeyEdge::Down ? HeldChange::HoldAlt : HeldChange::ReleaseAlt;
    return HeldChange::None;
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
