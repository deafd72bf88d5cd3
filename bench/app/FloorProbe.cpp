// The floor: the least a Qt Widgets program does to show one caption-less window of the main
// window's size. With "--text" it also shows one line of text, which brings up the font system,
// a cost no window with words on it escapes. Its first paint is reported by the same probe as the
// application's.
#include <QApplication>
#include <QLabel>
#include <QWidget>

#include <cstring>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    window.setFixedSize(487, 561);
    if (argc > 1 && std::strcmp(argv[1], "--text") == 0)
        (new QLabel(QStringLiteral("Initialized"), &window))->move(45, 540);
    window.show();
    return QApplication::exec();
}
