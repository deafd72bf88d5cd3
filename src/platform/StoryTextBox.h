#pragma once
// The multi-line story text box: colours, a lock against typing, the vertical scroll bar on or off,
// the count of display lines (wrapped lines included), scrolling by lines, and the selection.

#include <QPlainTextEdit>

#include <string>
#include <string_view>

class StoryTextBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit StoryTextBox(QWidget* parent = nullptr);

    void setColors(const QColor& text, const QColor& background);
    // A locked box still moves its caret with the keys, so a page key in it scrolls the text once.
    void setLocked(bool locked);
    bool locked() const { return isReadOnly(); }
    void setVerticalScrollBarShown(bool shown);
    bool verticalScrollBarShown() const;

    std::string text() const;
    void setText(std::string_view text);

    int displayLineCount() const;
    void scrollLines(int lines);
    int firstVisibleLine() const;

    int selectionStart() const;
    int selectionLength() const;
    void setSelectionStart(int position);
    void setSelectionLength(int length);
    std::string selectedText() const;
    // Replaces the selection (or inserts at the caret).
    void insertAtCaret(std::string_view text);

signals:
    void focusLost();
    void mouseReleased(int button);

protected:
    void focusOutEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};
