#include "platform/QtSeam.h"
#include "EventWait.h"
#include "RealSaveDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {
// Acts on the box once it is open, since the seam's call only returns when the box is gone.
void whenBoxOpens(std::function<void(QMessageBox&)> action) {
    QTimer::singleShot(0, [action] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            ADD_FAILURE() << "no box open";
            return;
        }
        action(*box);
    });
}

QAbstractButton* buttonOf(QMessageBox& box, QMessageBox::StandardButton which) {
    return box.button(which);
}
} // namespace

TEST(QtSeamTest, ClosingABoxWithCancelCountsAsCancel) {
    QtSeam seam("Brindlecove");
    whenBoxOpens([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); });
    EXPECT_EQ(seam.messageBox("Save?", MessageButtons::YesNoCancel, MessageIcon::None, "Q"),
              MessageAnswer::Cancel);

    whenBoxOpens([](QMessageBox& box) { box.close(); });
    EXPECT_EQ(seam.messageBox("Go on?", MessageButtons::OkCancel, MessageIcon::None, ""),
              MessageAnswer::Cancel);
}

TEST(QtSeamTest, AYesNoQuestionWaitsForAnAnswer) {
    QtSeam seam("Brindlecove");
    whenBoxOpens([](QMessageBox& box) {
        QTest::keyClick(&box, Qt::Key_Escape);
        box.close();
        QTimer::singleShot(0, [&box] {
            EXPECT_TRUE(box.isVisible()) << "Escape and closing must not answer the question";
            buttonOf(box, QMessageBox::Yes)->click();
        });
    });
    EXPECT_EQ(seam.messageBox("Save the changes?", MessageButtons::YesNo, MessageIcon::None,
                              "Unsaved Modifications"),
              MessageAnswer::Yes);
}

TEST(QtSeamTest, AnEmptyTitleShowsTheApplicationsTitle) {
    QtSeam seam("Brindlecove");
    QString title;
    QString text;
    bool critical = false;
    whenBoxOpens([&](QMessageBox& box) {
        title = box.windowTitle();
        text = box.text();
        critical = box.icon() == QMessageBox::Critical;
        buttonOf(box, QMessageBox::Ok)->click();
    });
    EXPECT_EQ(seam.messageBox("Help file not found!", MessageButtons::Ok, MessageIcon::Critical, ""),
              MessageAnswer::Ok);
    EXPECT_EQ(title, QStringLiteral("Brindlecove"));
    EXPECT_EQ(text, QStringLiteral("Help file not found!"));
    EXPECT_TRUE(critical);
}

// Two filters share a pattern; the one chosen is told by its description.
TEST(QtSeamTest, TheSaveDialogReportsTheFilterChosen) {
    QtSeam seam("Brindlecove");
    QTemporaryDir folder;
    FileDialogRequest request;
    request.kind = FileDialogKind::Save;
    request.filters = {{"Album (*.xml)", "*.xml"}, {"Page (Plain)", "*.html"}, {"Page (Popup)", "*.html"}};
    request.initialFolder = folder.path().toStdString();
    request.fileName = "page";
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        ASSERT_NE(types, nullptr);
        types->setCurrentIndex(2);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    const FileDialogResult result = seam.fileDialog(request);
    ASSERT_TRUE(result.chosen);
    EXPECT_EQ(result.filterIndex, 3);
}

// The desktop's opener tells by its exit status whether a program took the document.
TEST(QtSeamTest, ALaunchReportsAnOpenerThatFoundNoProgram) {
    QTemporaryDir bin;
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", bin.path().toLocal8Bit() + ":" + path);
    for (const auto& [status, reported] : {std::pair{0, false}, std::pair{3, true}}) {
        SCOPED_TRACE(status);
        QFile opener(bin.filePath(QStringLiteral("xdg-open")));
        ASSERT_TRUE(opener.open(QIODevice::WriteOnly | QIODevice::Truncate));
        opener.write("#!/bin/sh\ntouch \"$0.ran\"\nexit " + QByteArray::number(status) + "\n");
        opener.close();
        opener.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QFile::remove(opener.fileName() + QStringLiteral(".ran"));

        QtSeam seam("Brindlecove");
        int reports = 0;
        seam.openWithDefaultApplication("/nowhere/helpfile.html", [&reports] { ++reports; });
        ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(opener.fileName() + QStringLiteral(".ran")); },
                                    kEventLimitMs))
            << "the opener ran";
        // The opener's end reaches the seam a moment after it has run; a report that should not come
        // gets that moment only.
        (void)QTest::qWaitFor([&] { return reports > 0; }, reported ? kEventLimitMs : 300);
        EXPECT_EQ(reports, reported ? 1 : 0);
    }
    qputenv("PATH", path);
}

// The name typed stays as typed whichever file types are chosen on the way, the same one again
// included; only the filter in use changes.
TEST(QtSeamTest, TheSaveDialogKeepsTheTypedNameWhenTheFileTypeChanges) {
    struct Row {
        const char* typed;
        std::vector<int> types; // 0-based, in the order chosen
        int filterIndex;
    };
    const Row rows[] = {{"notes", {1}, 2},
                        {"Family.v2", {1, 0}, 1},
                        {"Family.v2", {0}, 1},
                        {"album.xml", {2}, 3},
                        {"a.b.c", {}, 1}};
    QtSeam seam("Brindlecove");
    QTemporaryDir folder;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed);
        FileDialogRequest request;
        request.kind = FileDialogKind::Save;
        request.filters = {
            {"Album (*.xml)", "*.xml"}, {"Page (Plain)", "*.html"}, {"Page (Popup)", "*.html"}};
        request.initialFolder = folder.path().toStdString();
        request.fileName = "Storybook";
        std::string shownAfterTypes;
        answerSaveDialog(row.typed, row.types, &shownAfterTypes);
        const FileDialogResult result = seam.fileDialog(request);
        EXPECT_EQ(shownAfterTypes, row.typed);
        ASSERT_TRUE(result.chosen);
        EXPECT_EQ(result.path, folder.filePath(QString::fromUtf8(row.typed)).toStdString());
        EXPECT_EQ(result.filterIndex, row.filterIndex);
    }
}
