#pragma once
// Reads a written sample album back through the document library, the way the application will
// open it, and says what does not match.

#include "SampleAlbum.h"

#include <QStringList>

// Empty when the file passes the structure check and parses into exactly the album's pages.
QStringList checkWrittenAlbum(const QString& path, const SampleAlbum& album);
