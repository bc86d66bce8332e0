// Starts a program and reports, for each named top-level window, the time
// from the program's start to the first pixels drawn into it: the first
// damage the X server reports on the mapped window. The damage extension
// sees what the program has really drawn, whichever way it draws, so the
// figure is the moment a user could see the window, not when it was mapped.
// Works with and without a window manager.
//
//   startup_probe [--timeout-ms N] --window TITLE [--window TITLE ...] -- PROGRAM [ARG ...]
//
// Prints "TITLE<TAB>MILLISECONDS<TAB>CPU_MILLISECONDS" per window in the
// order given, then ends the program. The second figure is the processor
// time the program (all its threads) had used by then: on a busy machine the
// elapsed time mostly says how long the program waited for a core, and this
// one how much work it did. Exits 0 when every window was drawn, 1 when the program ended
// or the time ran out first, 2 on bad arguments or without a display.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Options {
    int timeoutMs = 30000;
    std::vector<std::string> titles;
    std::vector<char*> command;
};

std::optional<Options> ParseOptions(int argc, char** argv)
{
    Options options;
    int i = 1;
    for (; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        if (std::strcmp(argv[i], "--window") == 0 && i + 1 < argc)
            options.titles.emplace_back(argv[++i]);
        else if (std::strcmp(argv[i], "--timeout-ms") == 0 && i + 1 < argc)
            options.timeoutMs = std::atoi(argv[++i]);
        else
            return std::nullopt;
    }
    for (++i; i < argc; ++i)
        options.command.push_back(argv[i]);
    if (options.titles.empty() || options.command.empty() || options.timeoutMs <= 0)
        return std::nullopt;
    options.command.push_back(nullptr);
    return options;
}

// Windows come and go while they are watched; a request about one that has
// just gone fails harmlessly.
int IgnoreError(Display*, XErrorEvent*)
{
    return 0;
}

std::string WindowTitle(Display* display, Window window)
{
    const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(display, window, netName, 0, 1024, False, utf8, &type, &format, &count, &after, &data) ==
            Success &&
        data != nullptr && type == utf8)
        title.assign(reinterpret_cast<char*>(data), count);
    if (data != nullptr)
        XFree(data);
    if (title.empty()) {
        char* name = nullptr;
        if (XFetchName(display, window, &name) != 0 && name != nullptr) {
            title = name;
            XFree(name);
        }
    }
    return title;
}

pid_t Start(const Options& options)
{
    const pid_t child = fork();
    if (child == 0) {
        execvp(options.command[0], options.command.data());
        std::perror(options.command[0]);
        _exit(127);
    }
    return child;
}

void Stop(pid_t child)
{
    kill(child, SIGTERM);
    for (int waited = 0; waited < 100; ++waited) {
        if (waitpid(child, nullptr, WNOHANG) == child)
            return;
        usleep(20000);
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
}

// Follows the top-level windows of the display and the first damage of each.
class Watcher {
public:
    Watcher(Display* display, int damageEvent, const std::vector<std::string>& titles)
        : display_(display), damageEvent_(damageEvent), titles_(titles), seen_(titles.size()), cpu_(titles.size())
    {}

    void Follow(pid_t child)
    {
        if (clock_getcpuclockid(child, &childClock_) == 0)
            haveClock_ = true;
    }

    void Handle(XEvent& event, double elapsedMs)
    {
        if (event.type == CreateNotify) {
            // Watched from its creation, so no drawing is missed between the
            // mapping and the start of the watch. A window manager moves the
            // window into a frame of its own before mapping it, and then only
            // the window itself still hears of its mapping.
            const Window window = event.xcreatewindow.window;
            XDamageCreate(display_, window, XDamageReportNonEmpty);
            XSelectInput(display_, window, StructureNotifyMask);
            XWindowAttributes attributes{};
            if (XGetWindowAttributes(display_, window, &attributes) != 0 && attributes.map_state != IsUnmapped)
                mapped_[window] = true;
        } else if (event.type == MapNotify) {
            mapped_[event.xmap.window] = true;
        } else if (event.type == UnmapNotify) {
            mapped_[event.xunmap.window] = false;
        } else if (event.type == damageEvent_ + XDamageNotify) {
            const auto& damage = reinterpret_cast<const XDamageNotifyEvent&>(event);
            XDamageSubtract(display_, damage.damage, None, None);
            if (mapped_[damage.drawable])
                Record(WindowTitle(display_, damage.drawable), elapsedMs);
        }
    }

    bool AllSeen() const
    {
        for (const auto& time : seen_)
            if (!time)
                return false;
        return true;
    }

    // Returns whether every window was seen.
    bool Print() const
    {
        for (std::size_t i = 0; i < titles_.size(); ++i) {
            if (seen_[i])
                std::printf("%s\t%.1f\t%.1f\n", titles_[i].c_str(), *seen_[i], cpu_[i]);
            else
                std::printf("%s\tnever\tnever\n", titles_[i].c_str());
        }
        return AllSeen();
    }

private:
    void Record(const std::string& title, double elapsedMs)
    {
        for (std::size_t i = 0; i < titles_.size(); ++i) {
            if (!seen_[i] && titles_[i] == title) {
                seen_[i] = elapsedMs;
                cpu_[i] = ChildCpuMs();
            }
        }
    }

    double ChildCpuMs() const
    {
        timespec used{};
        if (!haveClock_ || clock_gettime(childClock_, &used) != 0)
            return -1;
        return static_cast<double>(used.tv_sec) * 1000.0 + static_cast<double>(used.tv_nsec) / 1e6;
    }

    Display* display_;
    int damageEvent_;
    const std::vector<std::string>& titles_;
    std::vector<std::optional<double>> seen_;
    std::vector<double> cpu_;
    clockid_t childClock_{};
    bool haveClock_ = false;
    std::map<Window, bool> mapped_;
};

}  // namespace

int main(int argc, char** argv)
{
    const auto options = ParseOptions(argc, argv);
    if (!options) {
        std::fprintf(stderr, "usage: %s [--timeout-ms N] --window TITLE [--window TITLE ...] -- PROGRAM [ARG ...]\n",
                     argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    int damageEvent = 0;
    int damageError = 0;
    if (display == nullptr || !XDamageQueryExtension(display, &damageEvent, &damageError)) {
        std::fprintf(stderr, "startup_probe: no X display with the damage extension\n");
        return 2;
    }
    XSetErrorHandler(IgnoreError);
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    Watcher watcher(display, damageEvent, options->titles);
    const auto start = Clock::now();
    const pid_t child = Start(*options);
    watcher.Follow(child);
    const auto deadline = start + std::chrono::milliseconds(options->timeoutMs);
    bool ended = false;
    while (!watcher.AllSeen() && !ended && Clock::now() < deadline) {
        pollfd connection{ConnectionNumber(display), POLLIN, 0};
        if (XPending(display) == 0)
            poll(&connection, 1, 20);
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            watcher.Handle(event, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        }
        ended = waitpid(child, nullptr, WNOHANG) == child;
    }
    if (!ended)
        Stop(child);
    XCloseDisplay(display);
    return watcher.Print() ? 0 : 1;
}
