// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Starts one program under an X server without a window manager and measures
// it from outside, without changing what it does:
// - start-up: from the spawn to the first full frame, the moment when the X
//   DAMAGE reports since the MapNotify of its top-level window (seen through
//   SubstructureNotify on the root window) cover the whole window, and the
//   time that its threads had spent by then on a CPU and waiting for one;
// - a click at a window-relative point, sent through XTest;
// - CPU time and context switches of all its threads over a span after the
//   click, from /proc/PID/task/*/schedstat (nanoseconds; the clock ticks of
//   /proc/PID/stat are 10 ms, coarser than a light program's whole span), and
//   the X server's CPU time over the same span, which the program's painting
//   costs as well;
// - peak resident memory (VmHWM) at a given time after the spawn;
// - the times of the steps after the click: X DAMAGE reports every update of
//   the window's pixels, and the first update of a region after a quiet spell
//   is a step. The server sees the pixels a paint after the step, a delay that
//   cancels out of the intervals between steps, though its jitter does not.
// It prints one line of key=value pairs.

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <optional>
#include <poll.h>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char **environ;

namespace {

using Clock = std::chrono::steady_clock;
using Seconds = std::chrono::duration<double>;
using Milliseconds = std::chrono::duration<double, std::milli>;

struct Rect {
    int x = 0, y = 0, width = 0, height = 0;
    bool meets(int ox, int oy, int owidth, int oheight) const
    {
        return ox < x + width && x < ox + owidth && oy < y + height && y < oy + oheight;
    }
};

struct Options {
    std::optional<std::pair<int, int>> click;
    double clickAt = 3.0;
    double cpuFor = 0.0;
    std::optional<double> memoryAt;
    int steps = 0;
    Rect region;
    double quiet = 0.3;
    double timeout = 120.0;
    pid_t server = 0;
    char **command = nullptr;
};

[[noreturn]] void fail(const std::string &message)
{
    std::fprintf(stderr, "probe: %s\n", message.c_str());
    std::exit(2);
}

// The major opcode of the DAMAGE extension's requests.
int damageOpcode = 0;

// The program's window may be gone by the time a request about it arrives,
// and an input-only window, which Wine makes besides its visible ones, has no
// pixels to watch.
int onXError(Display *display, XErrorEvent *error)
{
    if (error->error_code == BadWindow || error->error_code == BadDrawable)
        return 0;
    if (error->error_code == BadMatch && error->request_code == damageOpcode)
        return 0;
    char text[256];
    XGetErrorText(display, error->error_code, text, sizeof text);
    fail(std::string("X error: ") + text);
}

std::vector<int> numbers(const char *text, std::size_t count)
{
    std::vector<int> values;
    std::istringstream in(text);
    std::string item;
    while (std::getline(in, item, ','))
        values.push_back(std::stoi(item));
    if (values.size() != count)
        fail(std::string("expected ") + std::to_string(count) + " numbers: " + text);
    return values;
}

Options parse(int argc, char **argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (name == "--") {
            if (i + 1 >= argc)
                fail("no program given");
            options.command = argv + i + 1;
            return options;
        }
        if (i + 1 >= argc)
            fail("missing value for " + name);
        const char *value = argv[++i];
        if (name == "--click") {
            const auto point = numbers(value, 2);
            options.click = std::pair{point[0], point[1]};
        } else if (name == "--click-at") {
            options.clickAt = std::stod(value);
        } else if (name == "--cpu-for") {
            options.cpuFor = std::stod(value);
        } else if (name == "--memory-at") {
            options.memoryAt = std::stod(value);
        } else if (name == "--steps") {
            options.steps = std::stoi(value);
        } else if (name == "--region") {
            const auto rect = numbers(value, 4);
            options.region = {rect[0], rect[1], rect[2], rect[3]};
        } else if (name == "--server") {
            options.server = std::stoi(value);
        } else if (name == "--timeout") {
            options.timeout = std::stod(value);
        } else {
            fail("unknown option " + name);
        }
    }
    fail("usage: probe [--click X,Y] [--click-at S] [--cpu-for S] [--memory-at S] "
         "[--steps N --region X,Y,W,H] [--server PID] [--timeout S] -- PROGRAM [ARGS]");
}

struct Usage {
    long long cpuNanoseconds = 0;
    long long queuedNanoseconds = 0; // runnable, waiting for a CPU
    long long switches = 0;
};

long long statusField(const std::string &path, const std::string &key)
{
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind(key + ":", 0) == 0)
            return std::stoll(line.substr(key.size() + 1));
    }
    return 0;
}

Usage usage(pid_t pid)
{
    Usage total;
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    DIR *dir = opendir(tasks.c_str());
    if (!dir)
        fail("cannot read " + tasks);
    while (const dirent *entry = readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        const std::string task = tasks + "/" + entry->d_name;
        std::ifstream schedstat(task + "/schedstat");
        long long onCpu = 0;
        long long queued = 0;
        if (schedstat >> onCpu >> queued) {
            total.cpuNanoseconds += onCpu;
            total.queuedNanoseconds += queued;
        }
        total.switches += statusField(task + "/status", "voluntary_ctxt_switches") +
                          statusField(task + "/status", "nonvoluntary_ctxt_switches");
    }
    closedir(dir);
    return total;
}

struct Run {
    Display *display = nullptr;
    Window root = 0;
    int damageEvent = 0;
    Options options;

    pid_t pid = 0;
    Clock::time_point spawned;
    std::optional<Clock::time_point> mapped;
    Window window = 0;
    Region painted = XCreateRegion();
    std::optional<Clock::time_point> framed;
    Usage startup;
    std::optional<Clock::time_point> clicked;
    std::optional<Usage> cpuStart;
    std::optional<Usage> serverStart;
    std::optional<double> cpuMilliseconds;
    std::optional<double> serverMilliseconds;
    std::optional<double> switchesPerSecond;
    std::optional<long long> peakKilobytes;
    std::vector<Clock::time_point> steps;
    Clock::time_point lastDamage;

    double since(Clock::time_point time) const { return Seconds(time - spawned).count(); }

    void spawn()
    {
        spawned = Clock::now();
        if (posix_spawnp(&pid, options.command[0], nullptr, nullptr, options.command, environ) != 0)
            fail(std::string("cannot start ") + options.command[0]);
    }

    void onEvent(const XEvent &event, Clock::time_point now)
    {
        // Watched from its creation, so that no paint before the MapNotify
        // arrives here goes unseen.
        if (event.type == CreateNotify && event.xcreatewindow.parent == root &&
            !event.xcreatewindow.override_redirect) {
            XDamageCreate(display, event.xcreatewindow.window, XDamageReportRawRectangles);
        } else if (event.type == MapNotify && !mapped && event.xmap.event == root &&
                   !event.xmap.override_redirect) {
            mapped = now;
            window = event.xmap.window;
        } else if (event.type == damageEvent + XDamageNotify && mapped) {
            const auto &damage = reinterpret_cast<const XDamageNotifyEvent &>(event);
            XRectangle area = damage.area;
            if (damage.drawable != window)
                return;
            if (!framed) {
                XUnionRectWithRegion(&area, painted, painted);
                if (XRectInRegion(painted, 0, 0, damage.geometry.width, damage.geometry.height) ==
                    RectangleIn) {
                    framed = now;
                    startup = usage(pid);
                }
            }
            if (!clicked || stepsDone() || !options.region.meets(area.x, area.y, area.width, area.height))
                return;
            if (steps.empty() || Seconds(now - lastDamage).count() > options.quiet)
                steps.push_back(now);
            lastDamage = now;
        }
    }

    void click()
    {
        int x = 0;
        int y = 0;
        Window child = 0;
        XTranslateCoordinates(display, window, root, options.click->first, options.click->second, &x, &y,
                              &child);
        XTestFakeMotionEvent(display, -1, x, y, CurrentTime);
        XTestFakeButtonEvent(display, 1, True, CurrentTime);
        XTestFakeButtonEvent(display, 1, False, CurrentTime);
        XFlush(display);
        clicked = Clock::now();
    }

    bool stepsDone() const { return options.steps == 0 || static_cast<int>(steps.size()) >= options.steps; }

    bool done() const
    {
        return framed && (!options.click || clicked) && (options.cpuFor <= 0 || cpuMilliseconds) &&
               (!options.memoryAt || peakKilobytes) && stepsDone();
    }

    // The next time at which something is due, or none while waiting for X.
    std::optional<Clock::time_point> act(Clock::time_point now)
    {
        std::optional<Clock::time_point> next;
        const auto consider = [&next](Clock::time_point due) {
            if (!next || due < *next)
                next = due;
        };
        if (!framed)
            return next;
        const auto at = [this](double seconds) {
            return spawned + std::chrono::duration_cast<Clock::duration>(Seconds(seconds));
        };
        // Click no earlier than a second after the first frame, so that the
        // window takes input.
        const auto clickTime = std::max(at(options.clickAt), *framed + std::chrono::seconds(1));
        if (options.click && !clicked) {
            if (now >= clickTime)
                click();
            else
                consider(clickTime);
        }
        const auto cpuOrigin = clicked ? *clicked : clickTime;
        if (options.cpuFor > 0 && (clicked || !options.click)) {
            const auto begin = cpuOrigin + std::chrono::seconds(1);
            const auto end = begin + std::chrono::duration_cast<Clock::duration>(Seconds(options.cpuFor));
            if (!cpuStart) {
                if (now >= begin) {
                    cpuStart = usage(pid);
                    if (options.server)
                        serverStart = usage(options.server);
                } else {
                    consider(begin);
                }
            }
            if (cpuStart && !cpuMilliseconds) {
                if (now >= end) {
                    const Usage stop = usage(pid);
                    cpuMilliseconds = (stop.cpuNanoseconds - cpuStart->cpuNanoseconds) / 1e6;
                    switchesPerSecond = (stop.switches - cpuStart->switches) / options.cpuFor;
                    if (serverStart) {
                        const Usage server = usage(options.server);
                        serverMilliseconds = (server.cpuNanoseconds - serverStart->cpuNanoseconds) / 1e6;
                    }
                } else {
                    consider(end);
                }
            }
        }
        if (options.memoryAt && !peakKilobytes) {
            if (now >= at(*options.memoryAt))
                peakKilobytes = statusField("/proc/" + std::to_string(pid) + "/status", "VmHWM");
            else
                consider(at(*options.memoryAt));
        }
        return next;
    }

    void stop()
    {
        kill(pid, SIGTERM);
        for (int i = 0; i < 200; ++i) {
            if (waitpid(pid, nullptr, WNOHANG) == pid)
                return;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }

    void report() const
    {
        std::printf("startup_ms=%.3f startup_cpu_ms=%.3f startup_queued_ms=%.3f",
                    Milliseconds(*framed - spawned).count(), startup.cpuNanoseconds / 1e6,
                    startup.queuedNanoseconds / 1e6);
        if (cpuMilliseconds)
            std::printf(" cpu_ms=%.3f switches_per_s=%.2f", *cpuMilliseconds, *switchesPerSecond);
        if (serverMilliseconds)
            std::printf(" server_cpu_ms=%.3f", *serverMilliseconds);
        if (peakKilobytes)
            std::printf(" peak_kb=%lld", *peakKilobytes);
        if (options.steps > 0) {
            std::printf(" intervals_ms=");
            for (std::size_t i = 1; i < steps.size(); ++i)
                std::printf("%s%.3f", i > 1 ? "," : "", Milliseconds(steps[i] - steps[i - 1]).count());
        }
        std::printf("\n");
    }
};

} // namespace

int main(int argc, char **argv)
{
    Run run;
    run.options = parse(argc, argv);
    if (run.options.steps > 0 && run.options.region.width <= 0)
        fail("--steps needs --region");

    run.display = XOpenDisplay(nullptr);
    if (!run.display)
        fail("cannot open the display");
    XSetErrorHandler(onXError);
    int damageError = 0;
    int testEvent = 0;
    int testError = 0;
    int major = 0;
    int minor = 0;
    int damageFirstEvent = 0;
    int damageFirstError = 0;
    if (!XDamageQueryExtension(run.display, &run.damageEvent, &damageError) ||
        !XQueryExtension(run.display, "DAMAGE", &damageOpcode, &damageFirstEvent, &damageFirstError))
        fail("the X server lacks DAMAGE");
    if (!XTestQueryExtension(run.display, &testEvent, &testError, &major, &minor))
        fail("the X server lacks XTEST");
    run.root = DefaultRootWindow(run.display);
    XSelectInput(run.display, run.root, SubstructureNotifyMask);
    XSync(run.display, False);

    run.spawn();
    pollfd connection{ConnectionNumber(run.display), POLLIN, 0};
    while (!run.done()) {
        auto now = Clock::now();
        if (run.since(now) > run.options.timeout) {
            run.stop();
            fail("timed out");
        }
        if (waitpid(run.pid, nullptr, WNOHANG) == run.pid)
            fail("the program ended early");
        while (XPending(run.display) > 0) {
            XEvent event;
            XNextEvent(run.display, &event);
            run.onEvent(event, Clock::now());
        }
        now = Clock::now();
        const auto next = run.act(now);
        XFlush(run.display);
        if (run.done())
            break;
        // Wake at least every 100 ms to notice the program's end.
        auto wait = std::chrono::milliseconds(100);
        if (next)
            wait = std::min(wait, std::chrono::ceil<std::chrono::milliseconds>(*next - Clock::now()));
        poll(&connection, 1, std::max<int>(0, static_cast<int>(wait.count())));
    }
    run.stop();
    run.report();
    XDestroyRegion(run.painted);
    XCloseDisplay(run.display);
    return 0;
}
