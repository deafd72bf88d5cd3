#include "AppState.h"
#include "AppVersion.h"
#include "CommandLine.h"
#include "artwork/FaceArtwork.h"
#include "frmMain.h"
#include "platform/DisplayCheck.h"
#include "platform/Environment.h"
#include "platform/QtSeam.h"
#include "platform/SettingsStore.h"

#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QPixmap>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {

// Runs a piece of work once the window has painted its first frame: what the first screen does not
// show waits until the user already sees the window.
class AfterFirstPaint : public QObject {
public:
    AfterFirstPaint(QWidget& window, std::function<void()> work) : QObject(&window), m_work(std::move(work)) {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, this, [this] {
                m_work();
                deleteLater();
            });
        }
        return false;
    }

private:
    std::function<void()> m_work;
};

bool platformGivenAsArgument(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "-platform")
            return true;
    }
    return false;
}

int reportMistake(const CommandLineRequest& request) {
    std::fprintf(stderr, "brindlecove: %s\nTry 'brindlecove --help'.\n", request.mistake.c_str());
    return 2;
}

// Answers what needs no window, and makes sure Qt has a screen before it looks for one. Returns the
// exit code when the program ends here.
std::optional<int> beforeTheApplication(int argc, char* argv[]) {
    const CommandLineRequest::Kind textOnly =
        textOnlyRequest(std::vector<std::string>(argv + 1, argv + argc));
    if (textOnly != CommandLineRequest::Kind::Run) {
        std::fputs((textOnly == CommandLineRequest::Kind::Help ? usageText() : versionLine()).c_str(),
                   stdout);
        return 0;
    }
    if (platformGivenAsArgument(argc, argv))
        return std::nullopt;
    const DisplayChoice display = chooseDisplay(
        [](const char* name) {
            const char* value = std::getenv(name);
            return std::string(value ? value : "");
        },
        localSocketAnswers);
    if (!display.usable) {
        // A wrong command line is the first thing to mend, screen or not. Qt has not taken its own
        // options out yet, but without a screen they are of no use either.
        const CommandLineRequest request = readCommandLine(std::vector<std::string>(argv + 1, argv + argc));
        if (request.kind == CommandLineRequest::Kind::Mistake)
            return reportMistake(request);
    }
    if (!display.note.empty())
        std::fprintf(stderr, "%s\n", display.note.c_str());
    if (!display.usable)
        return 1;
    if (!display.platform.empty())
        qputenv("QT_QPA_PLATFORM", QByteArray::fromStdString(display.platform));
    return std::nullopt;
}

} // namespace

int main(int argc, char* argv[]) {
#if defined(__GLIBC__)
    // A block of 64 KB or more (a picture, an album's bytes) is mapped on its own and goes back to the
    // system when let go. By default glibc raises that bound to the largest block freed so far, after
    // which every picture let go stays in the heap for good.
    mallopt(M_MMAP_THRESHOLD, 64 * 1024);
#endif
    if (const std::optional<int> exitCode = beforeTheApplication(argc, argv))
        return *exitCode;
    QApplication application(argc, argv);
    // Qt has taken its own options out of argv by now; the rest keeps the file system's bytes.
    const CommandLineRequest request = readCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (request.kind == CommandLineRequest::Kind::Mistake)
        return reportMistake(request);
    QApplication::setApplicationName(QString::fromLatin1(kApplicationTitle));
    QApplication::setOrganizationName(QStringLiteral("Halvergate Software"));
    // Wayland compositors find the icon and the name through the installed desktop entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.brindlecove"));

    QtSeam seam(kApplicationTitle);
    QtSettingsStore settings;
    Environment environment = Environment::fromApplication();
    environment.commandLineText = request.album;
    AppState state(seam, settings, environment);

    frmMain window(state);
    seam.setOwner(&window);
    window.holdDecodingAhead();
    window.Form_Load();
    if (window.endRequested())
        return 0;
    // The first showing stands in the middle of the screen.
    window.centreOnScreen();
    // The icon is only for the task list.
    new AfterFirstPaint(window, [&window] {
        window.releaseDecodingAhead();
        QApplication::setWindowIcon(QPixmap::fromImage(builtInArtwork("windowIcon")));
    });
    window.show();
    // Without a window manager nobody else gives the new window the keyboard.
    window.activateWindow();
    return QApplication::exec();
}
