// The rules beneath the main window, without a window: where the navigation buttons go, which
// commands the mode allows, and what the Save dialog's answer asks for.

#include "controller/MainController.h"
#include "controller/SaveAsTarget.h"
#include "document/Storybook.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {
class Controller : public ::testing::Test {
protected:
    Controller(int pages = 30) : book(makeStorybook()), controller(*book) { book->varPageCount = pages; }
    std::unique_ptr<Storybook> book;
    MainController controller;
};
} // namespace

TEST(AppModeTest, EveryModeReadsBackFromItsText) {
    for (int m = 0; m <= int(AppMode::Exit); ++m)
        EXPECT_EQ(modeNamed(modeText(AppMode(m))), AppMode(m)) << m;
    EXPECT_EQ(modeText(AppMode::SaveXml), "Save XML");
    EXPECT_EQ(modeNamed("view storybook"), std::nullopt) << "the whole text, exactly";
}

TEST_F(Controller, NavigationButtonsClampToTheAlbum) {
    struct Row {
        int from;
        NavButton button;
        int to;
    };
    for (const Row& row :
         {Row{0, NavButton::Back, 0}, Row{5, NavButton::Back, 4}, Row{5, NavButton::BackTen, 0},
          Row{15, NavButton::BackTen, 5}, Row{22, NavButton::First, 0}, Row{5, NavButton::Forward, 6},
          Row{29, NavButton::Forward, 29}, Row{25, NavButton::ForwardTen, 29}, Row{3, NavButton::Last, 29}}) {
        controller.setCurrentPage(std::int16_t(row.from));
        controller.turnPage(row.button);
        EXPECT_EQ(controller.currentPage(), row.to) << row.from << " button " << int(row.button);
    }
}

TEST_F(Controller, PagesDecodedAheadAreTheButtonsTargetsNearestFirst) {
    controller.setCurrentPage(5);
    EXPECT_EQ(controller.navigationTargets(), (std::vector<int>{6, 4, 0, 15, 29}));
    controller.setCurrentPage(0);
    EXPECT_EQ(controller.navigationTargets(), (std::vector<int>{1, 10, 29}));
    book->varPageCount = 1;
    EXPECT_TRUE(controller.navigationTargets().empty());
}

TEST_F(Controller, ModeDecidesPageTurnsAndCommands) {
    struct Row {
        AppMode mode;
        bool locked;
        PageTurn turn;
        bool albumShown, viewingOrEditing, canBeginMove, turningPages;
    };
    using P = PageTurn;
    for (const Row& row : {
             Row{AppMode::ViewStorybook, true, P::FromViewing, true, true, false, true},
             Row{AppMode::StorybookSaved, true, P::FromViewing, true, false, true, false},
             Row{AppMode::ViewStorybook, false, P::Refused, true, true, false, true},
             Row{AppMode::EditStorybook, false, P::FromEditing, true, true, true, false},
             Row{AppMode::RelocatePage, true, P::WhileMoving, false, false, false, true},
             Row{AppMode::NothingLoaded, true, P::Refused, false, false, false, false},
             Row{AppMode::ReverseStorybook, true, P::Refused, false, false, false, false},
         }) {
        SCOPED_TRACE(modeText(row.mode));
        controller.setMode(row.mode);
        EXPECT_EQ(controller.pageTurn(row.locked), row.turn);
        EXPECT_EQ(controller.albumShown(), row.albumShown);
        EXPECT_EQ(controller.viewingOrEditing(), row.viewingOrEditing);
        EXPECT_EQ(controller.canBeginMove(), row.canBeginMove);
        EXPECT_EQ(controller.turningPages(), row.turningPages);
    }
}

TEST_F(Controller, AnEmptyAlbumTurnsNoPageAndHoldsNoChanges) {
    book->varPageCount = 0;
    controller.setSaved(false);
    for (AppMode mode : {AppMode::ViewStorybook, AppMode::EditStorybook}) {
        controller.setMode(mode);
        EXPECT_EQ(controller.pageTurn(true), PageTurn::Refused);
        EXPECT_FALSE(controller.hasChangesShown() || controller.canEnterFullScreen());
    }
    EXPECT_FALSE(controller.hasUnsavedChanges());
    book->varPageCount = 1;
    EXPECT_TRUE(controller.hasUnsavedChanges());
    EXPECT_FALSE(controller.canExitFromKeyboard());
}

TEST(SaveAsTargetTest, TheFirstRuleThatFitsWins) {
    using A = SaveAsAction;
    struct Row {
        const char* chosen;
        int filter;
        A action;
        const char* templateName;
        const char* path;
        bool renamed;
    };
    for (const Row& row : {
             Row{"/a/b.HTML", 1, A::ExportHtml, "Static HTML Linear", "/a/b.HTML", false},
             Row{"/a/b.htm", 1, A::ExportHtml, "Static HTML Linear", "/a/b.html", true},
             Row{"/a/b.Xml", 1, A::SaveXml, "", "/a/b.Xml", false},
             Row{"/a/b", 1, A::SaveXml, "", "/a/b.xml", true},
             Row{"/a/b.xml", 2, A::ExportHtml, "Static HTML Linear", "/a/b.xml.html", true},
             Row{"/a/b", 3, A::ExportHtml, "JavaScript HTML Popup", "/a/b.html", true},
             Row{"/a/b", 4, A::ExportHtml, "CSS/JS Advanced Viewer", "/a/b.html", true},
             Row{"/a/b.xml", 0, A::SaveXml, "", "/a/b.xml", false},
             Row{"/a/b.XML", 0, A::SaveXml, "", "/a/b.XML.xml", true},
         }) {
        EXPECT_EQ(saveAsTarget(row.chosen, row.filter),
                  (SaveAsTarget{row.action, row.templateName, row.path, row.renamed}))
            << row.chosen << " filter " << row.filter;
    }
    EXPECT_EQ(suggestedSaveAsName("Our.xml.html.xml"), "Our");
}

TEST(SaveAsTargetTest, SameFolderAsTheFileSystemSeesIt) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "controller-same-folder";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir / "real");
    std::filesystem::create_directory_symlink(dir / "real", dir / "link");
    const std::string real = (dir / "real").string() + "/";
    EXPECT_TRUE(sameFolder(real, (dir / "link").string() + "/"));
    EXPECT_TRUE(sameFolder(real, (dir / "real" / ".").string() + "/"));
    EXPECT_FALSE(sameFolder(real, (dir / "REAL").string() + "/"));
    EXPECT_FALSE(sameFolder(real, dir.string() + "/"));
#ifndef _WIN32
    std::filesystem::create_directory(dir / "\xFE");
    std::filesystem::create_directory(dir / "\xFF");
    EXPECT_FALSE(sameFolder((dir / "\xFE").string() + "/", (dir / "\xFF").string() + "/"))
        << "names alike once decoded";
#endif
    std::filesystem::remove_all(dir);
}
