#pragma once
// A headless main window after start-up, for the tests of its commands.

#include "AppFixture.h"
#include "frmMain.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class CommandWindow : public ::testing::Test {
protected:
    CommandWindow() { window.Form_Load(); }

    void open(const std::string& path) {
        FileDialogResult chosen;
        chosen.chosen = true;
        chosen.path = path;
        chosen.filterIndex = 1;
        app.seam.dialogResults.push_back(chosen);
        window.OpenStorybook();
    }
    // The stories of the pages in their order, without their wrapper.
    std::vector<std::string> stories() const {
        std::vector<std::string> out;
        const Storybook& book = app.state.storybook();
        for (int p = 0; p < book.varPageCount; ++p) {
            const std::string& text = book.content(p, album::Text);
            out.push_back(text.size() >= 12 ? text.substr(9, text.size() - 12) : text);
        }
        return out;
    }
    std::vector<SeamRequest> messages() const { return app.seam.requestsOf(SeamCall::Message); }
    const std::string& mode() const { return app.state.strApplicationMode; }

    AppFixture app;
    frmMain window{app.state};
};
