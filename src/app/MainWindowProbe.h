#pragma once
// The main window's controls as tests and benchmarks reach them, to click, type and look. The
// window itself keeps them private.

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
          btnLoad(window.btnLoad), btnSave(window.btnSave), btnSaveAs(window.btnSaveAs),
          btnEdit(window.btnEdit), btnImage(window.btnImage), btnTools(window.btnTools),
          btnExit(window.btnExit), btnView(window.btnView), pbxBlanket(window.pbxBlanket),
          sbtnDelete(window.sbtnDelete), sbtnTools1(window.sbtnTools1), sbtnMovePg(window.sbtnMovePg),
          sbtnSticky(window.sbtnSticky), sbtnStuck(window.sbtnStuck), sbtnTools2(window.sbtnTools2),
          sbtnTools3(window.sbtnTools3), sbtnTools4(window.sbtnTools4), sbtnTools5(window.sbtnTools5),
          pbxThumbnail(window.pbxThumbnail), imgSaving(window.imgSaving), mnuPopup(window.mnuPopup) {}

    PictureArea* pbxShow;
    StoryTextBox* rtbViewer;
    std::array<ColorButton*, 6> cmdNav;
    TransparentLabel* lblApplicationMode;
    TransparentLabel* lblBragBox;
    ImageHotspot* btnLoad;
    ImageHotspot* btnSave;
    ImageHotspot* btnSaveAs;
    ImageHotspot* btnEdit;
    ImageHotspot* btnImage;
    ImageHotspot* btnTools;
    ImageHotspot* btnExit;
    ImageHotspot* btnView;
    PictureArea* pbxBlanket;
    PictureButton* sbtnDelete;
    PictureButton* sbtnTools1;
    PictureButton* sbtnMovePg;
    PictureButton* sbtnSticky;
    PictureButton* sbtnStuck;
    PictureButton* sbtnTools2;
    PictureButton* sbtnTools3;
    PictureButton* sbtnTools4;
    PictureButton* sbtnTools5;
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
