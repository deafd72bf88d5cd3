#pragma once
// What the album document needs from the application around it: modal messages, ending the
// application, the saving picture, the mode line, redrawing, the story text box, the clock and the
// few shared values the page operations read and change. The main window implements it; tests
// implement it to record every call.

#include <cstdint>
#include <string>
#include <string_view>

enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageIcon { None, Critical };
enum class MessageAnswer { Ok, Cancel, Yes, No };

class StorybookHost {
public:
    virtual ~StorybookHost() = default;

    // A modal message box. An empty title shows the application's title.
    virtual MessageAnswer messageBox(std::string_view text, MessageButtons buttons, MessageIcon icon,
                                     std::string_view title) = 0;
    // Asks the application to end at once, writing nothing to the album file. The caller returns
    // straight after asking.
    virtual void endApplication() = 0;

    virtual void showSavingPicture() = 0;
    virtual void hideSavingPicture() = 0;
    // Sets strApplicationMode and shows it in the mode line.
    virtual void setApplicationMode(std::string_view mode) = 0;
    // RefreshDisplay with its action word ("display").
    virtual void refreshDisplay(std::string_view action) = 0;
    virtual void focusPicture() = 0;

    // Clears the story text box and returns what it then holds.
    virtual std::string clearStoryText() = 0;
    // The clock: the current date in the short date format, a blank, and the time as "HH:mm:ss".
    virtual std::string timeStampNow() = 0;

    virtual std::int16_t currentPage() const = 0;
    virtual void setCurrentPage(std::int16_t page) = 0;
    virtual bool storybookSaved() const = 0;
    virtual void setStorybookSaved(bool saved) = 0;
    virtual std::string selectedSnapshot() const = 0;
};
