#pragma once
// What the window benchmarks share: a seam that asks nothing, settings kept in memory, a main
// window opened from a command line, photograph-like JPEG snapshots, an album of pages showing them,
// and the main that runs the registered benchmarks headless.

#include "../document/MaximalAlbum.h"
#include "AppState.h"
#include "Pairing.h"
#include "frmMain.h"
#include "platform/Environment.h"
#include "platform/PlatformSeam.h"
#include "platform/SettingsStore.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace bench {

// Nothing measured may ask anything; a benchmark whose road asks overrides the calls it expects.
class SilentSeam : public PlatformSeam {
public:
    MessageAnswer messageBox(std::string_view, MessageButtons, MessageIcon, std::string_view) override {
        std::abort();
    }
    std::string inputBox(std::string_view, std::string_view, std::string_view) override { return {}; }
    FileDialogResult fileDialog(const FileDialogRequest&) override { return {}; }
    ModalResult runModal(QDialog&) override { return ModalResult::Accepted; }
    void openWithDefaultApplication(std::string_view, LaunchFailed) override {}
    void openInTextEditor(std::string_view, LaunchFailed) override {}
    void setClipboardText(std::string_view) override {}
    std::string clipboardText() override { return {}; }
};

class MemoryStore final : public SettingsStore {
public:
    std::optional<std::string> readText(std::string_view, std::string_view) override { return std::nullopt; }
    void writeText(std::string_view, std::string_view, std::string_view) override {}
};

// The main window after start-up with the album of the command line open.
template <class Seam = SilentSeam> struct Window {
    explicit Window(const std::string& commandLine)
        : state(seam, store, Environment{"/tmp", "/tmp", commandLine}), window(state) {
        window.Form_Load();
    }
    Seam seam;
    MemoryStore store;
    AppState state;
    frmMain window;
};

// A picture with the detail of a photograph: soft shapes under fine grain, so it compresses and
// decodes like one.
inline QImage photographLike(int width, int height, quint32 seed) {
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, 0, height);
    sky.setColorAt(0, QColor(90, 140, 200));
    sky.setColorAt(1, QColor(200, 180, 120));
    painter.fillRect(image.rect(), sky);
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 60; ++i) {
        painter.setBrush(
            QColor::fromHsv(random.bounded(360), 80 + random.bounded(120), 80 + random.bounded(160)));
        painter.drawEllipse(QPoint(random.bounded(width), random.bounded(height)), 20 + random.bounded(200),
                            20 + random.bounded(150));
    }
    painter.end();
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int grain = static_cast<int>(random.bounded(33)) - 16;
            const QRgb p = line[x];
            line[x] = qRgb(std::clamp(qRed(p) + grain, 0, 255), std::clamp(qGreen(p) + grain, 0, 255),
                           std::clamp(qBlue(p) + grain, 0, 255));
        }
    }
    return image;
}

inline QByteArray jpegBytes(const QImage& image, int quality) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", quality);
    return bytes;
}

inline void writeFile(const std::string& path, const QByteArray& bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.constData(), bytes.size());
}

// A scratch folder removed with everything in it.
struct ScratchFolder {
    std::string path() const { return folder.path().toStdString() + "/"; }
    std::string file(const std::string& name) const { return path() + name; }
    QTemporaryDir folder;
};

// An album with the largest album's head and footer around pages of its own, each showing a
// photograph-like snapshot of the size given (seeded by its page number) and a story of its own, as
// a player's pages have: a turn lays out a new story.
struct PhotoAlbum : ScratchFolder {
    PhotoAlbum(int pages, int width, int height) {
        std::string entries;
        for (int page = 1; page <= pages; ++page) {
            char name[40];
            std::snprintf(name, sizeof name, "snapshot_4c1e9b07_%08d.jpg", page);
            photographLike(width, height, static_cast<quint32>(page))
                .save(QString::fromStdString(file(name)), "JPG", 90);
            snapshots.push_back(file(name));
            entries +=
                std::string("      <Entry>\n        <Title><![CDATA[]]></Title>\n        "
                            "<ThumbnailFilename>t</ThumbnailFilename>\n        <Snapshot>") +
                name + "</Snapshot>\n        <Text><![CDATA[A day, page " + std::to_string(page) +
                "]]></Text>\n"
                "        <TextResourceId>0x00000001</TextResourceId>\n        <TimeStamp>1</TimeStamp>\n"
                "      </Entry>\n";
        }
        std::string bytes = maximalAlbumBytes();
        const auto first = bytes.find("      <Entry>");
        bytes.replace(first, bytes.find("      <KeywordList/>") - first, entries);
        std::ofstream(file("Storybook.xml"), std::ios::binary) << bytes;
    }
    std::vector<std::string> snapshots;
};

// Counts the paint events of every widget.
class PaintCounter final : public QObject {
public:
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};
inline PaintCounter& paints() {
    static PaintCounter* counter = [] {
        auto* made = new PaintCounter;
        qApp->installEventFilter(made);
        return made;
    }();
    return *counter;
}

// Runs the event loop until a paint after the count given (taken before the change) is done, then
// waits until the X server has taken the frame (a round trip after it); offscreen, until the frame
// is in the backing store.
inline void awaitFrame(int paintsBefore) {
    const auto start = std::chrono::steady_clock::now();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    while (paints().count == paintsBefore &&
           std::chrono::steady_clock::now() - start < std::chrono::seconds(2))
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    if (paints().count == paintsBefore)
        std::abort(); // nothing was painted: the road did not run
    // Offscreen the interface is there too, without a connection.
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (xcb_connection_t* connection = x11 ? x11->connection() : nullptr)
        std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

inline double millisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Runs the benchmarks under X when a display is given (bench/run-all starts a private Xvfb), else
// offscreen; registerRoads adds those named at run time.
inline int runBenchmarks(int argc, char** argv, const std::function<void()>& registerRoads = {}) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (registerRoads)
        registerRoads();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace bench
