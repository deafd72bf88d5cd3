#include "CommandLine.h"

#include "AppVersion.h"

CommandLineRequest readCommandLine(const std::vector<std::string>& arguments) {
    CommandLineRequest request;
    std::vector<std::string> albums;
    bool optionsEnded = false;
    for (const std::string& argument : arguments) {
        if (optionsEnded || argument == "-" || !argument.starts_with('-')) {
            albums.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--help" || argument == "-h") {
            return {CommandLineRequest::Kind::Help, {}, {}};
        } else if (argument == "--version") {
            return {CommandLineRequest::Kind::Version, {}, {}};
        } else {
            return {CommandLineRequest::Kind::Mistake, {}, "unknown option " + argument};
        }
    }
    if (albums.size() > 1)
        return {CommandLineRequest::Kind::Mistake,
                {},
                "one album at a time, and " + std::to_string(albums.size()) +
                    " were given (a path with blanks needs quotes)"};
    if (!albums.empty())
        request.album = albums.front();
    return request;
}

CommandLineRequest::Kind textOnlyRequest(const std::vector<std::string>& arguments) {
    for (const std::string& argument : arguments) {
        if (argument == "--")
            break;
        if (argument == "--help" || argument == "-h")
            return CommandLineRequest::Kind::Help;
        if (argument == "--version")
            return CommandLineRequest::Kind::Version;
    }
    return CommandLineRequest::Kind::Run;
}

std::string usageText() {
    return "Usage: brindlecove [ALBUM]\n"
           "Views, edits and exports a storybook photo album of The Sims 2: the album's XML file,\n"
           "with its snapshots beside it. Without ALBUM the start screen is shown.\n"
           "\n"
           "  -h, --help   show this text and exit\n"
           "  --version    show the version and exit\n";
}

std::string versionLine() {
    return std::string(kApplicationTitle) + " " + versionNumbers() + "\n";
}
