#pragma once
// The one door to everything modal or outside the process: message and input boxes, the file
// dialogs, modal windows, other programs, the clipboard and the keyboard's own state. The application reaches
// these only through this interface, so tests can script every answer.

#include "document/Message.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class QDialog;

struct FileFilter {
    std::string description;
    std::string pattern;
    bool operator==(const FileFilter&) const = default;
};

enum class FileDialogKind { Open, Save };

struct FileDialogRequest {
    FileDialogKind kind = FileDialogKind::Open;
    std::vector<FileFilter> filters;
    int filterIndex = 1; // 1-based, the filter shown first
    std::string initialFolder;
    std::string title;
    std::string fileName; // proposed in the name box
    std::string defaultExtension;
    bool fileMustExist = false;
    bool overwritePrompt = false;
    bool readOnlyTicked = false;
    bool hideReadOnly = false;
    bool multiSelect = false;
};

struct FileDialogResult {
    bool chosen = false;
    std::string path;
    std::string fileTitle; // the chosen file's name without its folder
    int filterIndex = 0;   // 1-based filter in use when the dialog closed
    bool readOnly = false;
    std::int32_t extendedError = 0; // 0 after a plain cancel
};

enum class ModalResult { Accepted, Rejected };

class PlatformSeam {
public:
    virtual ~PlatformSeam() = default;

    // An empty title shows the application's title. A box closed without one of its buttons
    // answers Cancel (an Ok box, Ok), even when it has no Cancel button.
    virtual MessageAnswer messageBox(std::string_view text, MessageButtons buttons, MessageIcon icon,
                                     std::string_view title) = 0;
    // A cancelled input box gives the empty text.
    virtual std::string inputBox(std::string_view prompt, std::string_view title,
                                 std::string_view defaultAnswer) = 0;
    virtual FileDialogResult fileDialog(const FileDialogRequest& request) = 0;
    // Shows one of the application's own windows modally and returns when it closes.
    virtual ModalResult runModal(QDialog& dialog) = 0;

    // Runs, later and on the window thread, when the desktop could not open what was asked: no
    // program is set for it, or the one set would not start.
    using LaunchFailed = std::function<void()>;
    // A document or web address in its default application. The launch does not wait for it.
    virtual void openWithDefaultApplication(std::string_view pathOrAddress, LaunchFailed failed) = 0;
    // A text file in the user's text editor.
    virtual void openInTextEditor(std::string_view path, LaunchFailed failed) = 0;

    virtual void setClipboardText(std::string_view text) = 0;
    virtual std::string clipboardText() = 0;

    // The key with this native scan code is held down now, as the window system knows it. Where it
    // cannot tell, no key is held.
    virtual bool keyHeld(std::uint32_t nativeScanCode) {
        (void)nativeScanCode;
        return false;
    }
};
