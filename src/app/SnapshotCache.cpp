#include "SnapshotCache.h"

#include "document/FileSystem.h"
#include "platform/ImageDecoder.h"

#include <algorithm>
#include <utility>

#ifdef __linux__
#include <sched.h>
#endif

SnapshotCache::SnapshotCache() : SnapshotCache(decodePicture) {}

SnapshotCache::SnapshotCache(Decoder decoder) : m_decode(std::move(decoder)) {}

SnapshotCache::~SnapshotCache() {
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
        m_pending.clear();
    }
    m_wake.notify_all();
    if (m_worker.joinable())
        m_worker.join();
}

// Read through the file layer: Qt's file times go through the local time zone, which is not for threads.
SnapshotCache::Stamp SnapshotCache::stampOf(const std::string& path) {
    const files::Entry entry = files::lookUp(path, files::Links::Follow);
    if (entry.kind != files::Kind::File)
        return {};
    return {entry.modified, static_cast<std::int64_t>(entry.size)};
}

QImage SnapshotCache::picture(const std::string& path, const QSize& size) {
    const Stamp stamp = stampOf(path);
    std::unique_lock lock(m_mutex);
    m_shown = path;
    if (stamp.bytes < 0)
        return {};
    // Asked for now: the window decodes it rather than wait behind the worker's queue.
    std::erase_if(m_pending,
                  [&](const Request& request) { return request.path == path && request.size == size; });
    // Never waits for the worker, even when it is decoding this very picture: it runs only on time the
    // window leaves, so it may be long in finishing.
    const auto found = find(path, size);
    if (found != m_entries.end()) {
        if (found->stamp == stamp) {
            Entry entry = std::move(*found);
            m_entries.erase(found);
            m_entries.push_front(std::move(entry));
            return m_entries.front().image;
        }
        m_entries.erase(found);
    }
    lock.unlock();
    QImage image = m_decode(path, size);
    if (image.isNull())
        return {};
    lock.lock();
    store({path, size, stamp, image});
    return image;
}

void SnapshotCache::decodeAhead(std::vector<std::string> paths, const QSize& size) {
    {
        const std::lock_guard lock(m_mutex);
        m_ahead.clear();
        for (std::string& path : paths)
            m_ahead.push_back({std::move(path), size});
        // Kept: the picture shown last, at any size it was shown (leaving full screen shows it at
        // the other), and of the rest what is asked for now. The worker frees the others: giving a
        // picture's memory back to the system takes longer than the rest of a page turn.
        std::erase_if(m_entries, [&](Entry& entry) {
            if (wanted(entry.path, entry.size))
                return false;
            m_letGo.push_back(std::move(entry.image));
            return true;
        });
        m_pending.clear();
        m_startAfter = std::chrono::steady_clock::now() + kStartDelay;
        for (const Request& request : m_ahead)
            if (!inFlight(request.path, request.size))
                m_pending.push_back(request);
        if (m_pending.empty() && m_letGo.empty())
            return;
        if (!m_worker.joinable())
            m_worker = std::thread(&SnapshotCache::workerLoop, this);
    }
    m_wake.notify_one();
}

void SnapshotCache::clear() {
    const std::lock_guard lock(m_mutex);
    m_entries.clear();
    m_pending.clear();
    m_ahead.clear();
    m_shown.clear();
}

void SnapshotCache::waitUntilIdle() {
    std::unique_lock lock(m_mutex);
    m_settled.wait(lock, [this] { return m_pending.empty() && !m_busy; });
}

std::size_t SnapshotCache::size() {
    const std::lock_guard lock(m_mutex);
    return m_entries.size();
}

bool SnapshotCache::holds(const std::string& path, const QSize& size) {
    const std::lock_guard lock(m_mutex);
    return find(path, size) != m_entries.end();
}

void SnapshotCache::workerLoop() {
#ifdef __linux__
    // The worker only uses time the window leaves: woken at a key press on the window's processor,
    // it must not delay the frame the press is for.
    const sched_param idle{};
    sched_setscheduler(0, SCHED_IDLE, &idle);
#endif
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stopping || !m_pending.empty() || !m_letGo.empty(); });
        if (!m_stopping && std::chrono::steady_clock::now() < m_startAfter) {
            m_wake.wait_until(lock, m_startAfter, [this] { return m_stopping; });
            continue;
        }
        if (m_stopping)
            return;
        if (!m_letGo.empty()) {
            std::vector<QImage> letGo = std::exchange(m_letGo, {});
            lock.unlock();
            letGo.clear();
            lock.lock();
            continue;
        }
        m_working = std::move(m_pending.front());
        m_pending.pop_front();
        m_busy = true;
        const Request request = m_working;
        lock.unlock();

        const Stamp stamp = stampOf(request.path);
        bool fresh = false;
        if (stamp.bytes >= 0) {
            lock.lock();
            const auto found = find(request.path, request.size);
            fresh = found != m_entries.end() && found->stamp == stamp;
            if (fresh) {
                // Kept in front, so the pages around the one shown outlive older ones.
                Entry entry = std::move(*found);
                m_entries.erase(found);
                m_entries.push_front(std::move(entry));
            }
            lock.unlock();
        }
        QImage image;
        if (stamp.bytes >= 0 && !fresh)
            image = m_decode(request.path, request.size);

        lock.lock();
        // One no longer asked for while it was decoded would only push out one that is.
        if (!image.isNull() && wanted(request.path, request.size))
            store({request.path, request.size, stamp, std::move(image)});
        m_busy = false;
        m_settled.notify_all();
    }
}

std::deque<SnapshotCache::Entry>::iterator SnapshotCache::find(const std::string& path, const QSize& size) {
    return std::find_if(m_entries.begin(), m_entries.end(),
                        [&](const Entry& entry) { return entry.path == path && entry.size == size; });
}

void SnapshotCache::store(Entry entry) {
    const auto found = find(entry.path, entry.size);
    if (found != m_entries.end())
        m_entries.erase(found);
    m_entries.push_front(std::move(entry));
    while (m_entries.size() > kEntries) {
        // The least recently used of those no longer wanted goes first.
        const auto unwanted = std::find_if(m_entries.rbegin(), m_entries.rend(), [this](const Entry& entry) {
            return !wanted(entry.path, entry.size);
        });
        if (unwanted != m_entries.rend())
            m_entries.erase(std::next(unwanted).base());
        else
            m_entries.pop_back();
    }
}

bool SnapshotCache::inFlight(const std::string& path, const QSize& size) const {
    return m_busy && m_working.path == path && m_working.size == size;
}

bool SnapshotCache::wanted(const std::string& path, const QSize& size) const {
    return path == m_shown || std::any_of(m_ahead.begin(), m_ahead.end(), [&](const Request& request) {
               return request.path == path && request.size == size;
           });
}
