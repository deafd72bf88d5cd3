#include "KeyCodes.h"

#include <QKeyEvent>

#include <QChar>

#include <array>
#include <string_view>
#include <utility>

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
    {Qt::Key_Shift, Qt::Key_Shift, vk::kShift},
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

// The US layout's letter rows, by the XKB keycode of their first key (its Linux input code plus 8).
constexpr std::array<std::pair<std::uint32_t, std::string_view>, 3> kLetterRows = {{
    {24, "QWERTYUIOP"},
    {38, "ASDFGHJKL"},
    {52, "ZXCVBNM"},
}};

// Only a letter of another script looks to the key's position: on a Latin layout the letter itself
// names the key (AZERTY's M is the M, and its comma on the US M's place stays a comma).
bool isNonLatinLetter(int qtKey) {
    // Qt's named keys lie above Unicode.
    if (qtKey <= 0 || qtKey > 0x10FFFF)
        return false;
    const auto letter = static_cast<char32_t>(qtKey);
    return QChar::isLetter(letter) && QChar::script(letter) != QChar::Script_Latin;
}
} // namespace

std::int16_t virtualKeyCode(int qtKey) {
    for (const KeyRun& run : kKeyRuns)
        if (qtKey >= run.firstQtKey && qtKey <= run.lastQtKey)
            return static_cast<std::int16_t>(run.firstCode + (qtKey - run.firstQtKey));
    return 0;
}

std::int16_t letterAtKeyPosition(std::uint32_t nativeScanCode) {
    for (const auto& [first, letters] : kLetterRows)
        if (nativeScanCode >= first && nativeScanCode - first < letters.size())
            return static_cast<std::int16_t>(letters[nativeScanCode - first]);
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
    std::int16_t code = virtualKeyCode(event.key());
    if (code == 0 && isNonLatinLetter(event.key()))
        code = letterAtKeyPosition(event.nativeScanCode());
    return {code, shiftWord(event.modifiers()), event.isAutoRepeat()};
}

bool KeysDown::repeats(const QKeyEvent& event) {
    if (event.isAutoRepeat())
        return true;
    // Events made inside the program may carry no scan code; their key tells them apart.
    const std::uint32_t key = event.nativeScanCode() != 0
                                  ? event.nativeScanCode()
                                  : kNoScanCode | static_cast<std::uint32_t>(event.key());
    if (event.type() == QEvent::KeyRelease) {
        m_downSince.erase(key);
        return false;
    }
    const auto [down, isNew] = m_downSince.try_emplace(key, event.timestamp());
    return !isNew && down->second != event.timestamp();
}
