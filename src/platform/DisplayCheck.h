#pragma once
// Whether Qt will find a screen for the windows, decided before Qt tries: Qt meets a missing Wayland
// compositor or X display with a bare abort of its own, and the user deserves a sentence.

#include <functional>
#include <string>

struct DisplayChoice {
    bool usable = true;
    std::string platform; // when not empty, the platform to ask Qt for instead
    std::string note;     // a sentence for the terminal, when there is something to say
};

// `variable` reads the process environment (empty when unset); `answers` tells whether a local
// socket (a path, or an abstract name after a NUL) accepts a connection.
DisplayChoice chooseDisplay(const std::function<std::string(const char*)>& variable,
                            const std::function<bool(const std::string&)>& answers);

bool localSocketAnswers(const std::string& path);
