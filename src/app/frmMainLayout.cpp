// The main window's controls, their fixed places, stacking and focus order, and the window-mode
// layout that full-screen mode returns to.

#include "frmMain.h"

#include "artwork/FaceArtwork.h"

#include "platform/Controls.h"
#include "platform/PictureArea.h"
#include "platform/PopupMenu.h"
#include "platform/StoryTextBox.h"
#include "platform/Twips.h"

#include <QLabel>

namespace {
const QColor kPanelColor(96, 96, 146);
const QColor kStoryBackColor(0, 0, 64);

struct NavButtonDesign {
    const char* caption;
    int left;
    int width;
    double points; // 0: the window's own font
    FontWeight weight;
};

// The row the navigation buttons stand in, in twips.
constexpr int kNavRowLeft = 615;
constexpr int kNavRowTop = 5500;
constexpr int kNavRowWidth = 6135;
constexpr int kNavRowHeight = 315;

// Indexed as the buttons are: 0 back, 1 back ten, 2 first, 3 forward, 4 forward ten, 5 last.
constexpr std::array<NavButtonDesign, 6> kNavButtons = {{
    {"<", 2040, 1635, 13.5, FontWeight::Bold},
    {"<<", 1020, 1005, 9.75, FontWeight::Bold},
    {"|<", 615, 390, 0, FontWeight::Normal},
    {">", 3690, 1635, 13.5, FontWeight::Bold},
    {">>", 5340, 1005, 9.75, FontWeight::Bold},
    {">|", 6360, 390, 0, FontWeight::Normal},
}};
} // namespace

void frmMain::createControls() {
    setSizeTwips(7305, 8415);

    pbxShow = new PictureArea(this);
    pbxShow->setObjectName(QStringLiteral("pbxShow"));
    pbxShow->setGeometryTwips(650, 885, 6000, 4500);
    pbxShow->setBackColor(kPanelColor);

    rtbViewer = new StoryTextBox(this);
    rtbViewer->setObjectName(QStringLiteral("rtbViewer"));
    rtbViewer->setGeometry(twipsRect(615, 5880, 6120, 2160));
    rtbViewer->setFont(fontForPoints(kSansFamily, 12));
    rtbViewer->setColors(QColor(255, 255, 255), kStoryBackColor);

    lblApplicationMode = new TransparentLabel(this);
    lblApplicationMode->setObjectName(QStringLiteral("lblApplicationMode"));
    lblApplicationMode->setGeometry(twipsRect(675, 8100, 2040, 195));
    lblApplicationMode->setFont(fontForPoints(kMonoFamily, 9.75));
    lblApplicationMode->setTextColor(QColor(255, 255, 255));

    lblBragBox = new TransparentLabel(this);
    lblBragBox->setObjectName(QStringLiteral("lblBragBox"));
    lblBragBox->setGeometry(twipsRect(3060, 8100, 3750, 255));
    lblBragBox->setFont(fontForPoints(kSansFamily, 9.75));
    lblBragBox->setTextColor(QColor(128, 128, 255));

    pbxBlanket = new PictureArea(this);
    pbxBlanket->setObjectName(QStringLiteral("pbxBlanket"));
    pbxBlanket->setGeometryTwips(0, 0, 1, 1);
    pbxBlanket->setBackColor(kStoryBackColor);
    pbxBlanket->hide();

    pbxThumbnail = new PictureArea(pbxShow);
    pbxThumbnail->setObjectName(QStringLiteral("pbxThumbnail"));
    pbxThumbnail->setGeometryTwips(3930, 345, 1950, 1470);
    pbxThumbnail->setBackColor(kPanelColor);
    pbxThumbnail->hide();
    pbxThumbnail->setEnabled(false);

    imgSaving = new QLabel(pbxShow);
    imgSaving->setObjectName(QStringLiteral("imgSaving"));
    imgSaving->setGeometry(twipsRect(1950, 2280, 2130, 1170));
    imgSaving->hide();

    createNavigationButtons();
    createToolbar();
    createSideButtons();
    // Its items are made from the command table's rows.
    mnuPopup = new PopupMenu(this);
    mnuPopup->setObjectName(QStringLiteral("mnuPopup"));
    arrangeStackingAndTabs();
}

void frmMain::createNavigationButtons() {
    // Shown and hidden as one: each child shown or hidden alone costs a round trip to the X server
    // for the pointer. The row paints nothing, and a press between two buttons goes on to the face.
    m_navigationRow = new QWidget(this);
    m_navigationRow->setObjectName(QStringLiteral("navigationRow"));
    // Tracked, so that a move between two buttons reaches the face as it did before the row.
    m_navigationRow->setMouseTracking(true);
    m_navigationRow->setGeometry(twipsRect(kNavRowLeft, kNavRowTop, kNavRowWidth, kNavRowHeight));
    for (std::size_t index = 0; index < cmdNav.size(); ++index) {
        const NavButtonDesign& design = kNavButtons[index];
        auto* button = new ColorButton(m_navigationRow);
        button->setObjectName(QStringLiteral("cmdNav_%1").arg(index));
        button->setText(QString::fromLatin1(design.caption));
        button->setGeometry(twipsRect(design.left - kNavRowLeft, 0, design.width, kNavRowHeight));
        button->setBackColor(kPanelColor);
        button->setAutoDefault(false);
        if (design.points > 0)
            button->setFont(fontForPoints(kSansFamily, design.points, design.weight));
        cmdNav[index] = button;
    }
}

void frmMain::createToolbar() {
    const auto hotspot = [this](const char* name, const char* tip, int left, int top, int height) {
        auto* created = new ImageHotspot(this);
        created->setObjectName(QString::fromLatin1(name));
        created->setToolTip(QString::fromLatin1(tip));
        created->setGeometry(twipsRect(left, top, 420, height));
        return created;
    };
    btnLoad = hotspot("btnLoad", "Open Storybook", 2655, 405, 420);
    btnSave = hotspot("btnSave", "Save Storybook", 3180, 405, 420);
    btnSaveAs = hotspot("btnSaveAs", "Save As (xml or html)", 3690, 405, 420);
    btnEdit = hotspot("btnEdit", "Edit Mode", 4215, 405, 420);
    btnImage = hotspot("btnImage", "Snapshot Browser", 4695, 405, 420);
    btnTools = hotspot("btnTools", "Options and Settings", 5220, 405, 420);
    btnExit = hotspot("btnExit", "Exit", 6255, 405, 420);
    btnView = hotspot("btnView", "View Details", 90, 630, 390);
    btnView->setEnabled(false);
}

void frmMain::createSideButtons() {
    const auto sideButton = [](QWidget* container, const char* name) {
        auto* created = new PictureButton(container);
        created->setObjectName(QString::fromLatin1(name));
        created->setPicture(builtInArtwork(name));
        created->setFocusPolicy(Qt::TabFocus);
        created->hide();
        created->setEnabled(false);
        return created;
    };
    sbtnDelete = sideButton(this, "sbtnDelete");
    sbtnTools1 = sideButton(this, "sbtnTools1");
    sbtnMovePg = sideButton(pbxShow, "sbtnMovePg");
    sbtnSticky = sideButton(pbxShow, "sbtnSticky");
    sbtnStuck = sideButton(pbxShow, "sbtnStuck");
    sbtnTools2 = sideButton(pbxShow, "sbtnTools2");
    sbtnTools3 = sideButton(pbxShow, "sbtnTools3");
    sbtnTools4 = sideButton(pbxShow, "sbtnTools4");
    sbtnTools5 = sideButton(pbxShow, "sbtnTools5");
}

void frmMain::arrangeStackingAndTabs() {
    // Raised from the back: the labels and hotspots stay on the face beneath everything.
    pbxBlanket->raise();
    pbxShow->raise();
    sbtnDelete->raise();
    m_navigationRow->raise();
    rtbViewer->raise();
    sbtnTools1->raise();

    const std::array<QWidget*, 17> focusOrder = {pbxShow,    cmdNav[2],  cmdNav[1],  cmdNav[0],  cmdNav[3],
                                                 cmdNav[4],  cmdNav[5],  rtbViewer,  sbtnSticky, sbtnDelete,
                                                 sbtnStuck,  sbtnTools1, sbtnTools2, sbtnTools3, sbtnTools4,
                                                 sbtnTools5, sbtnMovePg};
    for (std::size_t i = 1; i < focusOrder.size(); ++i)
        setTabOrder(focusOrder[i - 1], focusOrder[i]);
    setTabOrder(sbtnMovePg, pbxThumbnail);
    setTabOrder(pbxThumbnail, pbxBlanket);
}

void frmMain::SetWindowMode() {
    setSizeTwips(7305, 8415);
    pbxShow->setSizeTwips(6000, 4500);
    pbxShow->move(twipsToPixels(650), twipsToPixels(885));
    moveTwips(m_state.intWindowLeft, m_state.intWindowTop);
    m_navigationRow->show();
    rtbViewer->show();
    rtbViewer->setGeometry(twipsRect(615, 5880, 6120, 2160));
    pbxBlanket->hide();
    pbxBlanket->setGeometryTwips(0, 0, 1, 1);

    const std::array<std::pair<PictureButton*, QPoint>, 9> sidePlaces = {{
        {sbtnMovePg, {3225, -105}},
        {sbtnDelete, {4245, 780}},
        {sbtnSticky, {3945, -105}},
        {sbtnStuck, {3945, -105}},
        {sbtnTools5, {4230, -105}},
        {sbtnTools4, {3510, -105}},
        {sbtnTools3, {3870, -105}},
        {sbtnTools2, {4230, -105}},
        {sbtnTools1, {5250, 780}},
    }};
    m_sidePanel = SidePanel::None;
    for (const auto& [button, place] : sidePlaces) {
        button->setGeometry(twipsRect(place.x(), place.y(), 360, 420));
        button->hide();
        button->setEnabled(false);
    }
    pbxThumbnail->setGeometryTwips(3930, 345, 1950, 1470);
    pbxThumbnail->hide();
    pbxThumbnail->setEnabled(false);
    imgSaving->hide();

    setWindowTitle(QStringLiteral("Brindlecove"));
}
