// Start-up to the first presented frame, measured from outside the game: starts the real
// binary, watches its window through the X server and reports, per start, when the window
// appeared, when its title turned into the status line (the first pass, right before the
// first frame is drawn and swapped) and when that frame's pixels reached the window.
//
//   bench_first_frame PEXILON [starts]      (default 10; needs DISPLAY, a server started with
//                                            a black root, e.g. Xvfb -br)
//
// The title is caught by a PropertyNotify event, so its time is exact to an X round trip. The
// frame is caught by reading one row of the HUD back with XGetImage every 100 us from the
// moment the title changed: the window is black until the first swap lands, and the HUD row
// is not.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

extern char** environ;

namespace {

constexpr double kGiveUpSeconds = 20.0;
constexpr int kProbeRow = 44;  // pixels from the top: inside the HUD panel at the start-up size
constexpr useconds_t kProbeIntervalUs = 100;

double secondsNow()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The window may not be viewable yet, or already gone: such errors only mean "not yet".
int ignoreXError(Display*, XErrorEvent*)
{
    return 0;
}

std::string windowTitle(Display* display, Window window)
{
    const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(display, window, netName, 0, 1024, False, utf8, &type, &format, &count, &after, &data) ==
            Success &&
        data != nullptr) {
        title.assign(reinterpret_cast<char*>(data), count);
        XFree(data);
    }
    if (title.empty()) {
        char* name = nullptr;
        if (XFetchName(display, window, &name) && name != nullptr) {
            title = name;
            XFree(name);
        }
    }
    return title;
}

bool isStatusLine(const std::string& title)
{
    return title.find("Score:") != std::string::npos;
}

// True once any pixel of the probe row is not black.
bool framePresented(Display* display, Window window)
{
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display, window, &attributes) || attributes.map_state != IsViewable ||
        attributes.height <= kProbeRow)
        return false;
    XImage* row = XGetImage(display, window, 0, kProbeRow, static_cast<unsigned>(attributes.width), 1, AllPlanes, ZPixmap);
    if (row == nullptr)
        return false;
    bool lit = false;
    for (int x = 0; x < attributes.width && !lit; ++x)
        lit = (XGetPixel(row, x, 0) & 0xFFFFFF) != 0;
    XDestroyImage(row);
    return lit;
}

struct StartTimes {
    double created = -1.0;  // seconds from spawning the process
    double titled = -1.0;
    double presented = -1.0;
};

bool waitForEvent(Display* display, int timeoutMs)
{
    if (XPending(display) > 0)
        return true;
    pollfd fd{ConnectionNumber(display), POLLIN, 0};
    return poll(&fd, 1, timeoutMs) > 0 && XPending(display) > 0;
}

void endGame(pid_t pid)
{
    // SDL turns SIGTERM into a quit request: the game shuts down as on window close.
    kill(pid, SIGTERM);
    for (int i = 0; i < 200; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return;
        usleep(10'000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

StartTimes timeOneStart(Display* display, const char* binary)
{
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, True);

    StartTimes times;
    std::vector<Window> candidates;
    Window gameWindow = 0;
    char* argv[] = {const_cast<char*>(binary), nullptr};
    pid_t pid = 0;
    const double start = secondsNow();
    if (posix_spawn(&pid, binary, nullptr, nullptr, argv, environ) != 0) {
        std::perror("posix_spawn");
        std::exit(1);
    }
    while (times.presented < 0.0 && secondsNow() - start < kGiveUpSeconds) {
        if (gameWindow != 0) {
            if (framePresented(display, gameWindow))
                times.presented = secondsNow() - start;
            else
                usleep(kProbeIntervalUs);
            continue;
        }
        if (!waitForEvent(display, 50))
            continue;
        XEvent event;
        XNextEvent(display, &event);
        const double at = secondsNow() - start;
        if (event.type == CreateNotify && event.xcreatewindow.parent == root) {
            const Window window = event.xcreatewindow.window;
            XSelectInput(display, window, PropertyChangeMask);
            candidates.push_back(window);
            if (times.created < 0.0)
                times.created = at;
            // The title may have changed before the selection took effect.
            if (isStatusLine(windowTitle(display, window))) {
                gameWindow = window;
                times.titled = secondsNow() - start;
            }
        } else if (event.type == PropertyNotify &&
                   std::find(candidates.begin(), candidates.end(), event.xproperty.window) != candidates.end() &&
                   isStatusLine(windowTitle(display, event.xproperty.window))) {
            gameWindow = event.xproperty.window;
            times.titled = at;
        }
    }
    XSelectInput(display, root, NoEventMask);
    for (Window window : candidates)
        XSelectInput(display, window, NoEventMask);
    endGame(pid);
    XSync(display, True);
    return times;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) * 0.5;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_first_frame PEXILON [starts]\n");
        return 2;
    }
    const int starts = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10;
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "bench_first_frame: cannot open the X display\n");
        return 1;
    }
    XSetErrorHandler(ignoreXError);

    std::vector<double> created, titled, presented;
    for (int i = 0; i < starts; ++i) {
        const StartTimes times = timeOneStart(display, argv[1]);
        std::printf("start %2d: window %.1f ms  status title %.1f ms  first frame %.1f ms\n", i + 1,
                    times.created * 1e3, times.titled * 1e3, times.presented * 1e3);
        if (times.presented < 0.0) {
            std::fprintf(stderr, "bench_first_frame: no frame within %.0f s\n", kGiveUpSeconds);
            return 1;
        }
        created.push_back(times.created);
        titled.push_back(times.titled);
        presented.push_back(times.presented);
        usleep(300'000);  // let the server settle between starts
    }
    std::printf("first_frame: starts %d  median_ms window %.1f  title %.1f  frame %.1f  (min %.1f  max %.1f)  target < 150\n",
                starts, median(created) * 1e3, median(titled) * 1e3, median(presented) * 1e3,
                *std::min_element(presented.begin(), presented.end()) * 1e3,
                *std::max_element(presented.begin(), presented.end()) * 1e3);
    XCloseDisplay(display);
    return 0;
}
