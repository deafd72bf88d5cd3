#include "frmConfigure.h"

#include "artwork/FaceArtwork.h"
#include "platform/Twips.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>

#include <algorithm>
#include <utility>

namespace {

// A check box whose caption wraps inside the box's own width, with an indicator that fits the
// box's height, and which answers a click anywhere on it, caption included.
class WrappingCheckBox : public QCheckBox {
public:
    WrappingCheckBox(const QString& caption, QWidget* parent) : QCheckBox(caption, parent) {}

protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        const int side = std::min(style()->pixelMetric(QStyle::PM_IndicatorHeight, &option, this), height());
        option.rect = QRect(0, (height() - side) / 2, side, side);
        style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &painter, this);
        const QRect caption = rect().adjusted(side + 4, 0, 0, 0);
        painter.setPen(
            palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
        const QRect used =
            painter.boundingRect(caption, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, text());
        painter.drawText(caption, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, text());
        if (hasFocus()) {
            QStyleOptionFocusRect focus;
            focus.initFrom(this);
            focus.rect = used.adjusted(-1, 0, 1, 0) & rect();
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
        }
    }
};

} // namespace

frmConfigure::frmConfigure(StoredSettings values, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      m_values(std::move(values)) {
    setObjectName(QStringLiteral("frmConfigure"));
    setModal(true);
    setWindowTitle(QStringLiteral("Application Settings"));
    setWindowIcon(QIcon(QPixmap::fromImage(builtInArtwork("windowIcon"))));
    setFont(fontForPoints(kSansFamily, 8.25));
    setFixedSize(twipsToPixels(6150), twipsToPixels(3585));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    createControls();
    Form_Load();
}

void frmConfigure::createControls() {
    const auto frame = [this](const char* caption, QRect place) {
        auto* created = new QGroupBox(QString::fromUtf8(caption), this);
        created->setGeometry(place);
        return created;
    };
    const auto checkBox = [](const char* caption, QWidget* parent, QRect place) {
        QCheckBox* created = new WrappingCheckBox(QString::fromUtf8(caption), parent);
        created->setGeometry(place);
        return created;
    };
    const auto button = [](const char* caption, QWidget* parent, QRect place) {
        auto* created = new QPushButton(QString::fromUtf8(caption), parent);
        created->setGeometry(place);
        return created;
    };

    Frame1 = frame("Path Information", twipsRect(90, 90, 5970, 1485));
    Label1 = new QLabel(QStringLiteral("Default Storybook Path"), Frame1);
    Label1->setGeometry(twipsRect(120, 330, 3315, 240));
    txtDefaultStorybookPath = new QLineEdit(Frame1);
    txtDefaultStorybookPath->setGeometry(twipsRect(90, 540, 5745, 255));
    txtDefaultStorybookPath->setFont(fontForPoints(kSansFamily, 6.75));
    cmdPathDefault = button("use default", Frame1, twipsRect(180, 855, 1095, 240));
    cmdPathDefault->setEnabled(false);
    chkRevert = checkBox("open always reverts to default path", Frame1, twipsRect(1485, 900, 3255, 195));
    chkRevert->setEnabled(false);
    cmdPathCurrent = button("use current", Frame1, twipsRect(180, 1125, 1095, 240));
    cmdPathCurrent->setEnabled(false);
    chkLastUsed = checkBox("set default to last used path on exit", Frame1, twipsRect(1485, 1125, 3705, 195));

    Frame2 = frame("Viewer Behavior", twipsRect(90, 1620, 5955, 555));
    Check1 = checkBox("create backup on save", Frame2, twipsRect(180, 270, 1995, 195));
    Check1->setTristate(true);
    Check1->setCheckState(Qt::PartiallyChecked);
    Check1->setEnabled(false);

    Frame3 = frame("Snapshot Browser Behavior", twipsRect(90, 2250, 5955, 825));
    chkSortThumbnails =
        checkBox("sort snapshots by date (slower load time)", Frame3, twipsRect(180, 270, 2265, 375));
    chkImageCache = checkBox("load image cache warning", Frame3, twipsRect(3150, 360, 2535, 195));
    chkImageCache->setChecked(true);

    cmdOk = button("Ok", this, twipsRect(3465, 3150, 1200, 350));
    Command2 = button("Cancel", this, twipsRect(4770, 3150, 1200, 350));

    // The program's own ticks run the same handling as the user's clicks.
    connect(chkLastUsed, &QCheckBox::stateChanged, this, [this] { chkLastUsed_Click(); });
    connect(chkSortThumbnails, &QCheckBox::stateChanged, this, [this] { chkSortThumbnails_Click(); });
    connect(cmdOk, &QPushButton::clicked, this, [this] { cmdOk_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });

    const QWidget* order[] = {
        txtDefaultStorybookPath, cmdOk,     cmdPathDefault, Check1,        Command2,
        cmdPathCurrent,          chkRevert, chkLastUsed,    chkImageCache, chkSortThumbnails};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(const_cast<QWidget*>(order[i - 1]), const_cast<QWidget*>(order[i]));
}

void frmConfigure::Form_Load() {
    txtDefaultStorybookPath->setEnabled(true);
    chkLastUsed->setEnabled(true);
    chkImageCache->setEnabled(true);
    chkRevert->setEnabled(false);
    txtDefaultStorybookPath->setText(QString::fromStdString(m_values.strDefaultStorybookPath));
    if (m_values.blnSetDefaultToLastUsedPath) {
        txtDefaultStorybookPath->setEnabled(false);
        chkLastUsed->setChecked(true);
    } else {
        chkLastUsed->setChecked(false);
    }
    // The stored text decides, not the flag the snapshot command may have switched off for this run.
    chkImageCache->setChecked(m_values.strLoadImageCacheWarning == "True");
    chkSortThumbnails->setChecked(m_values.blnLoadImageSortByDate);
}

void frmConfigure::cmdOk_Click() {
    m_values.strDefaultStorybookPath = txtDefaultStorybookPath->text().toStdString();
    m_values.blnSetDefaultToLastUsedPath = chkLastUsed->checkState() != Qt::Unchecked;
    const bool warn = chkImageCache->checkState() == Qt::Checked;
    m_values.strLoadImageCacheWarning = warn ? "True" : "False";
    m_values.blnLoadImageCacheWarning = warn;
    m_values.blnLoadImageSortByDate = chkSortThumbnails->checkState() == Qt::Checked;
    accept();
}

void frmConfigure::Command2_Click() {
    reject();
}

void frmConfigure::chkLastUsed_Click() {
    txtDefaultStorybookPath->setEnabled(chkLastUsed->checkState() != Qt::Checked);
}

// The snapshot browser scans its folder afresh next time, whatever the box now says.
void frmConfigure::chkSortThumbnails_Click() {
    m_sortTouched = true;
}
