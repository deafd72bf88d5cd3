#pragma once
// A table of N slots, numbered as an array's, that holds memory only for the chunks of slots written
// so far: a model with room for the largest album costs a small album little. A slot never written
// reads as a default one. Slots never move, so a reference to one stays good as the table grows.

#include <array>
#include <cstddef>
#include <iterator>
#include <memory>
#include <vector>

template <class T, std::size_t N, std::size_t Chunk> class SlotTable {
    static_assert((Chunk & (Chunk - 1)) == 0, "a chunk holds a power of two slots");

public:
    static constexpr std::size_t size() { return N; }
    // Slots from this one on were never written.
    std::size_t made() const { return m_chunks.size() * Chunk; }

    T& operator[](std::size_t slot) {
        if (slot >= made())
            makeChunksTo(slot);
        return (*m_chunks[slot / Chunk])[slot % Chunk];
    }
    const T& operator[](std::size_t slot) const {
        static const T unset{};
        return slot < made() ? (*m_chunks[slot / Chunk])[slot % Chunk] : unset;
    }

    // Over all N slots; writing through one makes its chunk.
    template <class Table, class Slot> class Iterator {
    public:
        using iterator_category = std::bidirectional_iterator_tag;
        using value_type = T;
        using difference_type = std::ptrdiff_t;
        using pointer = Slot*;
        using reference = Slot&;
        Iterator() = default;
        Iterator(Table* table, std::ptrdiff_t slot) : m_table(table), m_slot(slot) {}
        reference operator*() const { return (*m_table)[static_cast<std::size_t>(m_slot)]; }
        pointer operator->() const { return &**this; }
        Iterator& operator++() { return ++m_slot, *this; }
        Iterator operator++(int) { return {m_table, m_slot++}; }
        Iterator& operator--() { return --m_slot, *this; }
        Iterator operator--(int) { return {m_table, m_slot--}; }
        Iterator operator+(std::ptrdiff_t n) const { return {m_table, m_slot + n}; }
        bool operator==(const Iterator& other) const { return m_slot == other.m_slot; }

    private:
        Table* m_table = nullptr;
        std::ptrdiff_t m_slot = 0;
    };
    using iterator = Iterator<SlotTable, T>;
    using const_iterator = Iterator<const SlotTable, const T>;
    iterator begin() { return {this, 0}; }
    iterator end() { return {this, static_cast<std::ptrdiff_t>(N)}; }
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, static_cast<std::ptrdiff_t>(N)}; }

private:
    [[gnu::noinline]] void makeChunksTo(std::size_t slot) {
        while (slot >= made())
            m_chunks.push_back(std::make_unique<std::array<T, Chunk>>());
    }

    std::vector<std::unique_ptr<std::array<T, Chunk>>> m_chunks;
};
