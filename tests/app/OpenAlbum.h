#pragma once
// A main window in a test with an album of plain-coloured pages opened through the Open dialog.

#include "AlbumText.h"
#include "AppFixture.h"
#include "frmMain.h"

#include <QFile>
#include <QImage>

struct OpenAlbum {
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
    std::string file(const std::string& name) const { return folder.path().toStdString() + "/" + name; }
    std::string write(const std::string& name, const std::string& bytes) const {
        QFile out(QString::fromStdString(file(name)));
        out.open(QIODevice::WriteOnly);
        out.write(bytes.data(), static_cast<qint64>(bytes.size()));
        return file(name);
    }
    void open(const std::string& path) {
        FileDialogResult chosen;
        chosen.chosen = true;
        chosen.path = path;
        chosen.filterIndex = 1;
        app.seam.dialogResults.push_back(chosen);
        window.OpenStorybook();
    }
    std::string& mode() { return app.state.strApplicationMode; }
    int page() const { return app.state.intCurrentPage; }

    QTemporaryDir folder;
    AlbumText album;
    AppFixture app;
    frmMain window{app.state};
};
