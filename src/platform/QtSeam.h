#pragma once
// The seam on the real desktop: Qt's message boxes and file dialogs, the desktop's default
// applications, the system clipboard and the X server's keyboard.

#include "PlatformSeam.h"

#include <QString>

#include <memory>
#include <string>

class QObject;
class QWidget;

class QtSeam final : public PlatformSeam {
public:
    explicit QtSeam(std::string applicationTitle);
    ~QtSeam() override;

    // Boxes are centred over this window while it is shown.
    void setOwner(QWidget* owner) { m_owner = owner; }

    MessageAnswer messageBox(std::string_view text, MessageButtons buttons, MessageIcon icon,
                             std::string_view title) override;
    std::string inputBox(std::string_view prompt, std::string_view title,
                         std::string_view defaultAnswer) override;
    FileDialogResult fileDialog(const FileDialogRequest& request) override;
    ModalResult runModal(QDialog& dialog) override;
    void openWithDefaultApplication(std::string_view pathOrAddress, LaunchFailed failed) override;
    void openInTextEditor(std::string_view path, LaunchFailed failed) override;
    void setClipboardText(std::string_view text) override;
    std::string clipboardText() override;
    // Asks the X server; elsewhere no key is held.
    bool keyHeld(std::uint32_t nativeScanCode) override;

private:
    QString titleOrDefault(std::string_view title) const;
    QWidget* visibleOwner() const;

    std::string m_applicationTitle;
    QWidget* m_owner = nullptr;
    std::unique_ptr<QObject> m_launches; // parent of the desktop openers still running
};
