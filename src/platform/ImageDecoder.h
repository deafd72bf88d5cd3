#pragma once
// Reads a picture file at the size it will be shown. JPEG files are decoded by the library's own
// scaled decoding, so a large snapshot costs little more than a small one; other formats go through
// Qt's readers. An empty size gives the picture at its own size. A file that cannot be read gives a
// null image.

#include <QImage>
#include <QSize>
#include <QString>

QImage decodePictureForSize(const QString& path, const QSize& size);
