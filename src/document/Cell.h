#pragma once
// One text cell of the album model: either unset or holding a text (possibly empty).
// A cell filled by a load refers to the bytes of the file the model keeps (see Storybook), so a load
// copies no text; a cell set any other way holds its own copy. Resetting keeps the allocated capacity,
// so reloading an album reuses the memory of the last one.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class Cell {
public:
    Cell() = default;
    Cell(std::string_view text) { set(text); }
    Cell(const Cell& other) { *this = other; }
    Cell& operator=(const Cell& other) {
        if (this == &other)
            return *this;
        const std::string_view text = other.text();
        if (other.m_refers)
            setView(text);
        else if (m_own || !text.empty())
            set(text);
        else
            m_refers = false; // empty, and nothing to allocate for it
        m_set = other.m_set;
        return *this;
    }

    bool isSet() const { return m_set; }
    // An unset cell reads as the empty text.
    std::string_view text() const {
        if (m_refers)
            return std::string_view(m_view, m_viewSize);
        return m_own ? std::string_view(*m_own) : std::string_view();
    }
    operator std::string_view() const { return text(); }
    // False while the cell refers to bytes kept elsewhere.
    bool holdsOwnText() const { return !m_refers; }

    void set(std::string_view text) {
        if (!m_own)
            m_own = std::make_unique<std::string>(text);
        else
            m_own->assign(text.data(), text.size()); // assign copes with text inside it
        m_refers = false;
        m_set = true;
    }
    // Refers to bytes that the caller keeps alive and unchanged for as long as the cell refers to them.
    void setView(std::string_view text) {
        if (text.size() > kMaxViewSize) {
            set(text);
            return;
        }
        m_view = text.data();
        m_viewSize = static_cast<std::uint32_t>(text.size());
        m_refers = true;
        m_set = true;
    }
    // The cell's own text, copied from what it refers to if need be, to be changed in place.
    std::string& ownText() {
        if (m_refers || !m_own)
            set(text());
        m_set = true;
        return *m_own;
    }
    // The cell's own text, emptied with its capacity kept, to be filled afresh. What the cell referred
    // to is left alone, so it may be read while filling.
    std::string& emptiedOwnText() {
        if (!m_own)
            m_own = std::make_unique<std::string>();
        m_own->clear();
        m_refers = false;
        m_set = true;
        return *m_own;
    }
    void reset() {
        if (m_own)
            m_own->clear();
        m_refers = false;
        m_set = false;
    }

    Cell& operator=(std::string_view text) {
        set(text);
        return *this;
    }
    bool operator==(std::string_view text) const { return this->text() == text; }
    bool operator==(const Cell& other) const { return text() == other.text(); }

private:
    // Small, since the model holds tens of thousands of cells: the own text lives apart and is kept
    // (with its capacity) from one use to the next.
    static constexpr std::size_t kMaxViewSize = 0xffffffffu;
    const char* m_view = nullptr;
    std::unique_ptr<std::string> m_own;
    std::uint32_t m_viewSize = 0;
    // All members start at zero, so the model's tables are made in one pass of zeros.
    bool m_refers = false;
    bool m_set = false;
};
