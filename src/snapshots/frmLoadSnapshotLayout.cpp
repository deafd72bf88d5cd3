// The browser's window: six frames with their controls at their twips, fonts, colours and tab order.

#include "frmLoadSnapshot.h"

#include "platform/Controls.h"
#include "platform/PictureArea.h"
#include "platform/Twips.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>

namespace {

const QColor kDarkBlue = rgb(96, 96, 146);
const QColor kWhite = rgb(255, 255, 255);

// The client area: the outer size of 6,420 by 3,915 twips less a thin border and the caption bar,
// which the window manager adds.
constexpr int kClientWidth = 6330;
constexpr int kClientHeight = 3885;

void colorText(QWidget* widget, const QColor& text, const QColor& back) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Base, back);
    palette.setColor(QPalette::Window, back);
    palette.setColor(QPalette::Highlight, text);
    palette.setColor(QPalette::HighlightedText, back);
    widget->setPalette(palette);
}

ColorButton* button(QWidget* parent, const char* name, const char* text, QRect place, double points) {
    auto* created = new ColorButton(parent);
    created->setObjectName(QString::fromLatin1(name));
    created->setText(QString::fromLatin1(text));
    created->setGeometry(place);
    created->setFont(fontForPoints(kSansFamily, points));
    created->setBackColor(kDarkBlue);
    created->setTextColor(kWhite);
    return created;
}

// A frame whose caption stands in its top border line, clear of the controls below it.
class CaptionFrame : public QWidget {
public:
    CaptionFrame(const QString& caption, QWidget* parent) : QWidget(parent), m_caption(caption) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QFontMetrics metrics(font());
        const int line = metrics.height() / 2;
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(QRect(0, line, width() - 1, height() - line - 1));
        const QRect text(7, 0, metrics.horizontalAdvance(m_caption) + 4, metrics.height());
        painter.fillRect(text, palette().color(QPalette::Window));
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(text, Qt::AlignCenter, m_caption);
    }

private:
    QString m_caption;
};

} // namespace

QWidget* frmLoadSnapshot::frame(const char* caption, int left, int top, int width, int height) {
    auto* box = new CaptionFrame(QString::fromLatin1(caption), this);
    box->setGeometry(twipsRect(left, top, width, height));
    return box;
}

void frmLoadSnapshot::createControls() {
    setFont(fontForPoints(kSansFamily, 8.25));
    setFixedSize(twipsToPixels(kClientWidth), twipsToPixels(kClientHeight));

    QWidget* locator = frame("LOCATOR", 180, 90, 2985, 1635);
    lbxLots = new QListWidget(locator);
    lbxLots->setObjectName(QStringLiteral("lbxLots"));
    lbxLots->setGeometry(twipsRect(150, 285, 2685, 1230));
    lbxLots->setFont(fontForPoints(kSansFamily, 9.75));
    colorText(lbxLots, kWhite, kDarkBlue);

    QWidget* navigation = frame("NAVIGATION", 3420, 90, 2895, 1635);
    btnBack = button(navigation, "btnBack", "<", twipsRect(180, 270, 585, 405), 12);
    txtNofN = new QLineEdit(QStringLiteral("0 of 0"), navigation);
    txtNofN->setObjectName(QStringLiteral("txtNofN"));
    txtNofN->setGeometry(twipsRect(810, 270, 1275, 420));
    txtNofN->setAlignment(Qt::AlignCenter);
    txtNofN->setFont(fontForPoints(kSansFamily, kCounterPoints));
    txtNofN->setFocusPolicy(Qt::ClickFocus);
    txtNofN->setReadOnly(true);
    colorText(txtNofN, palette().color(QPalette::ButtonText), palette().color(QPalette::Button));
    btnForward = button(navigation, "btnForward", ">", twipsRect(2115, 270, 600, 405), 12);
    chkShowUnused = new QCheckBox(QStringLiteral("show only unused snapshots"), navigation);
    chkShowUnused->setObjectName(QStringLiteral("chkShowUnused"));
    chkShowUnused->setGeometry(twipsRect(270, 810, 2445, 195));
    chkShowUnused->setEnabled(false);
    txtCurrentFN = new QLineEdit(navigation);
    txtCurrentFN->setObjectName(QStringLiteral("txtCurrentFN"));
    txtCurrentFN->setGeometry(twipsRect(135, 1125, 2625, 375));
    txtCurrentFN->setReadOnly(true);
    colorText(txtCurrentFN, kWhite, kDarkBlue);

    QWidget* thumbnail = frame("THUMBNAIL", 4050, 1890, 2265, 1905);
    pbxThumbnail = new PictureArea(thumbnail);
    pbxThumbnail->setObjectName(QStringLiteral("pbxThumbnail"));
    pbxThumbnail->setGeometryTwips(135, 270, 1980, 1500);
    pbxThumbnail->setBackColor(kDarkBlue);

    QWidget* insert = frame("INSERT", 180, 1890, 1785, 1905);
    cmdInsert[1] = button(insert, "cmdInsert1", "Insert Beginning", twipsRect(90, 270, 1545, 405), 9.75);
    cmdInsert[0] = button(insert, "cmdInsert0", "Insert Here", twipsRect(90, 810, 1545, 405), 12);
    cmdInsert[2] = button(insert, "cmdInsert2", "Insert at the End", twipsRect(90, 1350, 1545, 405), 9.75);
    QWidget* replace = frame("REPLACE", 2070, 1890, 1785, 915);
    cmdReplace = button(replace, "cmdReplace", "Replace", twipsRect(75, 270, 1545, 405), 12);
    QWidget* escape = frame("ESCAPE", 2070, 2970, 1815, 825);
    cmdOther = button(escape, "cmdOther", "Cancel", twipsRect(90, 270, 1545, 405), 12);

    // Nothing can be committed before the list is there.
    for (ColorButton* commit : {cmdInsert[0], cmdInsert[1], cmdInsert[2], cmdReplace})
        commit->setEnabled(false);
    arrangeTabOrder();
    connectControls();
}

void frmLoadSnapshot::arrangeTabOrder() {
    const std::array<QWidget*, 10> order = {pbxThumbnail, btnBack,    btnForward, txtCurrentFN, lbxLots,
                                            cmdInsert[0], cmdReplace, cmdOther,   cmdInsert[1], cmdInsert[2]};
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    setTabOrder(order.back(), chkShowUnused);
}

void frmLoadSnapshot::connectControls() {
    connect(chkShowUnused, &QCheckBox::toggled, this, [this] { chkShowUnused_Click(); });
    connect(lbxLots, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            lbxLots_Click();
    });
    connect(btnBack, &QPushButton::clicked, this, [this] { btnBack_Click(); });
    connect(btnForward, &QPushButton::clicked, this, [this] { btnForward_Click(); });
    for (int index = 0; index < 3; ++index)
        connect(cmdInsert[index], &QPushButton::clicked, this, [this, index] { cmdInsert_Click(index); });
    connect(cmdReplace, &QPushButton::clicked, this, [this] { cmdReplace_Click(); });
    connect(cmdOther, &QPushButton::clicked, this, [this] { cmdOther_Click(); });
    for (QWidget* control : std::initializer_list<QWidget*>{
             lbxLots, pbxThumbnail, txtCurrentFN, txtNofN, btnBack, btnForward, cmdOther, cmdInsert[0],
             cmdInsert[1], cmdInsert[2], cmdReplace, chkShowUnused})
        control->installEventFilter(this);
}
