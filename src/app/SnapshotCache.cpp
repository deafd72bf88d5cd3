#include "SnapshotCache.h"

#include "platform/ImageDecoder.h"

#include <QFileInfo>

QImage SnapshotCache::picture(const QString& path, const QSize& size) {
    const QFileInfo info(path);
    if (!info.isFile())
        return {};
    const QDateTime modified = info.lastModified();
    const qint64 bytes = info.size();
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
        if (it->path == path && it->size == size) {
            if (it->modified == modified && it->bytes == bytes)
                return it->image;
            m_entries.erase(it);
            break;
        }
    }
    QImage image = decodePictureForSize(path, size);
    if (image.isNull())
        return {};
    m_entries.push_front({path, size, modified, bytes, image});
    if (m_entries.size() > kEntries)
        m_entries.pop_back();
    return image;
}
