#pragma once
// What the process learns from its surroundings at start: the user's documents folder, the
// program's own folder and the command-line text. Tests build one by hand.

#include <string>

struct Environment {
    std::string documentsFolder;
    std::string programFolder;
    // The album named on the command line, as the bytes of argv: Qt's decoded arguments would
    // lose a name's bytes that are no UTF-8.
    std::string commandLineText;

    // Needs the QApplication to exist. Leaves commandLineText to the caller, who holds argv.
    static Environment fromApplication();
};
