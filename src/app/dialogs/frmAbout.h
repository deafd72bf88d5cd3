#pragma once
// The about box: title, version and disclaimer on the artwork, with OK and Help. It also carries
// the launcher for the help document and the home page, which works without the box shown.

#include "platform/PlatformSeam.h"

#include <QDialog>

#include <string>
#include <string_view>

class PlatformSeam;
class ColorButton;
class TransparentLabel;
class QLabel;

class frmAbout : public QDialog {
    Q_OBJECT
public:
    // The program folder is where the program was started from; the documents stand beside it or
    // in the data folder installed with it.
    frmAbout(PlatformSeam& seam, std::string programFolder, QWidget* parent = nullptr);

    // "HOMEPAGE" opens the home page; any other text names a document in the program's folder.
    void LaunchWebBrowser(std::string_view strURL);
    // True for an existing ordinary file; never for an empty path.
    static bool FileExists(std::string_view path);
    // The folder of the help document and the licence: the program's own (blanks at either end
    // removed), or the data folder beside it once installed.
    std::string applicationFolder() const;
    // Tells the user that the desktop has no program to open the document or address.
    static PlatformSeam::LaunchFailed reportNoProgram(PlatformSeam& seam, std::string pathOrAddress);

    ColorButton* cmdOk() const { return m_cmdOk; }
    ColorButton* helpButton() const { return m_help; }
    TransparentLabel* lblVersion() const { return m_lblVersion; }
    TransparentLabel* lblDisclaimer() const { return m_lblDisclaimer; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void createControls();
    void Form_Load();
    void cmdOk_Click();
    void Help_Click();

    PlatformSeam& m_seam;
    std::string m_programFolder;
    QPixmap m_background;
    QLabel* m_picIcon = nullptr;
    TransparentLabel* m_lblTitle = nullptr;
    TransparentLabel* m_lblVersion = nullptr;
    TransparentLabel* m_lblDisclaimer = nullptr;
    ColorButton* m_cmdOk = nullptr;
    ColorButton* m_help = nullptr;
};
