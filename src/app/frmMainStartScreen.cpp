// What the picture area shows before any album: the start screen and the toolbar captions; the
// toolbar highlight; dragging the window by its face.

#include "frmMain.h"

#include "AppVersion.h"
#include "platform/Controls.h"
#include "platform/PictureArea.h"
#include "platform/Twips.h"
#include "platform/WindowDrag.h"

#include <limits>

namespace {
const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kLightGrey(220, 220, 220);
const QColor kGrey(180, 180, 180);

void printIn(PictureArea& area, double points, const QColor& color, const std::string& text) {
    area.setFontSize(points);
    area.setForeColor(color);
    area.print(text);
}

std::int16_t clampToInt16(int value) {
    return static_cast<std::int16_t>(std::clamp<int>(value, std::numeric_limits<std::int16_t>::min(),
                                                     std::numeric_limits<std::int16_t>::max()));
}
} // namespace

void frmMain::DrawStartScreen() {
    // The start screen takes the place of a page not yet drawn.
    m_pageStale = false;
    PictureArea& area = *pbxShow;
    area.setPersistentDrawing(true);
    area.setPosition(1, 1);
    printIn(area, 14, kBlack, "\r\n  Sims 2  Brindlecove");
    area.setCurrentY(30);
    printIn(area, 14, kWhite, "\r\n  Sims 2  Brindlecove");
    printIn(area, 10, kLightGrey, "    ver. " + versionNumbers() + " alpha");
    printIn(area, 10, kGrey, std::string("\r\n    by ") + kAuthorName);
    printIn(area, 8, kGrey, "\r\n    Halvergate Software");
    printIn(area, 8, kGrey, std::string("    ") + kMakerWebAddress + "\r\n");
    printIn(area, 16, kGrey, "   Freeware Application");
    // The paragraphs were laid out for a narrower face than ours: narrow it so no line runs off the edge.
    area.setFontStretch(92);
    printIn(area, 8, kGrey,
            "\r\n   For use with The Sims 2 Game [(r) EA Games]. This allows you to access your ");
    printIn(area, 8, kGrey,
            "   neighborhood or family story albums outside of the game.  You may view, edit, ");
    printIn(area, 8, kGrey,
            "   and export your storybook photo album to HTML for creating an Internet weblog.");
    printIn(area, 8, kGrey,
            "\r\n   The developer, hosting provider, or any other party affiliated with this software ");
    printIn(area, 8, kGrey,
            "   may not be held liable for any damages in any form resulting from the use of these ");
    printIn(area, 8, kGrey,
            "   software, tools or utilities. You may use this at your own risk. By downloading any");
    area.setFontStretch(100);
    area.setPosition(4000, 800);
    printIn(area, 48, kBlack, "F1");
    area.setPosition(4000, 1700);
    printIn(area, 16, kBlack, "For Help");
    area.setPosition(4040, 840);
    printIn(area, 48, kWhite, "F1");
    area.setPosition(4030, 1720);
    printIn(area, 16, kWhite, "For Help");
    area.setPersistentDrawing(false);
}

void frmMain::DrawToolbarLabels() {
    PictureArea& area = *pbxShow;
    area.setPersistentDrawing(true);
    area.setPosition(1980, 5);
    printIn(area, 8, QColor(180, 180, 200), "Open  Save  SaveAs  Edit  Snapshot  Tools            Exit");
    area.setPersistentDrawing(false);
}

void frmMain::HighlightButton(ImageHotspot* hotspot) {
    if (hotspot) {
        hotspot->setHighlight(1);
        return;
    }
    for (ImageHotspot* each : {btnExit, btnLoad, btnSave, btnSaveAs, btnEdit, btnImage, btnTools})
        each->setHighlight(0);
}

void frmMain::Form_MouseMove(int Button) {
    if (Button == 1)
        startWindowDrag(*this);
    storeWindowPlace();
}

void frmMain::storeWindowPlace() {
    // The stored place is 16-bit twips; a window beyond that range keeps the nearest value.
    m_state.intWindowTop = clampToInt16(pixelsToTwips(y()));
    m_state.intWindowLeft = clampToInt16(pixelsToTwips(x()));
}
