#include "StoryTextBox.h"

#include "QtText.h"
#include "Twips.h"
#include "WindowDrag.h"

#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>

#include <optional>

namespace {
// The box holds line breaks as CR LF, like the album's texts; Qt's document holds one character.
QString fromUtf8(std::string_view text) {
    QString decoded = qText(text);
    decoded.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return decoded;
}
// The first line longer than the limit, as its start and length; nothing when there is none.
std::optional<std::pair<std::size_t, std::size_t>> firstLongLine(std::string_view text, std::size_t limit) {
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        if (end - start > limit)
            return std::make_pair(start, end - start);
        start = end + 1;
    }
    return std::nullopt;
}

// A cut that does not split a UTF-8 character.
std::size_t characterBoundary(std::string_view text, std::size_t at) {
    while (at > 0 && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80)
        --at;
    return at;
}

// The first line too long to show whole that the cursor's selection, replaced by inserted, would leave,
// as its length in bytes. Only the lines the insert touches count.
std::optional<std::size_t> tooLongLine(const QTextCursor& cursor, const QString& inserted) {
    const QTextDocument* document = cursor.document();
    const QTextBlock first = document->findBlock(cursor.selectionStart());
    const QTextBlock last = document->findBlock(cursor.selectionEnd());
    QString touched = first.text().left(cursor.selectionStart() - first.position()) + inserted +
                      last.text().mid(cursor.selectionEnd() - last.position());
    // The document starts a new line at each of these.
    touched.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    touched.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    touched.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    const auto longLine = firstLongLine(toUtf8(touched), StoryTextBox::kLongestShownLine);
    return longLine ? std::optional(longLine->second) : std::nullopt;
}

} // namespace

StoryTextBox::StoryTextBox(QWidget* parent) : QPlainTextEdit(parent) {
    setFrameShape(QFrame::NoFrame);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    connect(document(), &QTextDocument::contentsChanged, this, [this] {
        if (!m_showingCut)
            m_cut = false;
    });
    // Typed or pasted text that needs shaping (Arabic, say) gets it: right after the edit, since
    // the font is not changed while the document is.
    connect(document(), &QTextDocument::contentsChange, this, [this](int position, int, int added) {
        if (m_filling || added <= 0 || !(font().styleStrategy() & QFont::PreferNoShaping))
            return;
        QString inserted;
        for (int at = position; at < position + added; ++at)
            inserted += document()->characterAt(at);
        if (!drawnGlyphByGlyph(inserted))
            QMetaObject::invokeMethod(
                this, [this, inserted] { chooseFontFor(inserted); }, Qt::QueuedConnection);
    });
}

void StoryTextBox::chooseFontFor(QStringView text) {
    const QFont chosen = fontFor(font(), text);
    if (chosen.styleStrategy() != font().styleStrategy())
        setFont(chosen);
}

void StoryTextBox::setColors(const QColor& text, const QColor& background) {
    QPalette palette = this->palette();
    // A palette set sends the box and its parts events, and the window sets the colours on every key.
    if (palette.color(QPalette::Active, QPalette::Text) == text &&
        palette.color(QPalette::Active, QPalette::Base) == background)
        return;
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Text, text);
        palette.setColor(group, QPalette::Base, background);
    }
    setPalette(palette);
}

void StoryTextBox::setLocked(bool locked) {
    // A story shown cut is never open for typing: a commit would store the cut.
    setReadOnly(locked || showsCut());
    if (isReadOnly())
        setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // The caret stays for the keys that scroll a locked box, but is not drawn: a caret says typing
    // goes in here.
    setCursorWidth(isReadOnly() ? 0 : 1);
}

void StoryTextBox::setVerticalScrollBarShown(bool shown) {
    // Setting the policy lays the box out again even when it does not change.
    if (shown != verticalScrollBarShown())
        setVerticalScrollBarPolicy(shown ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

bool StoryTextBox::verticalScrollBarShown() const {
    return verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn;
}

std::string StoryTextBox::text() const {
    if (showsCut())
        return m_wholeText;
    // The raw text keeps no-break spaces and line separators, which the plain text turns into blanks
    // and line breaks; lines are separated by the paragraph separator.
    QString raw = document()->toRawText();
    if (m_given && raw == m_givenShown)
        return *m_given;
    raw.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    return toUtf8(raw);
}

void StoryTextBox::setText(std::string_view text) {
    if (text.size() <= kLongestShownLine || !showCutIfTooLong(text))
        replaceAll(fromUtf8(text));
    rememberGiven(text);
}

// As setPlainText, with nothing to undo, but in the document there is: making a new one costs a page
// turn more than laying out its words.
void StoryTextBox::replaceAll(const QString& text) {
    chooseFontFor(text);
    m_filling = true;
    QTextDocument* shown = document();
    shown->setUndoRedoEnabled(false);
    QTextCursor cursor(shown);
    // As one edit, the box is laid out once, at its end, and the cursor works out no column on the
    // way (each step outside one lays out and shapes the line it stands on, the old text's included).
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.setCharFormat(QTextCharFormat());
    cursor.insertText(text);
    cursor.endEditBlock();
    m_filling = false;
    shown->setUndoRedoEnabled(true);
    shown->setModified(false);
    cursor.movePosition(QTextCursor::Start);
    setTextCursor(cursor);
}

void StoryTextBox::rememberGiven(std::string_view text) {
    m_given.emplace(text);
    m_givenShown = document()->toRawText();
}

bool StoryTextBox::showsCut() const {
    return m_cut;
}

bool StoryTextBox::showsGiven(std::string_view text) const {
    // Nothing typed since, not even typed and taken back: the box's undo holds its putting in alone.
    const QTextDocument* shown = document();
    return !m_cut && m_given && *m_given == text && shown->toRawText() == m_givenShown &&
           shown->availableUndoSteps() <= 1 && shown->availableRedoSteps() == 0;
}

// Laying out a line takes time in proportion to its length and more; a line of a megabyte holds the
// window for seconds. Such a line is shown up to the limit, and the box says so.
bool StoryTextBox::showCutIfTooLong(std::string_view text) {
    const auto longLine = firstLongLine(text, kLongestShownLine);
    if (!longLine)
        return false;
    const std::size_t cut = characterBoundary(text, longLine->first + kLongestShownLine);
    const std::string note =
        "\r\n\r\n[The story goes on: a line of it is " + std::to_string(longLine->second) +
        " bytes long, too long to show whole here. It is kept whole and cannot be edited "
        "here.]";
    const QString shown = fromUtf8(text.substr(0, cut)) + fromUtf8(note);
    chooseFontFor(shown);
    m_showingCut = true;
    m_filling = true;
    setPlainText(shown);
    m_filling = false;
    m_showingCut = false;
    m_wholeText.assign(text);
    m_cut = true;
    setReadOnly(true);
    return true;
}

int StoryTextBox::displayLineCount() const {
    int lines = 0;
    for (QTextBlock block = document()->firstBlock(); block.isValid(); block = block.next()) {
        const QTextLayout* layout = block.layout();
        lines += (layout && layout->lineCount() > 0) ? layout->lineCount() : 1;
    }
    return lines;
}

void StoryTextBox::scrollLines(int lines) {
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(bar->value() + lines);
}

int StoryTextBox::firstVisibleLine() const {
    return verticalScrollBar()->value();
}

int StoryTextBox::selectionStart() const {
    return textCursor().selectionStart();
}

int StoryTextBox::selectionLength() const {
    const QTextCursor cursor = textCursor();
    return cursor.selectionEnd() - cursor.selectionStart();
}

void StoryTextBox::setSelectionStart(int position) {
    QTextCursor cursor = textCursor();
    cursor.setPosition(std::clamp(position, 0, static_cast<int>(document()->characterCount() - 1)));
    setTextCursor(cursor);
}

void StoryTextBox::setSelectionLength(int length) {
    QTextCursor cursor = textCursor();
    const int start = cursor.selectionStart();
    const int end = std::clamp(start + length, start, static_cast<int>(document()->characterCount() - 1));
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

std::string StoryTextBox::selectedText() const {
    QString selected = textCursor().selectedText();
    selected.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    return toUtf8(selected);
}

void StoryTextBox::insertAtCaret(std::string_view text) {
    if (document()->isEmpty()) {
        // Into an empty box this is the whole text, which may need cutting.
        if (text.size() > kLongestShownLine && showCutIfTooLong(text)) {
            moveCursor(QTextCursor::End);
            return;
        }
        QTextCursor cursor = textCursor();
        cursor.insertText(fromUtf8(text));
        setTextCursor(cursor);
        rememberGiven(text);
        return;
    }
    m_given.reset();
    QTextCursor cursor = textCursor();
    cursor.insertText(fromUtf8(text));
    setTextCursor(cursor);
}

void StoryTextBox::focusOutEvent(QFocusEvent* event) {
    QPlainTextEdit::focusOutEvent(event);
    emit focusLost();
}

void StoryTextBox::mouseReleaseEvent(QMouseEvent* event) {
    QPlainTextEdit::mouseReleaseEvent(event);
    emit mouseReleased(buttonWord(event->button()));
}

// Text from elsewhere is weighed before Qt takes the drop, so that a refused one leaves its source
// as it was (a move would otherwise delete it there). Text dragged within the box is its own, and
// a move has taken it out before it goes in again: turning it away then would lose it.
void StoryTextBox::dropEvent(QDropEvent* event) {
    m_droppingOwnText = event->source() == viewport();
    const QMimeData* dropped = event->mimeData();
    if (!m_droppingOwnText && !isReadOnly() && dropped && dropped->hasText()) {
        if (const auto longLine =
                tooLongLine(cursorForPosition(event->position().toPoint()), dropped->text())) {
            event->setDropAction(Qt::IgnoreAction);
            event->ignore();
            emit insertRefused(*longLine);
            return;
        }
    }
    QPlainTextEdit::dropEvent(event);
    m_droppingOwnText = false;
}

bool StoryTextBox::canInsertFromMimeData(const QMimeData* source) const {
    return source && source->hasText();
}

// Every paste and drop comes here. Qt's own insert reads formats that an empty X clipboard, or one
// whose program has quit, does not have, and crashes; here plain text alone goes in, as typing does.
void StoryTextBox::insertFromMimeData(const QMimeData* source) {
    if (isReadOnly() || !source || !source->hasText())
        return;
    const QString inserted = source->text();
    QTextCursor cursor = textCursor();
    if (!m_droppingOwnText) {
        if (const auto longLine = tooLongLine(cursor, inserted)) {
            emit insertRefused(*longLine);
            return;
        }
    }
    m_given.reset();
    cursor.insertText(inserted);
    setTextCursor(cursor);
}

// A copy or a drag carries the selection as plain text, every character as it stands.
QMimeData* StoryTextBox::createMimeDataFromSelection() const {
    auto* data = new QMimeData;
    data->setText(qText(selectedText()));
    return data;
}
