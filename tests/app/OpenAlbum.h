#pragma once
// A main window in a test with an album of plain-coloured pages opened through the Open dialog.

#include "AlbumText.h"
#include "AppFixture.h"
#include "OpenThroughDialog.h"
#include "TempFolder.h"
#include "frmMain.h"

#include <QImage>

// The folder comes first so that it outlives the window.
struct OpenAlbum : TempFolder {
    explicit OpenAlbum(int pages) {
        album.title = "Our Summer";
        for (int page = 1; page <= pages; ++page) {
            char snapshot[40];
            std::snprintf(snapshot, sizeof snapshot, "snapshot_4c1e9b07_%08d.jpg", page);
            album.pages.push_back({"Page", snapshot, "Story of page " + std::to_string(page)});
            QImage image(64, 48, QImage::Format_RGB32);
            image.fill(QColor(40, 40 + page * 7 % 200, 90));
            image.save(QString::fromStdString(file(snapshot)), "JPG");
        }
        open(write("Storybook.xml", album.bytes()));
        window.show();
    }
    void open(const std::string& path) { openThroughDialog(app, window, path); }
    std::string_view mode() const { return modeText(app.state.controller().mode()); }
    void setMode(std::string_view text) { app.state.controller().setMode(*modeNamed(text)); }
    int page() const { return app.state.controller().currentPage(); }

    AlbumText album;
    AppFixture app;
    frmMain window{app.state};
};
