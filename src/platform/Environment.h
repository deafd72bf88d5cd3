#pragma once
// What the process learns from its surroundings at start: the user's documents folder, the
// program's own folder and the command-line text. Tests build one by hand.

#include <string>

struct Environment {
    std::string documentsFolder;
    std::string programFolder;
    // Everything after the program's own name, the arguments joined by single blanks.
    std::string commandLineText;

    // Needs the QApplication to exist.
    static Environment fromApplication();
};
