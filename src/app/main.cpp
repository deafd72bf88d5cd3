#include "AppState.h"
#include "AppVersion.h"
#include "artwork/FaceArtwork.h"
#include "frmMain.h"
#include "platform/Environment.h"
#include "platform/QtSeam.h"
#include "platform/SettingsStore.h"

#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QPixmap>
#include <QTimer>

#include <functional>

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

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(kApplicationTitle));
    QApplication::setOrganizationName(QStringLiteral("Halvergate Software"));

    QtSeam seam(kApplicationTitle);
    QtSettingsStore settings;
    AppState state(seam, settings, Environment::fromApplication());

    frmMain window(state);
    seam.setOwner(&window);
    window.Form_Load();
    if (window.endRequested())
        return 0;
    // The first showing stands in the middle of the screen.
    window.centreOnScreen();
    // The icon is only for the task list.
    new AfterFirstPaint(window,
                        [] { QApplication::setWindowIcon(QPixmap::fromImage(builtInArtwork("icon"))); });
    window.show();
    // Without a window manager nobody else gives the new window the keyboard.
    window.activateWindow();
    return QApplication::exec();
}
