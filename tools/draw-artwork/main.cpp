// Draws the window artwork and writes it as PNG files into the assets folder (or the folder given
// as the one argument). Run it after changing the drawing code and commit the pictures.

#include "Pictures.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>
#include <utility>
#include <vector>

namespace {

bool writePicture(const QDir& folder, const QString& name, const QImage& picture) {
    const QString path = folder.filePath(name);
    if (!picture.save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s %dx%d\n", qPrintable(path), picture.width(), picture.height());
    return true;
}

} // namespace

int main(int argc, char** argv) {
    // Fonts need a GUI application, but no screen: draw without one.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    const QDir folder(arguments.size() > 1 ? arguments.at(1) : QStringLiteral(BRINDLECOVE_ASSETS_DIR));
    if (!folder.exists() && !QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(folder.path()));
        return 1;
    }

    using art::Glyph;
    using art::TabGroup;
    const std::vector<std::pair<QString, QImage>> pictures = {
        {"background.png", art::drawBackground()},
        {"sbtnDelete.png", art::drawSideButton(Glyph::Trash, TabGroup::Page)},
        {"sbtnMovePg.png", art::drawSideButton(Glyph::MovePage, TabGroup::Page)},
        {"sbtnSticky.png", art::drawSideButton(Glyph::Pin, TabGroup::Page)},
        {"sbtnStuck.png", art::drawSideButton(Glyph::Unpin, TabGroup::Page)},
        {"sbtnTools1.png", art::drawSideButton(Glyph::Gear, TabGroup::Tool)},
        {"sbtnTools2.png", art::drawSideButton(Glyph::FoldUp, TabGroup::Tool)},
        {"sbtnTools3.png", art::drawSideButton(Glyph::Wrench, TabGroup::Tool)},
        {"sbtnTools4.png", art::drawSideButton(Glyph::Toolbox, TabGroup::Tool)},
        {"sbtnTools5.png", art::drawSideButton(Glyph::Reverse, TabGroup::Tool)},
        {"saving.png", art::drawSavingPicture()},
        {"about.png", art::drawAboutBackground()},
        {"info.png", art::drawInfoBackground()},
        {"icon.png", art::drawApplicationIcon()},
    };
    bool written = true;
    for (const auto& [name, picture] : pictures)
        written = writePicture(folder, name, picture) && written;
    return written ? 0 : 1;
}
