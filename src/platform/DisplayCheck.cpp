#include "DisplayCheck.h"

#ifndef _WIN32
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

#include <cstddef>
#include <cstring>
#include <vector>

namespace {

std::vector<std::string> platformsTried(const std::function<std::string(const char*)>& variable) {
    std::string requested = variable("QT_QPA_PLATFORM");
    // What Qt itself tries when nothing is asked for.
    if (requested.empty())
        requested = variable("XDG_SESSION_TYPE") == "wayland" ? "wayland;xcb" : "xcb";
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start <= requested.size()) {
        const std::size_t end = std::min(requested.find(';', start), requested.size());
        const std::string entry = requested.substr(start, end - start);
        // Platform arguments follow a colon.
        names.push_back(entry.substr(0, entry.find(':')));
        start = end + 1;
    }
    return names;
}

std::string waylandSocket(const std::function<std::string(const char*)>& variable) {
    std::string name = variable("WAYLAND_DISPLAY");
    if (name.empty())
        name = "wayland-0";
    if (name.starts_with('/'))
        return name;
    const std::string runtime = variable("XDG_RUNTIME_DIR");
    return runtime.empty() ? std::string() : runtime + "/" + name;
}

// The X server of a local display listens on a socket named after its number; a display on another
// host is taken on trust.
bool xServerAnswers(const std::string& display, const std::function<bool(const std::string&)>& answers) {
    std::string local = display.starts_with("unix:") ? display.substr(4) : display;
    if (!local.starts_with(':'))
        return !display.empty();
    const std::string number = local.substr(1, local.find('.') - 1);
    const std::string socket = "/tmp/.X11-unix/X" + number;
    return answers(std::string(1, '\0') + socket) || answers(socket);
}

} // namespace

DisplayChoice chooseDisplay(const std::function<std::string(const char*)>& variable,
                            const std::function<bool(const std::string&)>& answers) {
    const std::string socket = waylandSocket(variable);
    const bool compositor = !variable("WAYLAND_SOCKET").empty() || (!socket.empty() && answers(socket));
    const bool xDisplay = xServerAnswers(variable("DISPLAY"), answers);
    bool waylandAsked = false;
    for (const std::string& name : platformsTried(variable)) {
        const bool wayland = name.starts_with("wayland");
        waylandAsked = waylandAsked || wayland;
        if (wayland ? compositor : (name != "xcb" || xDisplay))
            return {};
    }
    const std::string where = socket.empty() ? "(XDG_RUNTIME_DIR is not set)" : "at " + socket;
    if (waylandAsked && xDisplay)
        return {true, "xcb",
                "brindlecove: no Wayland compositor answers " + where + "; using the X display " +
                    variable("DISPLAY") + " instead."};
    std::string reason = waylandAsked ? "no Wayland compositor answers " + where : std::string();
    if (!xDisplay)
        reason += std::string(reason.empty() ? "" : " and ") +
                  (variable("DISPLAY").empty() ? "no X display is set (DISPLAY is empty)"
                                               : "the X display " + variable("DISPLAY") + " does not answer");
    return {false,
            {},
            "brindlecove: there is no screen to open the window on: " + reason +
                ". Start it from a desktop session, or set QT_QPA_PLATFORM=offscreen to run without one."};
}

#ifdef _WIN32
// Windows has neither Wayland nor X sockets: Qt's own platform needs no check.
bool localSocketAnswers(const std::string&) {
    return false;
}
#else
bool localSocketAnswers(const std::string& path) {
    sockaddr_un address{};
    if (path.empty() || path.size() >= sizeof(address.sun_path))
        return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.data(), path.size());
    // An abstract name (a leading NUL) counts its bytes exactly; a path ends at its NUL.
    const auto length =
        static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + path.size() + (path[0] ? 1 : 0));
    const int descriptor = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (descriptor < 0)
        return false;
    const bool connected = ::connect(descriptor, reinterpret_cast<const sockaddr*>(&address), length) == 0;
    ::close(descriptor);
    return connected;
}
#endif
