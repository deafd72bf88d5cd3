#include "platform/KeyCodes.h"

#include <QKeyEvent>

#include <gtest/gtest.h>

#include <map>

// The handlers compare key codes with the letters and digits themselves and with the vk constants.
TEST(KeyCodesTest, EachKeyReachesTheCodeTheHandlersCompareWith) {
    for (int key = Qt::Key_0; key <= Qt::Key_9; ++key)
        EXPECT_EQ(virtualKeyCode(key), key) << "digit " << char(key);
    for (int key = Qt::Key_A; key <= Qt::Key_Z; ++key)
        EXPECT_EQ(virtualKeyCode(key), key) << "letter " << char(key);
    for (int n = 0; n < 8; ++n)
        EXPECT_EQ(virtualKeyCode(Qt::Key_F1 + n), vk::kF1 + n) << "F" << n + 1;

    EXPECT_EQ(virtualKeyCode(Qt::Key_Enter), virtualKeyCode(Qt::Key_Return))
        << "the keypad's Enter is Return";
    for (const int key : {int(Qt::Key_AltGr), int(Qt::Key_Meta), int(Qt::Key_unknown), 0x42B})
        EXPECT_EQ(virtualKeyCode(key), 0) << std::hex << key << " runs no command";
}

// Two keys on one code would run one command for both; only the keypad's Enter is meant to be Return
// and Shift+Tab to be Tab.
TEST(KeyCodesTest, NoTwoKeysShareACode) {
    std::map<std::int16_t, int> keyOf;
    for (const auto& [first, last] :
         {std::pair{0x20, 0x7E}, std::pair{int(Qt::Key_Escape), int(Qt::Key_Launch0)}})
        for (int key = first; key <= last; ++key) {
            const std::int16_t code = virtualKeyCode(key);
            if (code == 0 || key == Qt::Key_Enter || key == Qt::Key_Backtab)
                continue;
            const auto [earlier, added] = keyOf.emplace(code, key);
            EXPECT_TRUE(added) << std::hex << key << " and " << earlier->second << " give " << std::dec
                               << code;
        }
}

TEST(KeyCodesTest, StrokeCarriesShiftWordAndRepeat) {
    const QKeyEvent repeated(QEvent::KeyRelease, Qt::Key_S, Qt::ControlModifier | Qt::AltModifier, QString(),
                             true);
    const KeyStroke stroke = keyStroke(repeated);
    EXPECT_EQ(stroke.keyCode, 83);
    EXPECT_EQ(stroke.shift, kCtrlBit | kAltBit);
    EXPECT_TRUE(stroke.repeat);
    EXPECT_EQ(shiftWord(Qt::ShiftModifier | Qt::KeypadModifier), kShiftBit);
}

TEST(KeyCodesTest, NonLatinLettersTakeTheLatinLetterOnTheSameKey) {
    // Native scan codes are XKB keycodes: 39 is the US layout's S, 32 its O, 58 its M, 47 its ';'.
    const struct {
        int qtKey;
        unsigned scanCode;
        int code;
        const char* why;
    } rows[] = {
        {0x42B, 39, 83, "Russian Ы on the S key"},
        {0x3A3, 39, 83, "Greek Σ on the S key"},
        {0x429, 32, 79, "Russian Щ on the O key"},
        {0x416, 47, 0, "Russian Ж on the ';' key"},
        {0x42B, 0, 0, "no scan code"},
        {Qt::Key_M, 47, 77, "AZERTY M on the ';' key"},
        {Qt::Key_Comma, 58, 0, "AZERTY comma on the M key"},
        {Qt::Key_AltGr, 108, 0, "a named key"},
    };
    for (const auto& row : rows) {
        const QKeyEvent event(QEvent::KeyPress, row.qtKey, Qt::ControlModifier, row.scanCode, 0, 0);
        EXPECT_EQ(keyStroke(event).keyCode, row.code) << row.why;
    }
}

// A held key comes as presses alone (X with detectable repeat), as marked release and press pairs
// (Qt saw both), or as unmarked ones; a key seen by two controls is one press.
TEST(KeyCodesTest, KeysDownTellsRepeatsFromNewPresses) {
    struct Step {
        QEvent::Type type;
        quint32 scanCode;
        quint64 time;
        bool marked;
        bool repeat;
    };
    const Step steps[] = {
        {QEvent::KeyPress, 26, 100, false, false},   // E goes down
        {QEvent::KeyPress, 26, 100, false, false},   // the same press, seen by a second control
        {QEvent::KeyPress, 37, 120, false, false},   // another key beside it is its own press
        {QEvent::KeyPress, 26, 600, false, true},    // held: a press alone repeats
        {QEvent::KeyRelease, 26, 630, true, true},   // a marked release repeats
        {QEvent::KeyPress, 26, 630, true, true},     // and so does its press
        {QEvent::KeyRelease, 26, 700, false, false}, // let go
        {QEvent::KeyPress, 26, 900, false, false},   // pressed again: a new press
    };
    KeysDown keys;
    int n = 0;
    for (const Step& step : steps) {
        QKeyEvent event(step.type, Qt::Key_E, Qt::NoModifier, step.scanCode, 0, 0, QString(), step.marked);
        event.setTimestamp(step.time);
        EXPECT_EQ(keys.repeats(event), step.repeat) << "step " << n;
        ++n;
    }
}
