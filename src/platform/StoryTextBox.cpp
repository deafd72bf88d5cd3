#include "StoryTextBox.h"

#include "QtText.h"
#include "WindowDrag.h"

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
std::string toUtf8(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
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

} // namespace

StoryTextBox::StoryTextBox(QWidget* parent) : QPlainTextEdit(parent) {
    setFrameShape(QFrame::NoFrame);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    connect(document(), &QTextDocument::contentsChanged, this, [this] {
        if (!m_showingCut)
            m_cut = false;
    });
}

void StoryTextBox::setColors(const QColor& text, const QColor& background) {
    QPalette palette = this->palette();
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
        setPlainText(fromUtf8(text));
    rememberGiven(text);
}

void StoryTextBox::rememberGiven(std::string_view text) {
    m_given.emplace(text);
    m_givenShown = document()->toRawText();
}

bool StoryTextBox::showsCut() const {
    return m_cut;
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
    m_showingCut = true;
    setPlainText(fromUtf8(text.substr(0, cut)) + fromUtf8(note));
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
