#pragma once
// A StorybookHost for tests: records every request in order and answers messages from a queue.

#include "document/StorybookHost.h"

#include <deque>
#include <string>
#include <vector>

struct RecordedMessage {
    std::string text;
    MessageButtons buttons;
    MessageIcon icon;
    std::string title;
};

class RecordingHost : public StorybookHost {
public:
    MessageAnswer messageBox(std::string_view text, MessageButtons buttons, MessageIcon icon,
                             std::string_view title) override {
        messages.push_back({std::string(text), buttons, icon, std::string(title)});
        calls.push_back("message");
        if (answers.empty())
            return MessageAnswer::Ok;
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void endApplication() override {
        endRequested = true;
        calls.push_back("end");
    }
    void showSavingPicture() override { calls.push_back("show saving"); }
    void hideSavingPicture() override { calls.push_back("hide saving"); }
    void setApplicationMode(std::string_view text) override {
        mode = text;
        calls.push_back("mode " + mode);
    }
    void refreshDisplay(std::string_view action) override {
        calls.push_back("refresh " + std::string(action));
    }
    void focusPicture() override { calls.push_back("focus picture"); }
    std::string clearStoryText() override {
        calls.push_back("clear story");
        return {};
    }
    std::string timeStampNow() override { return clock; }
    std::int16_t currentPage() const override { return page; }
    void setCurrentPage(std::int16_t value) override { page = value; }
    bool storybookSaved() const override { return saved; }
    void setStorybookSaved(bool value) override { saved = value; }
    std::string selectedSnapshot() const override { return snapshot; }

    std::vector<RecordedMessage> messages;
    std::vector<std::string> calls;
    std::deque<MessageAnswer> answers;
    bool endRequested = false;
    std::string mode = "View Storybook";
    std::string clock = "12/9/2026 14:05:09";
    std::int16_t page = 0;
    bool saved = true;
    std::string snapshot;
};
