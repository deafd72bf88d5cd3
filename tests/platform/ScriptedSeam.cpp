#include "ScriptedSeam.h"

#include <QDialog>

#include <gtest/gtest.h>

MessageAnswer ScriptedSeam::messageBox(std::string_view text, MessageButtons buttons, MessageIcon icon,
                                       std::string_view title) {
    record({SeamCall::Message, std::string(text), std::string(title), buttons, icon, {}, {}});
    if (messageAnswers.empty()) {
        ADD_FAILURE() << "unexpected message box: " << text;
        return MessageAnswer::Cancel;
    }
    const MessageAnswer answer = messageAnswers.front();
    messageAnswers.pop_front();
    return answer;
}

std::string ScriptedSeam::inputBox(std::string_view prompt, std::string_view title,
                                   std::string_view defaultAnswer) {
    record({SeamCall::Input,
            std::string(prompt),
            std::string(title),
            MessageButtons::OkCancel,
            MessageIcon::None,
            std::string(defaultAnswer),
            {}});
    if (inputAnswers.empty()) {
        ADD_FAILURE() << "unexpected input box: " << prompt;
        return {};
    }
    std::string answer = inputAnswers.front();
    inputAnswers.pop_front();
    return answer;
}

FileDialogResult ScriptedSeam::fileDialog(const FileDialogRequest& request) {
    record({SeamCall::FileDialog,
            request.fileName,
            request.title,
            MessageButtons::Ok,
            MessageIcon::None,
            {},
            request});
    if (dialogResults.empty()) {
        ADD_FAILURE() << "unexpected file dialog: " << request.title;
        return {};
    }
    FileDialogResult result = dialogResults.front();
    dialogResults.pop_front();
    return result;
}

ModalResult ScriptedSeam::runModal(QDialog& dialog) {
    record({SeamCall::Modal,
            dialog.objectName().toStdString(),
            {},
            MessageButtons::Ok,
            MessageIcon::None,
            {},
            {}});
    if (modalActions.empty())
        return ModalResult::Rejected;
    const auto action = modalActions.front();
    modalActions.pop_front();
    return action(dialog);
}

void ScriptedSeam::openWithDefaultApplication(std::string_view pathOrAddress, LaunchFailed failed) {
    record({SeamCall::OpenDocument,
            std::string(pathOrAddress),
            {},
            MessageButtons::Ok,
            MessageIcon::None,
            {},
            {}});
    if (launchesFail && failed)
        failed();
}

void ScriptedSeam::openInTextEditor(std::string_view path, LaunchFailed failed) {
    record({SeamCall::OpenTextEditor, std::string(path), {}, MessageButtons::Ok, MessageIcon::None, {}, {}});
    if (launchesFail && failed)
        failed();
}

void ScriptedSeam::record(SeamRequest request) {
    requests.push_back(std::move(request));
    if (onRequest)
        onRequest(requests.back());
}

std::vector<SeamRequest> ScriptedSeam::requestsOf(SeamCall call) const {
    std::vector<SeamRequest> found;
    for (const SeamRequest& request : requests)
        if (request.call == call)
            found.push_back(request);
    return found;
}

std::optional<std::string> RecordingSettingsStore::readText(std::string_view keyPath,
                                                            std::string_view valueName) {
    if (m_inner)
        return m_inner->readText(keyPath, valueName);
    const auto found = values.find(std::string(valueName));
    if (found == values.end())
        return std::nullopt;
    return found->second;
}

void RecordingSettingsStore::writeText(std::string_view keyPath, std::string_view valueName,
                                       std::string_view text) {
    writes.push_back({std::string(keyPath), std::string(valueName), std::string(text)});
    if (m_inner)
        m_inner->writeText(keyPath, valueName, text);
    else
        values[std::string(valueName)] = std::string(text);
}
