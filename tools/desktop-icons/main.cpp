// Writes the application icon at the sizes desktops look for, as the icon theme lays them out:
// desktop-icons ICON.png FOLDER NAME SIZE...  gives FOLDER/SIZExSIZE/apps/NAME.png for each size.

#include <QDir>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: desktop-icons ICON.png FOLDER NAME SIZE...\n");
        return 2;
    }
    const QImage icon(QString::fromLocal8Bit(argv[1]));
    if (icon.isNull()) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    const QDir folder(QString::fromLocal8Bit(argv[2]));
    const QString name = QString::fromLocal8Bit(argv[3]);
    for (int i = 4; i < argc; ++i) {
        const int size = QString::fromLocal8Bit(argv[i]).toInt();
        const QString sizeFolder = QStringLiteral("%1x%1/apps").arg(size);
        const QString path = folder.filePath(sizeFolder + QLatin1Char('/') + name + QStringLiteral(".png"));
        const QImage scaled = icon.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        if (size <= 0 || !folder.mkpath(sizeFolder) || !scaled.save(path, "PNG")) {
            std::fprintf(stderr, "cannot write the %s icon %s\n", argv[i], qPrintable(path));
            return 1;
        }
    }
    return 0;
}
