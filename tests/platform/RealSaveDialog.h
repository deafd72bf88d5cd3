#pragma once
// Drives the real (Qt's own) Save dialog once it is shown: types a name as the user does, into the
// focused box over the proposed one, chooses file types in turn, and accepts.

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Returns at once; the dialog is answered when the event loop next runs. shown receives what the name
// box holds after the types were chosen.
inline void answerSaveDialog(const char* typed, std::vector<int> types, std::string* shown = nullptr) {
    QTimer::singleShot(0, [typed, types, shown] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        auto* combo = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        if (!name || !combo) {
            ADD_FAILURE() << "the dialog's name box or file types are gone";
            QMetaObject::invokeMethod(dialog, "reject");
            return;
        }
        QApplication::setActiveWindow(dialog);
        name->setFocus();
        name->selectAll();
        QTest::keyClick(name, Qt::Key_Backspace);
        // Key by key as text, as a keyboard layout or an input method sends letters beyond ASCII.
        for (const QChar letter : QString::fromUtf8(typed))
            QTest::sendKeyEvent(QTest::Click, name, Qt::Key_unknown, QString(letter), Qt::NoModifier);
        for (int type : types) {
            combo->setCurrentIndex(type);
            emit combo->activated(type);
        }
        if (shown)
            *shown = name->text().toStdString();
        QMetaObject::invokeMethod(dialog, "accept");
    });
}
