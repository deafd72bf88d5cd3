// Entering full-screen mode until the enlarged page is painted, and leaving it until the window
// layout is painted again, against the anchor of Qt decoding the page's snapshot at full size in
// the same run. Each entry meets a page whose enlarged picture was not decoded before.

#include "../document/MaximalAlbum.h"
#include "AppState.h"
#include "document/ApplicationModes.h"
#include "frmMain.h"
#include "platform/Environment.h"
#include "platform/PlatformSeam.h"
#include "platform/SettingsStore.h"

#include <QApplication>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <fstream>

namespace {

class SilentSeam final : public PlatformSeam {
public:
    MessageAnswer messageBox(std::string_view, MessageButtons, MessageIcon, std::string_view) override {
        std::abort(); // nothing measured here may ask anything
    }
    std::string inputBox(std::string_view, std::string_view, std::string_view) override { return {}; }
    FileDialogResult fileDialog(const FileDialogRequest&) override { return {}; }
    ModalResult runModal(QDialog&) override { return ModalResult::Accepted; }
    void openWithDefaultApplication(std::string_view) override {}
    void openInTextEditor(std::string_view) override {}
    void setClipboardText(std::string_view) override {}
    std::string clipboardText() override { return {}; }
};

class MemoryStore final : public SettingsStore {
public:
    std::optional<std::string> readText(std::string_view, std::string_view) override { return std::nullopt; }
    void writeText(std::string_view, std::string_view, std::string_view) override {}
};

// Soft shapes under fine grain, so the snapshot compresses and decodes like a photograph.
QImage photographLike(int width, int height, quint32 seed) {
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    image.fill(QColor(120, 150, 190));
    QPainter painter(&image);
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
            line[x] =
                qRgb(std::clamp(qRed(line[x]) + grain, 0, 255), std::clamp(qGreen(line[x]) + grain, 0, 255),
                     std::clamp(qBlue(line[x]) + grain, 0, 255));
        }
    }
    return image;
}

constexpr int kPages = 8; // twice what the snapshot cache keeps

struct Album {
    explicit Album(int width, int height) {
        std::string entries;
        for (int page = 1; page <= kPages; ++page) {
            const std::string name = "snapshot_4c1e9b07_0000000" + std::to_string(page) + ".jpg";
            photographLike(width, height, static_cast<quint32>(page))
                .save(QString::fromStdString(file(name)), "JPG", 90);
            entries +=
                "      <Entry>\n        <Title><![CDATA[]]></Title>\n        "
                "<ThumbnailFilename>t</ThumbnailFilename>\n        <Snapshot>" +
                name +
                "</Snapshot>\n        <Text><![CDATA[A day]]></Text>\n"
                "        <TextResourceId>0x00000001</TextResourceId>\n        <TimeStamp>1</TimeStamp>\n"
                "      </Entry>\n";
        }
        // The largest album's head and footer around pages of our own.
        std::string bytes = maximalAlbumBytes();
        const auto first = bytes.find("      <Entry>");
        bytes.replace(first, bytes.find("      <KeywordList/>") - first, entries);
        std::ofstream(file("Storybook.xml"), std::ios::binary) << bytes;
    }
    std::string file(const std::string& name) const { return folder.path().toStdString() + "/" + name; }
    QTemporaryDir folder;
};

struct Window {
    explicit Window(const std::string& album)
        : state(seam, store, Environment{"/tmp", "/tmp", album}), window(state) {
        window.Form_Load();
        window.show();
        if (state.strApplicationMode != modes::kViewStorybook)
            std::abort();
    }
    SilentSeam seam;
    MemoryStore store;
    AppState state;
    frmMain window;
};

enum class Measure { Enter, Leave };

void toggle(benchmark::State& state, Measure measure, int width, int height) {
    Album album(width, height);
    Window app(album.file("Storybook.xml"));
    int page = 0;
    for (auto _ : state) {
        state.PauseTiming();
        page = (page + 1) % kPages;
        app.state.intCurrentPage = static_cast<std::int16_t>(page);
        app.window.DisplayCurrentPage();
        app.window.repaint();
        if (measure == Measure::Leave) {
            app.window.ToggleFullScreen();
            app.window.repaint();
        }
        state.ResumeTiming();

        app.window.ToggleFullScreen();
        app.window.repaint();

        state.PauseTiming();
        if (measure == Measure::Enter) {
            app.window.ToggleFullScreen();
            app.window.repaint();
        }
        if (app.state.blnFullScreen)
            std::abort();
        state.ResumeTiming();
    }
}

void anchorFullDecode(benchmark::State& state, int width, int height) {
    Album album(width, height);
    const QString path = QString::fromStdString(album.file("snapshot_4c1e9b07_00000001.jpg"));
    for (auto _ : state) {
        QImageReader reader(path);
        QImage image = reader.read();
        if (image.isNull())
            std::abort();
        benchmark::DoNotOptimize(image.bits());
    }
}

void EnterFullScreen1024(benchmark::State& state) {
    toggle(state, Measure::Enter, 1024, 768);
}
void LeaveFullScreen1024(benchmark::State& state) {
    toggle(state, Measure::Leave, 1024, 768);
}
void AnchorQtFullDecode1024(benchmark::State& state) {
    anchorFullDecode(state, 1024, 768);
}
void EnterFullScreen1600(benchmark::State& state) {
    toggle(state, Measure::Enter, 1600, 1200);
}
void LeaveFullScreen1600(benchmark::State& state) {
    toggle(state, Measure::Leave, 1600, 1200);
}
void AnchorQtFullDecode1600(benchmark::State& state) {
    anchorFullDecode(state, 1600, 1200);
}
BENCHMARK(EnterFullScreen1024)->Unit(benchmark::kMillisecond);
BENCHMARK(LeaveFullScreen1024)->Unit(benchmark::kMillisecond);
BENCHMARK(AnchorQtFullDecode1024)->Unit(benchmark::kMillisecond);
BENCHMARK(EnterFullScreen1600)->Unit(benchmark::kMillisecond);
BENCHMARK(LeaveFullScreen1600)->Unit(benchmark::kMillisecond);
BENCHMARK(AnchorQtFullDecode1600)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
