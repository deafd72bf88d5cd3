// The application's own start, as the program runs it, on a settings file that has seen this
// version before (so the start screen, not the about box, is what appears). "--prepare FILE"
// writes such a file and ends; "FILE" starts on it.
#include "AppState.h"
#include "AppVersion.h"
#include "PaintProbe.h"
#include "frmMain.h"
#include "platform/Environment.h"
#include "platform/QtSeam.h"
#include "platform/SettingsStore.h"
#include "settings/Settings.h"

#include <QApplication>

#include <cstring>

int main(int argc, char* argv[]) {
    if (argc == 3 && std::strcmp(argv[1], "--prepare") == 0) {
        QtSettingsStore settings(QString::fromLocal8Bit(argv[2]));
        settings.writeText(kSettingsKeyPath, "ApplicationVersion", versionText(kReleaseNote));
        settings.writeText(kSettingsKeyPath, "RunsForThisVersion", "1");
        return 0;
    }
    if (argc != 2)
        return 2;
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(kApplicationTitle));
    QtSettingsStore settings(QString::fromLocal8Bit(argv[1]));

    QtSeam seam(kApplicationTitle);
    // The argument names the settings file, not an album to open.
    Environment environment = Environment::fromApplication();
    environment.commandLineText.clear();
    AppState state(seam, settings, environment);
    frmMain window(state);
    seam.setOwner(&window);
    PaintProbe probe;
    window.installEventFilter(&probe);
    window.Form_Load();
    window.centreOnScreen();
    window.show();
    return QApplication::exec();
}
