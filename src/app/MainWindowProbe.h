#pragma once
// What tests and benchmarks read of the main window that the user sees: the picture area, the
// story box, the navigation buttons, the mode and brag lines, the full-screen blanket, the moved
// page's thumbnail, the saving picture and the popup menu. The window itself keeps them private.
// The toolbar hotspots and the side buttons are reached by the command they raise (control<>).

#include "frmMain.h"
#include "platform/PopupMenu.h"

#include <QAction>
#include <QMenu>

#include <string_view>

class MainWindowProbe {
public:
    explicit MainWindowProbe(frmMain& window)
        : pbxShow(window.pbxShow), rtbViewer(window.rtbViewer), cmdNav(window.cmdNav),
          lblApplicationMode(window.lblApplicationMode), lblBragBox(window.lblBragBox),
          pbxBlanket(window.pbxBlanket), pbxThumbnail(window.pbxThumbnail), imgSaving(window.imgSaving),
          mnuPopup(window.mnuPopup) {}

    PictureArea* pbxShow;
    StoryTextBox* rtbViewer;
    std::array<ColorButton*, 6> cmdNav;
    TransparentLabel* lblApplicationMode;
    TransparentLabel* lblBragBox;
    PictureArea* pbxBlanket;
    PictureArea* pbxThumbnail;
    QLabel* imgSaving;
    PopupMenu* mnuPopup;

    // The popup item or submenu that reads this text.
    QAction* menuItem(std::string_view text) const {
        for (QAction* item : mnuPopup->menu()->findChildren<QAction*>())
            if (item->text().toStdString() == text)
                return item;
        return nullptr;
    }
};

inline MainWindowProbe controls(frmMain& window) {
    return MainWindowProbe(window);
}

// The first control of this kind that the command's row lists, such as the toolbar hotspot or the
// side button that raises it; none when the row lists no such control.
template <class Control> Control* control(const frmMain& window, Command command) {
    for (const CommandRow& row : window.commands())
        if (row.command == command)
            for (const CommandControl& each : row.controls)
                if (Control* const* found = std::get_if<Control*>(&each))
                    return *found;
    return nullptr;
}
