#pragma once
// A host for running the document without windows (tools, benchmarks, the fuzzer): every message
// is answered OK and counted, a request to end is noted, and the shared values are plain members.

#include "StorybookHost.h"

#include <string>
#include <vector>

class SilentHost : public StorybookHost {
public:
    MessageAnswer messageBox(std::string_view text, MessageButtons, MessageIcon, std::string_view) override {
        messages.emplace_back(text);
        return MessageAnswer::Ok;
    }
    void endApplication() override { endRequested = true; }
    void showSavingPicture() override {}
    void hideSavingPicture() override {}
    void setApplicationMode(std::string_view) override {}
    void refreshDisplay(std::string_view) override {}
    void focusPicture() override {}
    std::string clearStoryText() override { return {}; }
    std::string timeStampNow() override { return "1/1/2026 00:00:00"; }
    std::int16_t currentPage() const override { return page; }
    void setCurrentPage(std::int16_t value) override { page = value; }
    bool storybookSaved() const override { return saved; }
    void setStorybookSaved(bool value) override { saved = value; }
    std::string selectedSnapshot() const override { return snapshot; }

    std::vector<std::string> messages;
    bool endRequested = false;
    std::int16_t page = 0;
    bool saved = true;
    std::string snapshot = "snapshot_4c1e9b07_00000001.jpg";
};
