#include "MainController.h"

#include "document/Storybook.h"

#include <algorithm>
#include <cstdlib>

int MainController::pageCount() const {
    return m_book.varPageCount;
}

bool MainController::albumShown() const {
    return viewing() || m_mode == AppMode::EditStorybook;
}

bool MainController::canOpenAtOnce() const {
    return viewing() || m_mode == AppMode::Initialized || m_mode == AppMode::NothingLoaded;
}

bool MainController::canBeginMove() const {
    return (m_mode == AppMode::EditStorybook || m_mode == AppMode::StorybookSaved) && pageCount() >= 2;
}

PageTurn MainController::pageTurn(bool textLocked) const {
    if (hasPages() && textLocked && viewing())
        return PageTurn::FromViewing;
    if (hasPages() && m_mode == AppMode::EditStorybook)
        return PageTurn::FromEditing;
    if (m_mode == AppMode::RelocatePage)
        return PageTurn::WhileMoving;
    return PageTurn::Refused;
}

void MainController::turnPage(NavButton button) {
    // The farthest jumps reach as far as the table does: a shorter one would stop short of the ends
    // of a full album.
    constexpr int kAll = album::kEntrySlots;
    switch (button) {
    case NavButton::Back:
        return pageBack(1);
    case NavButton::BackTen:
        return pageBack(10);
    case NavButton::First:
        return pageBack(kAll);
    case NavButton::Forward:
        return pageForward(1);
    case NavButton::ForwardTen:
        return pageForward(10);
    case NavButton::Last:
        return pageForward(kAll);
    }
}

void MainController::pageBack(int pages) {
    const int page = m_currentPage - pages;
    m_currentPage = static_cast<std::int16_t>(page < 0 ? 0 : page);
}

void MainController::pageForward(int pages) {
    const int page = m_currentPage + pages;
    m_currentPage = static_cast<std::int16_t>(page >= pageCount() ? pageCount() - 1 : page);
}

std::vector<int> MainController::navigationTargets() const {
    const int current = m_currentPage;
    const int count = pageCount();
    if (count <= 1)
        return {};
    const auto clamped = [count](int page) { return std::clamp(page, 0, count - 1); };
    std::vector<int> targets;
    for (const int page : {clamped(current + 1), clamped(current - 1), clamped(current + 10),
                           clamped(current - 10), count - 1, 0}) {
        if (page != current && std::find(targets.begin(), targets.end(), page) == targets.end())
            targets.push_back(page);
    }
    std::stable_sort(targets.begin(), targets.end(),
                     [current](int a, int b) { return std::abs(a - current) < std::abs(b - current); });
    return targets;
}
