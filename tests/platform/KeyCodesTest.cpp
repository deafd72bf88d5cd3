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
