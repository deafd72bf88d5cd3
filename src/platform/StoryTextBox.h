#pragma once
// The multi-line story text box: colours, a lock against typing, the vertical scroll bar on or off,
// the count of display lines (wrapped lines included), scrolling by lines, and the selection.
// A text with a line too long to lay out quickly is shown cut, with a note saying so, and locked;
// text() still gives the whole text, so a cut never reaches the album. A text the user has not
// changed comes back from text() as the bytes it was given, and a typed one keeps every character
// typed (no-break spaces and line separators included); only the breaks between lines become CR LF.
// Pastes and drops put in plain text only, whatever the clipboard or the drop holds, and never a
// line longer than the box lays out quickly; a copy takes the selection's text as it stands.

#include <QPlainTextEdit>

#include <optional>
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
    // True while the box shows a cut of a text it holds whole.
    bool showsCut() const;
    // True while the box shows exactly this text, as it was put in and not changed since.
    bool showsGiven(std::string_view text) const;
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

    // Lines longer than this many bytes are cut for display.
    static constexpr std::size_t kLongestShownLine = 32 * 1024;

signals:
    void focusLost();
    void mouseReleased(int button);
    // A paste or drop was turned away, untouched, because it would have made a line of lineBytes
    // bytes, longer than kLongestShownLine.
    void insertRefused(std::size_t lineBytes);

protected:
    void focusOutEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
    QMimeData* createMimeDataFromSelection() const override;

private:
    void replaceAll(const QString& text);
    // Lays out the box's text without OpenType shaping while it needs none (see fontFor).
    void chooseFontFor(QStringView text);
    // Shows text, cut when one of its lines is too long; false when it went in whole.
    bool showCutIfTooLong(std::string_view text);

    // The text last put into the empty box and what the box then held, so that a text nobody
    // changed is handed back exactly; m_given is unset once something else went in.
    void rememberGiven(std::string_view text);
    std::optional<std::string> m_given;
    QString m_givenShown;

    std::string m_wholeText; // what a cut display stands for
    bool m_cut = false;      // cleared by any later change of the shown text
    bool m_showingCut = false;
    bool m_filling = false;         // being filled with a text its font was chosen for
    bool m_droppingOwnText = false; // a drag within the box is being dropped
};
