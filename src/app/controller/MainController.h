#pragma once
// What the main window is doing, without the window: the mode, the page shown and whether the album
// is saved, and the rules that say which command may run now and where a page turn goes. The
// window asks before it acts and draws what this holds; nothing here knows a widget.

#include "AppMode.h"

#include <cstdint>
#include <vector>

struct Storybook;

// The six navigation buttons, indexed as the window lays them out.
enum class NavButton { Back, BackTen, First, Forward, ForwardTen, Last };

// What a navigation button may do in the current mode.
enum class PageTurn {
    Refused,
    FromViewing, // the mode goes back to viewing first
    FromEditing, // the page left keeps its edit
    WhileMoving, // the page being moved travels along
};

class MainController {
public:
    explicit MainController(const Storybook& book) : m_book(book) {}

    AppMode mode() const { return m_mode; }
    void setMode(AppMode mode) { m_mode = mode; }
    bool inMode(AppMode mode) const { return m_mode == mode; }

    std::int16_t currentPage() const { return m_currentPage; }
    void setCurrentPage(std::int16_t page) { m_currentPage = page; }
    bool saved() const { return m_saved; }
    void setSaved(bool saved) { m_saved = saved; }

    int pageCount() const;
    bool hasPages() const { return pageCount() > 0; }
    bool hasUnsavedChanges() const { return hasPages() && !m_saved; }

    // The guards of the commands (CommandTable.h). An album on show, viewed or edited: the popup's
    // album items are enabled.
    bool albumShown() const;
    bool hasChangesShown() const { return albumShown() && hasUnsavedChanges(); }
    bool viewing() const { return m_mode == AppMode::ViewStorybook || m_mode == AppMode::StorybookSaved; }
    bool inViewMode() const { return m_mode == AppMode::ViewStorybook; }
    bool viewingOrEditing() const {
        return m_mode == AppMode::ViewStorybook || m_mode == AppMode::EditStorybook;
    }
    bool moving() const { return m_mode == AppMode::RelocatePage; }
    bool turningPages() const { return inViewMode() || moving(); }
    bool albumShownOrMoving() const { return albumShown() || moving(); }
    bool anyMode() const { return true; }
    bool canBeginMove() const;
    bool canExitFromKeyboard() const { return m_saved; }

    // The rules inside the commands.
    bool canOpenAtOnce() const;
    bool canEnterFullScreen() const { return m_mode == AppMode::ViewStorybook && hasPages(); }

    // What a navigation button does now; the text box is locked unless the story is being typed.
    PageTurn pageTurn(bool textLocked) const;
    // Moves to the button's page, clamped to the album.
    void turnPage(NavButton button);
    void pageBack(int pages);
    void pageForward(int pages);
    // The pages the six navigation buttons go to from this one, nearest first (forward before back at
    // the same distance), each once and without the page shown.
    std::vector<int> navigationTargets() const;

private:
    const Storybook& m_book;
    AppMode m_mode = AppMode::Initializing;
    std::int16_t m_currentPage = 0;
    bool m_saved = true;
};
