#pragma once
// One text cell of the album model: either unset or holding a text (possibly empty).
// A cell filled by a load refers to the bytes of the file the model keeps (see Storybook), so a load
// copies no text; a cell set any other way holds its own copy. Resetting keeps the allocated capacity,
// so reloading an album reuses the memory of the last one.

#include <string>
#include <string_view>

class Cell {
public:
    Cell() = default;
    Cell(std::string_view text) { set(text); }

    bool isSet() const { return m_set; }
    // An unset cell reads as the empty text.
    std::string_view text() const { return m_owned ? std::string_view(m_own) : m_view; }
    operator std::string_view() const { return text(); }
    // False while the cell refers to bytes kept elsewhere.
    bool holdsOwnText() const { return m_owned; }

    void set(std::string_view text) {
        m_own.assign(text.data(), text.size()); // assign copes with text inside m_own
        m_owned = true;
        m_set = true;
    }
    // Refers to bytes that the caller keeps alive and unchanged for as long as the cell refers to them.
    void setView(std::string_view text) {
        m_own.clear();
        m_view = text;
        m_owned = false;
        m_set = true;
    }
    // The cell's own text, copied from what it refers to if need be, to be changed in place.
    std::string& ownText() {
        if (!m_owned)
            m_own.assign(m_view.data(), m_view.size());
        m_owned = true;
        m_set = true;
        return m_own;
    }
    void reset() {
        m_own.clear();
        m_owned = true;
        m_set = false;
    }

    Cell& operator=(std::string_view text) {
        set(text);
        return *this;
    }
    bool operator==(std::string_view text) const { return this->text() == text; }
    bool operator==(const Cell& other) const { return text() == other.text(); }

private:
    std::string m_own;
    std::string_view m_view;
    bool m_owned = true;
    bool m_set = false;
};
