#include "AppState.h"

AppState::AppState(PlatformSeam& seam, SettingsStore& settings, Environment environment)
    : m_seam(seam), m_settings(settings), m_environment(std::move(environment)),
      m_storybook(makeStorybook()) {}
