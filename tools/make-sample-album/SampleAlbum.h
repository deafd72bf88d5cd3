#pragma once
// The bundled sample album: one family's year on its lot, as the game would have written it.

#include "Scenes.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <vector>

struct SampleSnapshot {
    QString lotCode; // 8 characters
    int number = 0;
    Scene scene = Scene::HomeMorning;
    QSize size{1024, 768};
    bool hasThumbnail = true; // one unused snapshot has none, as happens in a player's folder

    QString snapshotName() const;
    QString thumbnailName() const;
};

struct SamplePage {
    QString title;
    SampleSnapshot snapshot;
    QStringList storyLines; // one file line each
    QString timeStamp;
};

struct SampleAlbum {
    QString fileName;
    QString familyName;
    QString neighborhoodName;
    QString lotName;
    QString title;
    std::vector<SamplePage> pages;
    std::vector<SampleSnapshot> unusedSnapshots; // in the folder, on no page
    QStringList keywords;
};

SampleAlbum hawthorneAlbum();

// The album file's bytes: LF line ends and no line end after the last line.
QByteArray albumFileText(const SampleAlbum& album);
