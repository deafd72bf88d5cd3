// Another program on the display: puts its first argument on the clipboard, says "ready", and quits
// when its standard input closes, leaving the clipboard without an owner.
#include <QClipboard>
#include <QGuiApplication>
#include <QSocketNotifier>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    QGuiApplication::clipboard()->setText(QString::fromUtf8(argc > 1 ? argv[1] : ""));
    // Once the event loop runs, the display has been told who owns the clipboard.
    QTimer::singleShot(0, [] {
        std::puts("ready");
        std::fflush(stdout);
    });
    QSocketNotifier input(0, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &application, &QCoreApplication::quit);
    return application.exec();
}
