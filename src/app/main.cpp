#include "AppState.h"
#include "AppVersion.h"
#include "frmMain.h"
#include "platform/Environment.h"
#include "platform/QtSeam.h"
#include "platform/SettingsStore.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

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
    window.show();
    // Without a window manager nobody else gives the new window the keyboard.
    window.activateWindow();
    // The icon is only for the task list; reading it can wait until the window has appeared.
    QTimer::singleShot(0, &window,
                       [] { QApplication::setWindowIcon(QIcon(QStringLiteral(":/assets/icon.png"))); });
    return QApplication::exec();
}
