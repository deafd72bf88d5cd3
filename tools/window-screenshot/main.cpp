// Shows the main window on an album, off any screen, and writes what it shows as a PNG picture:
// window-screenshot ALBUM.xml PICTURE.png. The store pages use the picture.

#include "AppState.h"
#include "frmMain.h"
#include "platform/PlatformSeam.h"
#include "platform/SettingsStore.h"

#include <QApplication>
#include <QPixmap>

#include <cstdio>
#include <cstdlib>

namespace {

// Answers as a user would who wants to see the album: every box OK, the about box closed at once.
class QuietSeam final : public PlatformSeam {
public:
    MessageAnswer messageBox(std::string_view text, MessageButtons, MessageIcon, std::string_view) override {
        std::fprintf(stderr, "the window said: %.*s\n", static_cast<int>(text.size()), text.data());
        m_complained = true;
        return MessageAnswer::Ok;
    }
    std::string inputBox(std::string_view, std::string_view, std::string_view) override { return {}; }
    FileDialogResult fileDialog(const FileDialogRequest&) override { return {}; }
    ModalResult runModal(QDialog&) override { return ModalResult::Accepted; }
    void openWithDefaultApplication(std::string_view, LaunchFailed) override {}
    void openInTextEditor(std::string_view, LaunchFailed) override {}
    void setClipboardText(std::string_view) override {}
    std::string clipboardText() override { return {}; }
    bool complained() const { return m_complained; }

private:
    bool m_complained = false;
};

// Nothing stored and nothing kept: the first run's about box comes and goes through the seam.
class NoStore final : public SettingsStore {
public:
    std::optional<std::string> readText(std::string_view, std::string_view) override { return std::nullopt; }
    void writeText(std::string_view, std::string_view, std::string_view) override {}
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: window-screenshot ALBUM.xml PICTURE.png\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QuietSeam seam;
    NoStore store;
    AppState state(seam, store, Environment{"/tmp", "/tmp", argv[1]});
    frmMain window(state);
    window.Form_Load();
    window.show();
    QApplication::processEvents();
    if (seam.complained())
        return 1;
    if (!window.grab().save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
