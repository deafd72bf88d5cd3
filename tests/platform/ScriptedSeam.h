#pragma once
// Test doubles for the platform: a seam that records every request and answers from queues, and
// a settings store that logs its writes. An unexpected box fails the running test.

#include "platform/PlatformSeam.h"
#include "platform/SettingsStore.h"

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

enum class SeamCall { Message, Input, FileDialog, Modal, OpenDocument, OpenTextEditor };

struct SeamRequest {
    SeamCall call;
    std::string text; // message or prompt, path, address, or the modal window's name
    std::string title;
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
    std::string defaultAnswer;
    FileDialogRequest dialog;
};

class ScriptedSeam final : public PlatformSeam {
public:
    void record(SeamRequest request);
    MessageAnswer messageBox(std::string_view text, MessageButtons buttons, MessageIcon icon,
                             std::string_view title) override;
    std::string inputBox(std::string_view prompt, std::string_view title,
                         std::string_view defaultAnswer) override;
    FileDialogResult fileDialog(const FileDialogRequest& request) override;
    // Runs the next queued action on the dialog instead of showing it; none queued: Rejected.
    ModalResult runModal(QDialog& dialog) override;
    // A launch fails at once, as if no program were set, while launchesFail is true.
    void openWithDefaultApplication(std::string_view pathOrAddress, LaunchFailed failed) override;
    void openInTextEditor(std::string_view path, LaunchFailed failed) override;
    void setClipboardText(std::string_view text) override { clipboard = std::string(text); }
    std::string clipboardText() override { return clipboard; }
    bool keyHeld(std::uint32_t nativeScanCode) override { return keysHeld.count(nativeScanCode) > 0; }

    std::vector<SeamRequest> requests;
    std::deque<MessageAnswer> messageAnswers;
    std::deque<std::string> inputAnswers;
    std::deque<FileDialogResult> dialogResults;
    std::deque<std::function<ModalResult(QDialog&)>> modalActions;
    std::string clipboard;
    std::set<std::uint32_t> keysHeld; // by native scan code
    bool launchesFail = false;
    // Called with each request as it is recorded, before it is answered.
    std::function<void(const SeamRequest&)> onRequest;

    std::vector<SeamRequest> requestsOf(SeamCall call) const;
};

// An in-memory store, optionally in front of another, that logs each write in order.
class RecordingSettingsStore final : public SettingsStore {
public:
    explicit RecordingSettingsStore(SettingsStore* inner = nullptr) : m_inner(inner) {}
    std::optional<std::string> readText(std::string_view keyPath, std::string_view valueName) override;
    void writeText(std::string_view keyPath, std::string_view valueName, std::string_view text) override;

    struct Write {
        std::string keyPath;
        std::string valueName;
        std::string text;
    };
    std::vector<Write> writes;
    std::map<std::string, std::string> values; // by value name, when there is no inner store

private:
    SettingsStore* m_inner;
};
