#pragma once
// A headless main window after start-up, and an album folder whose pages tell themselves apart:
// page n has the story "page n" and, for the first few, a snapshot and thumbnail of its own.

#include "AlbumText.h"
#include "AppFixture.h"
#include "OpenThroughDialog.h"
#include "frmMain.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

struct PagedAlbum {
    explicit PagedAlbum(int pages, int pictures = 4) {
        for (int p = 1; p <= pages; ++p) {
            const std::string number = std::to_string(p);
            const std::string id = std::string(8 - number.size(), '0') + number + ".jpg";
            album.pages.push_back({"Title", "snapshot_4c1e9b07_" + id, "page " + number});
            QImage image(160, 120, QImage::Format_RGB32);
            image.fill(QColor::fromHsv(p * 70 % 360, 200, 200));
            for (const char* kind : {"snapshot_4c1e9b07_", "thumbnail_4c1e9b07_"})
                if (p <= pictures)
                    image.save(QString::fromStdString(file(kind + id)), "JPG");
        }
        path = file("Storybook.xml");
        QFile out(QString::fromStdString(path));
        out.open(QIODevice::WriteOnly);
        out.write(QByteArray::fromStdString(album.bytes()));
    }
    std::string file(const std::string& name) const { return folder.path().toStdString() + "/" + name; }
    std::string text() const {
        QFile in(QString::fromStdString(path));
        in.open(QIODevice::ReadOnly);
        return in.readAll().toStdString();
    }

    QTemporaryDir folder;
    AlbumText album;
    std::string path;
};

// The one box asked since the requests were last cleared.
inline void expectBox(const AppFixture& app, std::string_view text, MessageButtons buttons,
                      std::string_view title) {
    const auto asked = app.seam.requestsOf(SeamCall::Message);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text, text);
    EXPECT_EQ(asked[0].buttons, buttons);
    EXPECT_EQ(asked[0].icon, MessageIcon::None);
    EXPECT_EQ(asked[0].title, title);
}

class CommandWindow : public ::testing::Test {
protected:
    CommandWindow() { window.Form_Load(); }
    // The stories of the pages in their order, without their wrapper.
    std::vector<std::string> stories() const {
        std::vector<std::string> out;
        const Storybook& book = app.state.storybook();
        for (int p = 0; p < book.varPageCount; ++p) {
            const std::string text(book.content(p, album::Text));
            out.push_back(text.substr(9, text.size() - 12));
        }
        return out;
    }
    std::string_view mode() const { return modeText(app.state.controller().mode()); }

    AppFixture app;
    frmMain window{app.state};
};
