#include "StoryTextBox.h"

#include "WindowDrag.h"

#include <QMouseEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>

namespace {
// The box holds line breaks as CR LF, like the album's texts; Qt's document holds one character.
QString fromUtf8(std::string_view text) {
    QString decoded = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    decoded.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return decoded;
}
std::string toUtf8(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}
} // namespace

StoryTextBox::StoryTextBox(QWidget* parent) : QPlainTextEdit(parent) {
    setFrameShape(QFrame::NoFrame);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
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
    setReadOnly(locked);
    if (locked)
        setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

void StoryTextBox::setVerticalScrollBarShown(bool shown) {
    setVerticalScrollBarPolicy(shown ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

bool StoryTextBox::verticalScrollBarShown() const {
    return verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn;
}

std::string StoryTextBox::text() const {
    QString plain = toPlainText();
    plain.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return toUtf8(plain);
}

void StoryTextBox::setText(std::string_view text) {
    setPlainText(fromUtf8(text));
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
