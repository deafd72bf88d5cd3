// Carrying out a command named by a control or a key, the table that binds the controls, and the
// one place that refreshes what the window enables afterwards.

#include "CommandTable.h"
#include "controller/AppMode.h"
#include "frmMain.h"

#include "platform/Controls.h"
#include "platform/PictureArea.h"
#include "platform/PopupMenu.h"
#include "platform/StoryTextBox.h"

#include <QEvent>

#include <array>
#include <functional>

const std::vector<ControlBinding>& controlBindings() {
    // The toolbar hotspots show their highlight while their command runs; Exit keeps it on.
    static const std::vector<ControlBinding> table = {
        {"btnLoad", {highlight("btnLoad"), run(Command::OpenStorybook), highlight("")}},
        {"btnSave", {highlight("btnSave"), run(Command::SaveStorybook), highlight("")}},
        {"btnSaveAs", {highlight("btnSaveAs"), run(Command::SaveStorybookAs), highlight("")}},
        {"btnView", {highlight("btnView"), run(Command::CycleOverlayCaptions), highlight("")}},
        {"btnEdit", {highlight("btnEdit"), run(Command::ToggleEditMode), highlight("")}},
        {"btnImage", {highlight("btnImage"), run(Command::ShowSnapshotBrowser), highlight("")}},
        {"btnTools", {highlight("btnTools"), run(Command::ToggleToolButtons), highlight("")}},
        {"btnExit", {highlight("btnExit"), run(Command::ExitApplication)}},

        {"mnuPopupHelpHelp", {run(Command::ShowHelpFile)}},
        {"mnuPopupHelpAbout", {run(Command::ShowAboutBox)}},
        {"mnuPopupHelpFSLA", {run(Command::ShowLicenseAgreement)}},
        {"mnuPopupHelpWeb", {run(Command::ShowHomePage)}},
        {"mnuPopupOpen", {run(Command::OpenStorybook)}},
        {"mnuPopupSave", {run(Command::SaveStorybook)}},
        {"mnuPopupSaveAs", {run(Command::SaveStorybookAs)}},
        // Editing the text alone, without the page buttons.
        {"mnuPopupEditText",
         {run(Command::ToggleEditMode), hide("sbtnSticky"), hide("sbtnMovePg"), hide("sbtnStuck"),
          hide("sbtnDelete")}},
        {"mnuPopupEditMovePage",
         {run(Command::ToggleEditMode), run(Command::BeginRelocatePage), highlight("")}},
        {"mnuPopupEditDelete", {run(Command::ConfirmDeletePage)}},
        {"mnuPopupSnapshot", {run(Command::ShowSnapshotBrowser)}},
        {"mnuPopupView", {run(Command::DoPluginImageInfo)}},
        {"mnuPopupFullScreen", {run(Command::ToggleFullScreen)}},
        {"mnuPopupWindowMode", {run(Command::ToggleFullScreen)}},
        {"mnuPopupOptionsReverse", {run(Command::ConfirmReversePages)}},
        {"mnuPopupOptionsSettings", {run(Command::ShowSettingsDialog)}},
        {"mnuPopupExit", {run(Command::ExitApplication)}},

        {"sbtnDelete", {run(Command::ConfirmDeletePage)}},
        {"sbtnMovePg", {run(Command::BeginRelocatePage)}},
        {"sbtnSticky", {run(Command::PinPageButtons)}},
        {"sbtnStuck", {run(Command::UnpinPageButtons)}},
        {"sbtnTools1", {run(Command::ShowSettingsDialog)}},
        {"sbtnTools2", {run(Command::ToggleToolButtons)}},
        {"sbtnTools3", {run(Command::ToggleToolButtons)}},
        {"sbtnTools4", {run(Command::ToggleToolButtons)}},
        {"sbtnTools5", {run(Command::ConfirmReversePages)}},
        {"pbxThumbnail", {run(Command::DropRelocatedPage)}},
    };
    return table;
}

namespace {

// Calls back when the watched control takes the keyboard focus.
class FocusInWatcher : public QObject {
public:
    FocusInWatcher(QObject* watched, std::function<void()> onFocusIn)
        : QObject(watched), m_onFocusIn(std::move(onFocusIn)) {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::FocusIn)
            m_onFocusIn();
        return false;
    }

private:
    std::function<void()> m_onFocusIn;
};

// The popup items whose use needs an album on show (the rest are always enabled).
constexpr std::array<const char*, 10> kAlbumItems = {
    "mnuPopupEditMovePage", "mnuPopupSave",       "mnuPopupSaveAs", "mnuPopupEditText",
    "mnuPopupEditDelete",   "mnuPopupSnapshot",   "mnuPopupView",   "mnuPopupOptionsReverse",
    "mnuPopupFullScreen",   "mnuPopupWindowMode",
};

} // namespace

void frmMain::connectCommandControls() {
    for (const ControlBinding& binding : controlBindings()) {
        const QString name = QString::fromLatin1(binding.control.data(), qsizetype(binding.control.size()));
        const std::string_view control = binding.control;
        const auto click = [this, control] { clickControl(control); };
        QObject* found = findChild<QObject*>(name);
        if (auto* hotspot = qobject_cast<ImageHotspot*>(found))
            connect(hotspot, &ImageHotspot::clicked, this, click);
        else if (auto* button = qobject_cast<QAbstractButton*>(found))
            connect(button, &QAbstractButton::clicked, this, click);
        else if (auto* picture = qobject_cast<PictureArea*>(found))
            connect(picture, &PictureArea::clicked, this, click);
    }
    // Menu items are actions of the menu, reported by their names.
    connect(mnuPopup, &PopupMenu::itemChosen, this,
            [this](const QString& item) { clickControl(item.toStdString()); });

    connect(rtbViewer, &StoryTextBox::focusLost, this, &frmMain::rtbViewer_LostFocus);
    new FocusInWatcher(pbxShow, [this] { pbxShow_GotFocus(); });
    connect(pbxShow, &PictureArea::mousePressed, this, [this](int button) { pbxShow_MouseDown(button); });
    connect(pbxBlanket, &PictureArea::mousePressed, this,
            [this](int button) { pbxBlanket_MouseDown(button); });
    connect(this, &FramelessWindow::faceMousePressed, this, [this](int button) { Form_MouseDown(button); });
}

void frmMain::clickControl(std::string_view control) {
    for (const ControlBinding& binding : controlBindings()) {
        if (binding.control == control) {
            runSteps(binding.steps);
            return;
        }
    }
}

void frmMain::runSteps(std::span<const CommandStep> steps) {
    for (const CommandStep& step : steps) {
        switch (step.kind) {
        case StepKind::Highlight:
            HighlightButton(step.name);
            break;
        case StepKind::Run:
            runCommand(step.command);
            break;
        case StepKind::Hide:
            if (auto* button =
                    findChild<QWidget*>(QString::fromLatin1(step.name.data(), qsizetype(step.name.size()))))
                button->hide();
            break;
        }
    }
}

void frmMain::runCommand(Command command) {
    if (onCommand)
        onCommand(command);
    switch (command) {
    case Command::OpenStorybook:
        OpenStorybook();
        break;
    case Command::SaveStorybook:
        SaveStorybook();
        break;
    case Command::SaveStorybookAs:
        SaveStorybookAs();
        break;
    case Command::CycleOverlayCaptions:
        CycleOverlayCaptions();
        break;
    case Command::ToggleEditMode:
        ToggleEditMode();
        break;
    case Command::ShowSnapshotBrowser:
        ShowSnapshotBrowser();
        break;
    case Command::ToggleToolButtons:
        ToggleToolButtons();
        break;
    case Command::ExitApplication:
        ExitApplication(ExitConfirmation::None);
        break;
    case Command::ExitApplicationConfirmed:
        ExitApplication(ExitConfirmation::Ask);
        break;
    case Command::ShowHelpFile:
        ShowHelpFile();
        break;
    case Command::ShowAboutBox:
        ShowAboutBox();
        break;
    case Command::ShowLicenseAgreement:
        ShowLicenseAgreement();
        break;
    case Command::ShowHomePage:
        ShowHomePage();
        break;
    case Command::BeginRelocatePage:
        BeginRelocatePage();
        break;
    case Command::DropRelocatedPage:
        DropRelocatedPage();
        break;
    case Command::ConfirmDeletePage:
        ConfirmDeletePage();
        break;
    case Command::ConfirmReversePages:
        ConfirmReversePages();
        break;
    case Command::PinPageButtons:
        sbtnSticky_Click();
        break;
    case Command::UnpinPageButtons:
        sbtnStuck_Click();
        break;
    case Command::DoPluginImageInfo:
        DoPluginImageInfo();
        break;
    case Command::ToggleFullScreen:
        ToggleFullScreen();
        break;
    case Command::ShowSettingsDialog:
        ShowSettingsDialog();
        break;
    case Command::EmptyProcedure:
        EmptyProcedure();
        break;
    }
    updateActions();
}

// What a command may have changed that the controls reflect. The popup menu runs it again as it
// opens, since navigation changes the mode without a command.
void frmMain::updateActions() {
    const AppMode mode = m_state.controller().mode();
    const bool albumShown =
        mode == AppMode::StorybookSaved || mode == AppMode::ViewStorybook || mode == AppMode::EditStorybook;
    for (const char* item : kAlbumItems)
        mnuPopup->setItemEnabled(QString::fromLatin1(item), albumShown);
    mnuPopup->setItemEnabled(QStringLiteral("mnuPopupSave"), albumShown && !m_state.controller().saved());
}

void frmMain::EmptyProcedure() {}

// Together the two focus handlers send the focus back to the story text when, while editing, it
// passes from the text to the page picture.
void frmMain::rtbViewer_LostFocus() {
    if (m_state.controller().mode() == AppMode::EditStorybook)
        m_state.intTextHadFocus = 1;
}

void frmMain::pbxShow_GotFocus() {
    if (m_state.controller().mode() == AppMode::EditStorybook && m_state.intTextHadFocus == 1) {
        rtbViewer->setFocus();
        m_state.intTextHadFocus = 0;
    }
}
