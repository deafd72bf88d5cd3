#pragma once
// One text cell of the album model: either unset or holding a text (possibly empty).
// Resetting keeps the allocated capacity, so reloading an album reuses the memory of the last one.

#include <string>
#include <string_view>

class Cell {
public:
    Cell() = default;
    Cell(std::string_view text) { set(text); }

    bool isSet() const { return m_set; }
    // An unset cell reads as the empty text.
    const std::string& text() const { return m_text; }
    operator std::string_view() const { return m_text; }

    void set(std::string_view text) {
        m_text.assign(text.data(), text.size());
        m_set = true;
    }
    void reset() {
        m_text.clear();
        m_set = false;
    }

    Cell& operator=(std::string_view text) {
        set(text);
        return *this;
    }
    bool operator==(std::string_view text) const { return m_text == text; }

private:
    std::string m_text;
    bool m_set = false;
};
