#pragma once
// The values the windows and commands share for the whole run: the open album, the mode, the
// display flags and the settings, plus the services of the platform the run was given. The main
// window creates nothing of this itself, so tests can hand it a scripted seam and a scratch store.

#include "controller/MainController.h"
#include "document/Storybook.h"
#include "platform/Environment.h"
#include "settings/StoredSettings.h"

#include <cstdint>
#include <memory>
#include <string>

class PlatformSeam;
class SettingsStore;

class AppState {
public:
    AppState(PlatformSeam& seam, SettingsStore& settings, Environment environment);

    PlatformSeam& seam() { return m_seam; }
    SettingsStore& settingsStore() { return m_settings; }
    const Environment& environment() const { return m_environment; }

    Storybook& storybook() { return *m_storybook; }
    const Storybook& storybook() const { return *m_storybook; }

    // The mode, the page shown and the saved flag, with the rules of the commands.
    MainController& controller() { return m_controller; }
    const MainController& controller() const { return m_controller; }

    // Shared display and album state.
    std::string varStorybookFolder; // ends in '/'
    std::string varStorybookFile;
    std::string varSelectedSnapshot;
    std::string strStorybookCachePath;
    bool blnShowPageNumber = true;
    bool blnShowFileName = false;
    bool blnShowSnapshotName = false;
    bool blnFullScreen = false;
    std::int16_t intWindowTop = 0;  // twips
    std::int16_t intWindowLeft = 0; // twips

    StoredSettings settings;

private:
    PlatformSeam& m_seam;
    SettingsStore& m_settings;
    Environment m_environment;
    std::unique_ptr<Storybook> m_storybook;
    MainController m_controller{*m_storybook};
};
