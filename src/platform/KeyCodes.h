#pragma once
// Keys as the key handlers take them: the 16-bit virtual-key code of the key and the shift-state
// word (1 Shift, 2 Ctrl, 4 Alt, added together). One table maps Qt's keys onto the codes; a letter
// of a non-Latin layout (Russian, Greek) takes the code of the Latin letter on the same physical
// key, as desktop applications do for their Ctrl shortcuts.

#include <Qt>

#include <cstdint>
#include <map>

class QKeyEvent;

namespace vk {
inline constexpr std::int16_t kEnter = 13;
inline constexpr std::int16_t kShift = 16;
inline constexpr std::int16_t kCtrl = 17;
inline constexpr std::int16_t kAlt = 18;
inline constexpr std::int16_t kEscape = 27;
inline constexpr std::int16_t kPageUp = 33;
inline constexpr std::int16_t kPageDown = 34;
inline constexpr std::int16_t kEnd = 35;
inline constexpr std::int16_t kHome = 36;
inline constexpr std::int16_t kLeft = 37;
inline constexpr std::int16_t kUp = 38;
inline constexpr std::int16_t kRight = 39;
inline constexpr std::int16_t kDown = 40;
inline constexpr std::int16_t kInsert = 45;
inline constexpr std::int16_t kDelete = 46;
inline constexpr std::int16_t kE = 69;
inline constexpr std::int16_t kM = 77;
inline constexpr std::int16_t kO = 79;
inline constexpr std::int16_t kS = 83;
inline constexpr std::int16_t kF1 = 112;
inline constexpr std::int16_t kF2 = 113;
inline constexpr std::int16_t kF3 = 114;
inline constexpr std::int16_t kF4 = 115;
inline constexpr std::int16_t kF5 = 116;
inline constexpr std::int16_t kF6 = 117;
inline constexpr std::int16_t kF7 = 118;
inline constexpr std::int16_t kF8 = 119;
} // namespace vk

inline constexpr std::int16_t kShiftBit = 1;
inline constexpr std::int16_t kCtrlBit = 2;
inline constexpr std::int16_t kAltBit = 4;

// 0 for a key that has no code here.
std::int16_t virtualKeyCode(int qtKey);
// The code of the letter that the US layout puts on the key with this XKB keycode (the native scan
// code Qt reports on X11 and Wayland), or 0 where it puts none.
std::int16_t letterAtKeyPosition(std::uint32_t nativeScanCode);
std::int16_t shiftWord(Qt::KeyboardModifiers modifiers);

struct KeyStroke {
    std::int16_t keyCode = 0;
    std::int16_t shift = 0;
    // A repeat of a held key, press or release, as opposed to the key going down or up.
    bool repeat = false;
};
KeyStroke keyStroke(const QKeyEvent& event);

// The keys seen down, to tell a held key's repeats from new presses whatever the window system
// marks: X may repeat a key as presses alone (each unmarked), and Qt marks a repeat's release and
// press only when both have arrived. One key event may pass several watched controls: it counts once.
class KeysDown {
public:
    // True when the event repeats a key already down; otherwise it records the key going down or up.
    bool repeats(const QKeyEvent& event);
    // The keyboard went to another window, which gets the releases of the keys down now.
    void forget() { m_downSince.clear(); }

private:
    static constexpr std::uint32_t kNoScanCode = 0x80000000;
    std::map<std::uint32_t, std::uint64_t> m_downSince; // native scan code, time of its press
};
