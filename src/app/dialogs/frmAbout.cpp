#include "frmAbout.h"

#include "AppVersion.h"
#include "artwork/FaceArtwork.h"
#include "platform/Controls.h"
#include "platform/PlatformSeam.h"
#include "platform/QtText.h"
#include "platform/Twips.h"
#include "platform/WindowDrag.h"

#include <QDir>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace {
constexpr const char* kDisclaimer =
    "This program is freeware: free of charge, to be passed on only unchanged, and offered as it is "
    "without any warranty. It is not made, supported or endorsed by the makers of The Sims 2. Keep a "
    "copy of your storybook albums before you edit them.";

} // namespace

frmAbout::frmAbout(PlatformSeam& seam, std::string programFolder, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_seam(seam),
      m_programFolder(std::move(programFolder)) {
    setObjectName(QStringLiteral("frmAbout"));
    setModal(true);
    setFixedSize(twipsToPixels(5340), twipsToPixels(3210));
    m_background = QPixmap::fromImage(builtInArtwork("about"));
    createControls();
    Form_Load();
    trackWindowDrag(*this);
}

void frmAbout::createControls() {
    m_picIcon = new QLabel(this);
    m_picIcon->setGeometry(twipsRect(240, 240, 540, 540));
    m_picIcon->setAutoFillBackground(true);
    m_picIcon->setStyleSheet(QStringLiteral("background-color: white;"));
    m_picIcon->setAlignment(Qt::AlignCenter);
    const QPixmap icon = QPixmap::fromImage(builtInArtwork("icon"));
    if (!icon.isNull())
        m_picIcon->setPixmap(icon.scaled(32, 32, Qt::KeepAspectRatio, Qt::SmoothTransformation));

    const auto label = [this](int left, int top, int width, int height) {
        auto* created = new TransparentLabel(this);
        created->setGeometry(twipsRect(left, top, width, height));
        created->setTextColor(Qt::white);
        created->setFont(fontForPoints(kSansFamily, 9.75));
        return created;
    };
    m_lblTitle = label(1050, 240, 3885, 255);
    m_lblTitle->setText(QStringLiteral("Brindlecove"));
    m_lblVersion = label(1050, 630, 3885, 225);
    m_lblDisclaimer = label(255, 945, 4725, 1275);
    m_lblDisclaimer->setWordWrap(true);
    m_lblDisclaimer->setDisabledTextColor(QColor(176, 176, 196));

    m_cmdOk = new ColorButton(this);
    m_cmdOk->setObjectName(QStringLiteral("cmdOk"));
    m_cmdOk->setGeometry(twipsRect(3015, 2565, 1260, 345));
    m_cmdOk->setText(QStringLiteral("OK"));
    m_cmdOk->setFont(fontForPoints(kSansFamily, 9.75));
    m_cmdOk->setDefault(true);
    m_cmdOk->setAutoDefault(true);
    connect(m_cmdOk, &QPushButton::clicked, this, [this] { cmdOk_Click(); });

    m_help = new ColorButton(this);
    m_help->setObjectName(QStringLiteral("Help"));
    m_help->setGeometry(twipsRect(945, 2565, 1275, 330));
    m_help->setText(QStringLiteral("Help"));
    m_help->setFont(fontForPoints(kSansFamily, 9.75));
    m_help->setAutoDefault(false);
    connect(m_help, &QPushButton::clicked, this, [this] { Help_Click(); });
}

void frmAbout::Form_Load() {
    setWindowTitle(QStringLiteral("About ") + QString::fromUtf8(kApplicationTitle));
    m_lblVersion->setText(qText(versionText(kReleaseNote)));
    m_lblDisclaimer->setText(QString::fromUtf8(kDisclaimer));
    m_lblDisclaimer->setEnabled(false);
}

// OK is both the default and the cancel button: Enter and Escape close the box alike.
void frmAbout::cmdOk_Click() {
    accept();
}

void frmAbout::Help_Click() {
    LaunchWebBrowser("helpfile.html");
}

std::string frmAbout::applicationFolder() const {
    const QString program = QString::fromUtf8(m_programFolder).trimmed();
    const QString installed = QDir::cleanPath(program + QStringLiteral("/" BRINDLECOVE_DATA_FROM_PROGRAM));
    return (QFileInfo(installed).isDir() ? installed : program).toUtf8().toStdString();
}

PlatformSeam::LaunchFailed frmAbout::reportNoProgram(PlatformSeam& seam, std::string pathOrAddress) {
    return [&seam, pathOrAddress = std::move(pathOrAddress)] {
        seam.messageBox("No program is set to open " + pathOrAddress +
                            "\n\nChoose one for this kind of document in the desktop's settings.",
                        MessageButtons::Ok, MessageIcon::Critical, "");
    };
}

bool frmAbout::FileExists(std::string_view path) {
    if (path.empty())
        return false;
    const QFileInfo info(qText(path));
    return info.exists() && info.isFile();
}

void frmAbout::LaunchWebBrowser(std::string_view strURL) {
    PlatformSeam& seam = m_seam;
    if (strURL == "HOMEPAGE") {
        seam.openWithDefaultApplication(kHomePageAddress, reportNoProgram(seam, kHomePageAddress));
        return;
    }
    std::string path = applicationFolder() + "/" + std::string(strURL);
    if (FileExists(path)) {
        seam.openWithDefaultApplication(path, reportNoProgram(seam, path));
        return;
    }
    path = seam.inputBox("Please enter the path to the help document.", "Open Help File", path);
    // An empty answer is a cancelled box: nothing to open and nothing to complain about.
    if (path.empty())
        return;
    if (FileExists(path))
        seam.openWithDefaultApplication(path, reportNoProgram(seam, path));
    else
        seam.messageBox("Help file not found!", MessageButtons::Ok, MessageIcon::Critical, "Invalid Path");
}

void frmAbout::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(40, 40, 72));
    if (!m_background.isNull())
        painter.drawPixmap(0, 0, m_background);
    painter.setPen(QPen(QColor(128, 128, 128), 1));
    painter.drawLine(twipsToPixels(90), twipsToPixels(2295), twipsToPixels(5085), twipsToPixels(2295));
    painter.setPen(QPen(Qt::white, 2));
    painter.drawLine(twipsToPixels(105), twipsToPixels(2340), twipsToPixels(5085), twipsToPixels(2340));
}

void frmAbout::mouseMoveEvent(QMouseEvent* event) {
    if (buttonWord(event->buttons()) == 1)
        startWindowDrag(*this);
}

void frmAbout::showEvent(QShowEvent* event) {
    // Centred on the screen, not on the main window, which may not be shown yet.
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    QDialog::showEvent(event);
}
