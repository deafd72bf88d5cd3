// A page turn as the user sees it: from a key pressed at the X server (XTEST) to the last pixel of the
// new page drawn there (DAMAGE), in the real program with an album of photograph-like pages, against
// a plain Qt window that shows an already-decoded picture of the same size in the same place. Both
// run as processes of their own, side by side, and are measured alternately: a next-page turn
// (Right) and a jump (Page Down, ten pages on), each round the median of three presses. Before each press
// both have been left alone long enough to settle, as while the user reads a page. Needs a display
// (bench/run-all starts Xvfb).
#include "AppVersion.h"
#include "BenchSupport.h"
#include "settings/Settings.h"

#include <QDir>

#include <xcb/damage.h>
#include <xcb/xtest.h>

#include <csignal>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

constexpr xcb_keysym_t kRight = 0xff53;
constexpr xcb_keysym_t kPageDown = 0xff56;
constexpr xcb_keysym_t kHome = 0xff50;

pid_t spawn(const std::vector<std::string>& arguments, const std::string& configHome) {
    std::vector<std::string> environment = {"XDG_CONFIG_HOME=" + configHome};
    for (char** entry = environ; *entry; ++entry)
        if (!std::string_view(*entry).starts_with("XDG_CONFIG_HOME=") &&
            !std::string_view(*entry).starts_with("QT_QPA_PLATFORM="))
            environment.emplace_back(*entry);
    std::vector<char*> envp, argv;
    for (std::string& entry : environment)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    std::vector<std::string> copies = arguments;
    for (std::string& argument : copies)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    return posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), envp.data()) == 0 ? child : -1;
}

// The X side: one connection of its own, the windows found by their process, keys sent through XTEST
// and drawing seen through DAMAGE.
class Display {
public:
    Display() : m_connection(xcb_connect(nullptr, nullptr)) {
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
        std::free(xcb_damage_query_version_reply(m_connection, xcb_damage_query_version(m_connection, 1, 1),
                                                 nullptr));
        const xcb_query_extension_reply_t* damage = xcb_get_extension_data(m_connection, &xcb_damage_id);
        m_damageEvent = damage && damage->present ? damage->first_event + XCB_DAMAGE_NOTIFY : -1;
    }
    ~Display() { xcb_disconnect(m_connection); }
    bool usable() const { return !xcb_connection_has_error(m_connection) && m_damageEvent >= 0; }

    // The viewable top-level window of the process, once it has one.
    xcb_window_t windowOf(pid_t pid) {
        const xcb_atom_t pidAtom = atom("_NET_WM_PID");
        const auto deadline = Clock::now() + std::chrono::seconds(10);
        while (Clock::now() < deadline) {
            auto* tree = xcb_query_tree_reply(m_connection, xcb_query_tree(m_connection, m_root), nullptr);
            const xcb_window_t* children = tree ? xcb_query_tree_children(tree) : nullptr;
            for (int i = 0; tree && i < xcb_query_tree_children_length(tree); ++i) {
                if (viewable(children[i]) &&
                    cardinal(children[i], pidAtom) == static_cast<std::uint32_t>(pid)) {
                    const xcb_window_t found = children[i];
                    std::free(tree);
                    return found;
                }
            }
            std::free(tree);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return XCB_NONE;
    }

    void move(xcb_window_t window, int x, int y) {
        const std::uint32_t place[] = {static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y)};
        xcb_configure_window(m_connection, window, XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, place);
        xcb_damage_create(m_connection, xcb_generate_id(m_connection), window,
                          XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
        xcb_flush(m_connection);
    }

    xcb_keycode_t keycode(xcb_keysym_t keysym) {
        const xcb_setup_t* setup = xcb_get_setup(m_connection);
        const int count = setup->max_keycode - setup->min_keycode + 1;
        auto* map = xcb_get_keyboard_mapping_reply(
            m_connection, xcb_get_keyboard_mapping(m_connection, setup->min_keycode, count), nullptr);
        xcb_keycode_t found = 0;
        const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(map);
        for (int i = 0; map && i < count * map->keysyms_per_keycode && !found; ++i)
            if (syms[i] == keysym)
                found = static_cast<xcb_keycode_t>(setup->min_keycode + i / map->keysyms_per_keycode);
        std::free(map);
        return found;
    }

    // Gives the window the keyboard and waits until it has drawn nothing for a while.
    void settle(xcb_window_t window, std::chrono::milliseconds quiet) {
        xcb_set_input_focus(m_connection, XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME);
        std::free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
        lastDamage(XCB_NONE, Clock::now(), quiet, std::chrono::seconds(2));
    }

    // Presses and lets go of a key; the milliseconds from the press to the last drawing in the window
    // that follows it (the frame ends once nothing more is drawn there for 60 ms), or -1 when nothing
    // is drawn. The other window may still redraw itself for having lost the keyboard; that is not
    // this window's frame.
    double press(xcb_window_t window, xcb_keycode_t key) {
        const auto start = Clock::now();
        xcb_test_fake_input(m_connection, XCB_KEY_PRESS, key, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        xcb_test_fake_input(m_connection, XCB_KEY_RELEASE, key, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        xcb_flush(m_connection);
        const auto last = lastDamage(window, start, std::chrono::milliseconds(60), std::chrono::seconds(2));
        return last ? std::chrono::duration<double, std::milli>(*last - start).count() : -1;
    }

private:
    // The time of the last drawing in the window (in any window when none is given) before a quiet
    // time without any.
    std::optional<Clock::time_point> lastDamage(xcb_window_t window, Clock::time_point start,
                                                std::chrono::milliseconds quiet,
                                                std::chrono::milliseconds longest) {
        std::optional<Clock::time_point> last;
        pollfd descriptor{xcb_get_file_descriptor(m_connection), POLLIN, 0};
        for (;;) {
            while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
                if ((event->response_type & 0x7f) == m_damageEvent &&
                    (!window || reinterpret_cast<xcb_damage_notify_event_t*>(event)->drawable == window))
                    last = Clock::now();
                std::free(event);
            }
            const auto now = Clock::now();
            const auto until = std::min(last.value_or(start) + quiet, start + longest);
            if (now >= until)
                return last;
            descriptor.revents = 0;
            poll(&descriptor, 1,
                 static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(until - now).count()));
        }
    }

    xcb_atom_t atom(const char* name) {
        auto* reply = xcb_intern_atom_reply(
            m_connection,
            xcb_intern_atom(m_connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
        const xcb_atom_t found = reply ? reply->atom : XCB_NONE;
        std::free(reply);
        return found;
    }
    bool viewable(xcb_window_t window) {
        auto* reply = xcb_get_window_attributes_reply(
            m_connection, xcb_get_window_attributes(m_connection, window), nullptr);
        const bool shown = reply && reply->map_state == XCB_MAP_STATE_VIEWABLE;
        std::free(reply);
        return shown;
    }
    std::uint32_t cardinal(xcb_window_t window, xcb_atom_t property) {
        auto* reply = xcb_get_property_reply(
            m_connection, xcb_get_property(m_connection, 0, window, property, XCB_ATOM_CARDINAL, 0, 1),
            nullptr);
        const std::uint32_t value = reply && xcb_get_property_value_length(reply) == 4
                                        ? *static_cast<std::uint32_t*>(xcb_get_property_value(reply))
                                        : 0;
        std::free(reply);
        return value;
    }

    xcb_connection_t* m_connection;
    xcb_window_t m_root = XCB_NONE;
    int m_damageEvent = -1;
};

// A settings folder where this version has run before, so the program opens the album at once.
bool prepareSettings(const QString& configHome) {
    QDir().mkpath(configHome + QStringLiteral("/Halvergate Software"));
    QtSettingsStore settings(configHome + QStringLiteral("/Halvergate Software/Brindlecove.ini"));
    settings.writeText(kSettingsKeyPath, "ApplicationVersion", versionText(kReleaseNote));
    settings.writeText(kSettingsKeyPath, "RunsForThisVersion", "1");
    settings.sync();
    return true;
}

void KeyToPixels(benchmark::State& state) {
    Display display;
    if (qEnvironmentVariableIsEmpty("DISPLAY") || !display.usable()) {
        state.SkipWithError("needs an X display with DAMAGE and XTEST");
        return;
    }
    const bench::PhotoAlbum album(30, 1024, 768);
    const std::string configHome = album.path() + "config";
    prepareSettings(QString::fromStdString(configHome));
    std::vector<std::string> anchorArguments = {BRINDLECOVE_PICTURE_WINDOW};
    anchorArguments.insert(anchorArguments.end(), album.snapshots.begin(), album.snapshots.end());
    const pid_t program = spawn({BRINDLECOVE_PROGRAM, album.file("Storybook.xml")}, configHome);
    const pid_t anchor = spawn(anchorArguments, configHome);
    const xcb_window_t ours = program > 0 ? display.windowOf(program) : XCB_NONE;
    const xcb_window_t plain = anchor > 0 ? display.windowOf(anchor) : XCB_NONE;
    const xcb_keycode_t right = display.keycode(kRight), pageDown = display.keycode(kPageDown),
                        home = display.keycode(kHome);
    std::vector<double> oursNext, plainNext, oursJump, plainJump;
    int undrawn = 0;
    if (ours && plain && right && pageDown && home) {
        display.move(ours, 0, 0);
        display.move(plain, 600, 0);
        const auto settled = [&](xcb_window_t window, xcb_keycode_t key) {
            display.settle(window, std::chrono::milliseconds(200));
            const double milliseconds = display.press(window, key);
            undrawn += milliseconds < 0;
            return milliseconds;
        };
        // Untimed turns first: the first ones of a process also make its fonts' glyphs and the like.
        for (int round = 0; round < 3; ++round) {
            for (const xcb_keycode_t key : {right, pageDown, home}) {
                settled(ours, key);
                settled(plain, key);
            }
        }
        undrawn = 0;
        // A round's figure is the median of a few presses each, so one press that the machine's
        // other work delays does not make the round's ratio.
        constexpr int kPresses = 3;
        const auto medianOfPresses = [&](xcb_keycode_t key, std::vector<double>& oursTimes,
                                         std::vector<double>& plainTimes) {
            std::vector<double> o, p;
            for (int press = 0; press < kPresses; ++press) {
                o.push_back(settled(ours, key));
                p.push_back(settled(plain, key));
            }
            oursTimes.push_back(bench::median(o));
            plainTimes.push_back(bench::median(p));
        };
        for (auto _ : state) {
            medianOfPresses(right, oursNext, plainNext);
            medianOfPresses(pageDown, oursJump, plainJump);
            state.SetIterationTime(oursNext.back() / 1000);
            settled(ours, home);
            settled(plain, home);
        }
    } else {
        state.SkipWithError("the windows or the keys were not found");
    }
    for (const pid_t child : {program, anchor}) {
        if (child > 0) {
            kill(child, SIGTERM);
            waitpid(child, nullptr, 0);
        }
    }
    bench::reportPair(state, oursNext, plainNext, bench::Goal::ratio(1.5), "next.");
    bench::reportPair(state, oursJump, plainJump, bench::Goal::ratio(1.5), "jump.");
    state.counters["undrawn"] = undrawn;
}

} // namespace

int main(int argc, char** argv) {
    return bench::runBenchmarks(argc, argv, [] {
        benchmark::RegisterBenchmark("KeyToPixels", KeyToPixels)
            ->UseManualTime()
            ->Iterations(bench::samples(12, 6))
            ->Unit(benchmark::kMillisecond);
    });
}
