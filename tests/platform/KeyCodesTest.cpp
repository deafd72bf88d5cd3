#include "platform/KeyCodes.h"

#include <QKeyEvent>

#include <gtest/gtest.h>

TEST(KeyCodesTest, QtKeysMapOntoVirtualKeyCodes) {
    const struct {
        int qtKey;
        int code;
    } rows[] = {
        {Qt::Key_Return, 13}, {Qt::Key_Enter, 13},  {Qt::Key_Control, 17},  {Qt::Key_Alt, 18},
        {Qt::Key_Escape, 27}, {Qt::Key_PageUp, 33}, {Qt::Key_PageDown, 34}, {Qt::Key_End, 35},
        {Qt::Key_Home, 36},   {Qt::Key_Left, 37},   {Qt::Key_Up, 38},       {Qt::Key_Right, 39},
        {Qt::Key_Down, 40},   {Qt::Key_Insert, 45}, {Qt::Key_Delete, 46},   {Qt::Key_0, 48},
        {Qt::Key_9, 57},      {Qt::Key_A, 65},      {Qt::Key_E, 69},        {Qt::Key_M, 77},
        {Qt::Key_O, 79},      {Qt::Key_S, 83},      {Qt::Key_Z, 90},        {Qt::Key_F1, 112},
        {Qt::Key_F4, 115},    {Qt::Key_F8, 119},    {Qt::Key_F9, 120},      {Qt::Key_AltGr, 0},
        {Qt::Key_Meta, 0},    {Qt::Key_unknown, 0},
    };
    for (const auto& row : rows)
        EXPECT_EQ(virtualKeyCode(row.qtKey), row.code) << std::hex << row.qtKey;
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
