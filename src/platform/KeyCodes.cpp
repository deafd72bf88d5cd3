#include "KeyCodes.h"

#include <QKeyEvent>

#include <array>

namespace {
// A run of Qt keys mapped onto a run of codes of the same length; single keys are runs of one.
struct KeyRun {
    int firstQtKey;
    int lastQtKey;
    std::int16_t firstCode;
};

constexpr std::array<KeyRun, 27> kKeyRuns = {{
    {Qt::Key_Backspace, Qt::Key_Backspace, 8},
    {Qt::Key_Tab, Qt::Key_Tab, 9},
    {Qt::Key_Backtab, Qt::Key_Backtab, 9},
    {Qt::Key_Return, Qt::Key_Return, vk::kEnter},
    {Qt::Key_Enter, Qt::Key_Enter, vk::kEnter},
    {Qt::Key_Shift, Qt::Key_Shift, 16},
    {Qt::Key_Control, Qt::Key_Control, vk::kCtrl},
    {Qt::Key_Alt, Qt::Key_Alt, vk::kAlt},
    {Qt::Key_Pause, Qt::Key_Pause, 19},
    {Qt::Key_CapsLock, Qt::Key_CapsLock, 20},
    {Qt::Key_Escape, Qt::Key_Escape, vk::kEscape},
    {Qt::Key_Space, Qt::Key_Space, 32},
    {Qt::Key_PageUp, Qt::Key_PageUp, vk::kPageUp},
    {Qt::Key_PageDown, Qt::Key_PageDown, vk::kPageDown},
    {Qt::Key_End, Qt::Key_End, vk::kEnd},
    {Qt::Key_Home, Qt::Key_Home, vk::kHome},
    {Qt::Key_Left, Qt::Key_Left, vk::kLeft},
    {Qt::Key_Up, Qt::Key_Up, vk::kUp},
    {Qt::Key_Right, Qt::Key_Right, vk::kRight},
    {Qt::Key_Down, Qt::Key_Down, vk::kDown},
    {Qt::Key_Print, Qt::Key_Print, 44},
    {Qt::Key_Insert, Qt::Key_Insert, vk::kInsert},
    {Qt::Key_Delete, Qt::Key_Delete, vk::kDelete},
    {Qt::Key_0, Qt::Key_9, 48},
    {Qt::Key_A, Qt::Key_Z, 65},
    {Qt::Key_F1, Qt::Key_F24, vk::kF1},
    {Qt::Key_NumLock, Qt::Key_NumLock, 144},
}};
} // namespace

std::int16_t virtualKeyCode(int qtKey) {
    for (const KeyRun& run : kKeyRuns)
        if (qtKey >= run.firstQtKey && qtKey <= run.lastQtKey)
            return static_cast<std::int16_t>(run.firstCode + (qtKey - run.firstQtKey));
    return 0;
}

std::int16_t shiftWord(Qt::KeyboardModifiers modifiers) {
    std::int16_t word = 0;
    if (modifiers & Qt::ShiftModifier)
        word |= kShiftBit;
    if (modifiers & Qt::ControlModifier)
        word |= kCtrlBit;
    if (modifiers & Qt::AltModifier)
        word |= kAltBit;
    return word;
}

KeyStroke keyStroke(const QKeyEvent& event) {
    return {virtualKeyCode(event.key()), shiftWord(event.modifiers()), event.isAutoRepeat()};
}
