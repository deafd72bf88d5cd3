#include "plgnImageInfo.h"

#include "artwork/FaceArtwork.h"
#include "controller/MainController.h"
#include "document/Storybook.h"
#include "platform/Controls.h"
#include "platform/PlatformSeam.h"
#include "platform/QtText.h"
#include "platform/Twips.h"
#include "platform/WindowDrag.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>

namespace {
const QColor kPanel(96, 96, 146);
const QColor kWhite(255, 255, 255);
constexpr int kEscape = 27;

void paintPanel(QWidget& widget) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, kPanel);
    palette.setColor(QPalette::Base, kPanel);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::WindowText, kWhite);
        palette.setColor(group, QPalette::Text, kWhite);
    }
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

QGroupBox* frame(QWidget* parent, const char* name, const char* caption, QRect place) {
    auto* created = new QGroupBox(QString::fromLatin1(caption), parent);
    created->setObjectName(QString::fromLatin1(name));
    created->setGeometry(place);
    paintPanel(*created);
    return created;
}

QLineEdit* fieldBox(QWidget* parent, const char* name, QRect place, bool bordered) {
    auto* created = new QLineEdit(parent);
    created->setObjectName(QString::fromLatin1(name));
    created->setGeometry(place);
    created->setReadOnly(true);
    created->setFocusPolicy(Qt::ClickFocus); // not a tab stop
    created->setFrame(bordered);
    created->setTextMargins(0, 0, 0, 0);
    if (bordered) {
        // The two file-name boxes are ordinary text boxes, black on white.
        QPalette palette = created->palette();
        palette.setColor(QPalette::Base, kWhite);
        palette.setColor(QPalette::Text, QColor(0, 0, 0));
        created->setPalette(palette);
    } else {
        paintPanel(*created);
    }
    return created;
}

ColorButton* button(QWidget* parent, const char* name, const char* caption, QRect place) {
    auto* created = new ColorButton(parent);
    created->setObjectName(QString::fromLatin1(name));
    created->setText(QString::fromLatin1(caption));
    created->setGeometry(place);
    created->setBackColor(kPanel);
    created->setAutoDefault(false);
    return created;
}
} // namespace

plgnImageInfo::plgnImageInfo(PlatformSeam& seam, const Storybook& book, const MainController& controller,
                             QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint), m_seam(seam), m_book(book),
      m_controller(controller) {
    setObjectName(QStringLiteral("plgnImageInfo"));
    setAttribute(Qt::WA_DeleteOnClose);
    // A window beside the main one: it never keeps the application running on its own.
    setAttribute(Qt::WA_QuitOnClose, false);
    setFixedSize(twipsToPixels(5325), twipsToPixels(3240));
    setFont(fontForPoints(kSansFamily, 8.25));
    m_background = QPixmap::fromImage(builtInArtwork("info"));
    createControls();
    trackWindowDrag(*this);
    if (owner)
        owner->installEventFilter(this);
    if (const QScreen* screen = this->screen())
        move(screen->geometry().center() - QPoint(width() / 2, height() / 2));
}

void plgnImageInfo::createControls() {
    // First in the focus order, so Close has the focus when the window opens.
    cmdOk = button(this, "cmdOk", "Close", twipsRect(4230, 1710, 795, 1140));
    cmdOk->setFont(fontForPoints(kSansFamily, 12, FontWeight::Bold));
    connect(cmdOk, &QPushButton::clicked, this, [this] { cmdOk_Click(); });

    Frame1 = frame(this, "Frame1", "Snapshot Filename", twipsRect(240, 270, 4770, 615));
    txtSnapshot = fieldBox(Frame1, "txtSnapshot", twipsRect(135, 210, 3480, 285), true);
    cmdCopySnapshot = button(Frame1, "cmdCopySnapshot", "copy text", twipsRect(3690, 240, 975, 255));
    connect(cmdCopySnapshot, &QPushButton::clicked, this, [this] { cmdCopySnapshot_Click(); });

    Frame2 = frame(this, "Frame2", "Thumbnail Filename", twipsRect(240, 900, 4770, 615));
    txtThumbnail = fieldBox(Frame2, "txtThumbnail", twipsRect(135, 210, 3480, 285), true);
    cmdCopyThumbnail = button(Frame2, "cmdCopyThumbnail", "copy text", twipsRect(3690, 240, 975, 255));
    connect(cmdCopyThumbnail, &QPushButton::clicked, this, [this] { cmdCopyThumbnail_Click(); });

    Frame3 = frame(this, "Frame3", "Storybook Data", twipsRect(240, 1620, 3885, 1365));
    const std::array<std::pair<QLabel**, const char*>, 4> labels = {{{&Label1, "Album Title"},
                                                                     {&Label2, "Neighborhood"},
                                                                     {&Label3, "Lot Name"},
                                                                     {&Label4, "Family Name"}}};
    const std::array<std::pair<QLineEdit**, const char*>, 4> boxes = {{{&txtTitle, "txtTitle"},
                                                                       {&txtNeighborhood, "txtNeighborhood"},
                                                                       {&txtLotName, "txtLotName"},
                                                                       {&txtFamilyName, "txtFamilyName"}}};
    for (std::size_t row = 0; row < labels.size(); ++row) {
        const int top = 270 + 270 * static_cast<int>(row);
        auto* label = new QLabel(QString::fromLatin1(labels[row].second), Frame3);
        label->setObjectName(QStringLiteral("Label%1").arg(row + 1));
        label->setGeometry(twipsRect(90, top, 1095, 195));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        *labels[row].first = label;
        *boxes[row].first = fieldBox(Frame3, boxes[row].second, twipsRect(1260, top, 2445, 195), false);
    }

    for (QWidget* control :
         std::initializer_list<QWidget*>{cmdCopySnapshot, cmdCopyThumbnail, cmdOk, txtSnapshot, txtThumbnail})
        control->installEventFilter(this);
    setTabOrder(cmdOk, cmdCopySnapshot);
    setTabOrder(cmdCopySnapshot, cmdCopyThumbnail);
}

void plgnImageInfo::Form_Activate() {
    const Storybook& book = m_book;
    const int page = m_controller.currentPage();
    // With no album open (none yet, or the last one failed to load) every field stays empty.
    if (book.varPageCount <= 0 || page < 0 || page >= album::kEntrySlots) {
        for (QLineEdit* box :
             {txtSnapshot, txtThumbnail, txtFamilyName, txtTitle, txtNeighborhood, txtLotName})
            box->clear();
        return;
    }
    txtSnapshot->setText(qText(book.content(page, album::Snapshot)));
    txtThumbnail->setText(qText(book.content(page, album::ThumbnailFilename)));
    txtFamilyName->setText(qText(book.strFamilyName));
    txtTitle->setText(qText(book.strTitle));
    txtNeighborhood->setText(qText(book.strNeighborhoodName));
    txtLotName->setText(qText(book.strLotName));
}

void plgnImageInfo::cmdCopySnapshot_Click() {
    const QByteArray name = txtSnapshot->text().toUtf8();
    m_seam.setClipboardText(std::string_view(name.constData(), static_cast<std::size_t>(name.size())));
}

void plgnImageInfo::cmdCopyThumbnail_Click() {
    const QByteArray name = txtThumbnail->text().toUtf8();
    m_seam.setClipboardText(std::string_view(name.constData(), static_cast<std::size_t>(name.size())));
}

void plgnImageInfo::cmdOk_Click() {
    close();
}

void plgnImageInfo::CloseOnEscape(int KeyAscii) {
    if (KeyAscii == kEscape)
        cmdOk->click();
}

void plgnImageInfo::Form_MouseMove(int Button) {
    if (Button == 1)
        startWindowDrag(*this);
}

bool plgnImageInfo::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return QWidget::event(event);
}

bool plgnImageInfo::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parent()) {
        if (event->type() == QEvent::Close)
            close();
        return false;
    }
    if (event->type() == QEvent::KeyPress) {
        const QString typed = static_cast<QKeyEvent*>(event)->text();
        if (!typed.isEmpty())
            CloseOnEscape(typed.front().unicode());
    }
    return false;
}

void plgnImageInfo::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kPanel);
    if (!m_background.isNull())
        painter.drawPixmap(0, 0, m_background);
}

void plgnImageInfo::mouseMoveEvent(QMouseEvent* event) {
    Form_MouseMove(buttonWord(event->buttons()));
}
