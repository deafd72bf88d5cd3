#pragma once
// The image information window: a small caption-less tool window beside the main window that names
// the snapshot and thumbnail files of the page shown, with a button to copy each name, and the
// album's title, neighbourhood, lot and family. It reads the album and never changes it; it fills
// its fields each time it becomes active, shows nothing of an album that is no longer open, and
// closes with the main window.

#include <QPixmap>
#include <QWidget>

class MainController;
class PlatformSeam;
struct Storybook;
class ColorButton;
class QGroupBox;
class QLabel;
class QLineEdit;

class plgnImageInfo : public QWidget {
    Q_OBJECT
public:
    // Shows the page the controller has current.
    plgnImageInfo(PlatformSeam& seam, const Storybook& book, const MainController& controller,
                  QWidget* owner);

    void Form_Activate();

    QGroupBox* Frame1 = nullptr;
    QLineEdit* txtSnapshot = nullptr;
    ColorButton* cmdCopySnapshot = nullptr;
    QGroupBox* Frame2 = nullptr;
    QLineEdit* txtThumbnail = nullptr;
    ColorButton* cmdCopyThumbnail = nullptr;
    QGroupBox* Frame3 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* txtTitle = nullptr;
    QLineEdit* txtNeighborhood = nullptr;
    QLineEdit* txtLotName = nullptr;
    QLineEdit* txtFamilyName = nullptr;
    ColorButton* cmdOk = nullptr;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void createControls();
    void cmdCopySnapshot_Click();
    void cmdCopyThumbnail_Click();
    void cmdOk_Click();
    void Form_MouseMove(int Button);
    void CloseOnEscape(int KeyAscii);

    PlatformSeam& m_seam;
    const Storybook& m_book;
    const MainController& m_controller;
    QPixmap m_background;
};
