#pragma once
// What the command line asks of the program before any window opens: its usage, its version, or a
// run on at most one album. Qt's own options are taken out before this reads the rest.

#include <string>
#include <string_view>
#include <vector>

struct CommandLineRequest {
    enum class Kind { Run, Help, Version, Mistake };
    Kind kind = Kind::Run;
    std::string album;   // Run: the album to open, empty for none
    std::string mistake; // Mistake: one sentence naming what is wrong
};

// The arguments after the program's own name. "--" ends the options, so an album may start with "-".
CommandLineRequest readCommandLine(const std::vector<std::string>& arguments);

// Help or Version when an option before "--" asks for the usage or the version, which need no
// display; Run otherwise. Reads the arguments as given, Qt's options still among them.
CommandLineRequest::Kind textOnlyRequest(const std::vector<std::string>& arguments);

std::string usageText();
std::string versionLine();
