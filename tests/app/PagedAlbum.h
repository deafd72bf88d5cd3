#pragma once
// An album folder for window tests whose pages tell themselves apart: page n has the story
// "page n" and, for the first few, a snapshot and thumbnail of a colour of its own.

#include "AlbumText.h"

#include <QColor>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <string>

struct PagedAlbum {
    explicit PagedAlbum(int pages, int pictures = 4) {
        for (int p = 0; p < pages; ++p) {
            const std::string number = std::to_string(p + 1);
            const std::string snapshot =
                "snapshot_4c1e9b07_" + std::string(8 - number.size(), '0') + number + ".jpg";
            album.pages.push_back({"Title " + number, snapshot, "page " + number});
            if (p < pictures) {
                QImage image(160, 120, QImage::Format_RGB32);
                image.fill(QColor::fromHsv(p * 70 % 360, 200, 200));
                image.save(QString::fromStdString(file(snapshot)), "JPG", 95);
                image.save(QString::fromStdString(file("thumbnail_" + snapshot.substr(9))), "JPG", 95);
            }
        }
        path = file("Storybook.xml");
        QFile out(QString::fromStdString(path));
        out.open(QIODevice::WriteOnly);
        const std::string bytes = album.bytes();
        out.write(bytes.data(), static_cast<qint64>(bytes.size()));
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
