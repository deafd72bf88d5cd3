#pragma once
// A run of the application in a test: scripted seam, recording settings store, and a program
// folder of its own.

#include "AppState.h"
#include "ScriptedSeam.h"

#include <QTemporaryDir>

#include <memory>

struct AppFixture {
    AppFixture()
        : state(seam, store, Environment{"/home/tester/Documents", programFolder.path().toStdString(), ""}) {}
    // A fresh state on the same store, as the next start of the program sees it.
    std::unique_ptr<AppState> nextRun() {
        return std::make_unique<AppState>(
            seam, store, Environment{"/home/tester/Documents", programFolder.path().toStdString(), ""});
    }

    QTemporaryDir programFolder;
    ScriptedSeam seam;
    RecordingSettingsStore store;
    AppState state;
};
