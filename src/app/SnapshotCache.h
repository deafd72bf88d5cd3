#pragma once
// The last few snapshots shown, decoded at the size they were painted. A file changed on disk since
// (another modification time or size) is read afresh.

#include <QDateTime>
#include <QImage>
#include <QSize>
#include <QString>

#include <deque>

class SnapshotCache {
public:
    // The picture at path scaled to size; a null image when the file cannot be read as a picture.
    QImage picture(const QString& path, const QSize& size);
    void clear() { m_entries.clear(); }

private:
    struct Entry {
        QString path;
        QSize size;
        QDateTime modified;
        qint64 bytes = 0;
        QImage image;
    };
    static constexpr std::size_t kEntries = 4;
    std::deque<Entry> m_entries;
};
