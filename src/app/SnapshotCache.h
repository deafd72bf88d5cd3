#pragma once
// The snapshot shown, decoded at the size it was painted, and the pages a turn can go to next
// decoded ahead on a worker thread, so a turn to any of them paints from memory. A file changed
// on disk since it was decoded (another modification time or size) is read afresh. The worker
// sees only file paths and sizes, never the album or a window, and runs only on processor time the
// window leaves (so a key press never waits behind it); the window never waits for it. Paths are
// the file system's own bytes, whatever their encoding.

#include <QImage>
#include <QSize>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class SnapshotCache {
public:
    using Decoder = std::function<QImage(const std::string& path, const QSize& size)>;

    // Pictures at most kept: the page shown and the targets of the six navigation buttons.
    static constexpr std::size_t kEntries = 7;

    SnapshotCache();
    // The decoder runs on both threads; tests hand in one they can hold up.
    explicit SnapshotCache(Decoder decoder);
    ~SnapshotCache();
    SnapshotCache(const SnapshotCache&) = delete;
    SnapshotCache& operator=(const SnapshotCache&) = delete;

    // The picture at path scaled to size; a null image when the file cannot be read as a picture.
    QImage picture(const std::string& path, const QSize& size);
    // Decodes these on the worker, in order, in place of whatever was asked ahead before; one the
    // worker is decoding already is finished rather than started again. Only these and the
    // picture shown last are kept from then on.
    void decodeAhead(std::vector<std::string> paths, const QSize& size);
    void clear();

    // For tests and benchmarks: returns once nothing is waiting or being decoded ahead.
    void waitUntilIdle();
    std::size_t size();
    bool holds(const std::string& path, const QSize& size);

private:
    struct Stamp {
        std::int64_t modifiedNanoseconds = 0;
        std::int64_t bytes = -1;
        bool operator==(const Stamp&) const = default;
    };
    struct Entry {
        std::string path;
        QSize size;
        Stamp stamp;
        QImage image;
    };
    struct Request {
        std::string path;
        QSize size;
    };

    static Stamp stampOf(const std::string& path);
    void workerLoop();
    // Callers hold m_mutex.
    std::deque<Entry>::iterator find(const std::string& path, const QSize& size);
    void store(Entry entry);
    bool inFlight(const std::string& path, const QSize& size) const;
    bool wanted(const std::string& path, const QSize& size) const;

    Decoder m_decode;
    std::mutex m_mutex;
    std::condition_variable m_wake;    // work for the worker, or the end
    std::condition_variable m_settled; // the worker finished a picture
    std::deque<Entry> m_entries;       // most recently used first
    std::deque<Request> m_pending;
    std::vector<Request> m_ahead; // the pictures asked ahead last, kept while they are wanted
    std::string m_shown;          // the picture asked for last, kept at any size
    std::vector<QImage> m_letGo;  // pictures no longer kept, for the worker to free
    // Work asked for ahead starts a moment later: the window asks once its frame has gone out, and
    // the drawing of that frame, here and in the display server, goes first. Woken at once, the
    // worker would take the processor the window then waits on for the server's answer.
    static constexpr std::chrono::milliseconds kStartDelay{2};
    std::chrono::steady_clock::time_point m_startAfter;
    Request m_working;
    bool m_busy = false;
    bool m_stopping = false;
    std::thread m_worker; // started with the first request, so a window never used starts no thread
};
