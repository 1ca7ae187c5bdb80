// Starts a program on the X display in DISPLAY and reports how long it takes until the program's first
// top-level window is mapped, and the program's peak resident memory.
//
//     first_map_watch SETTLE_MS PROGRAM [ARGS...]
//
// Prints one line "map_ms=<ms> maxrss_kib=<KiB> cpu_ms=<ms>". cpu_ms is the processor time that all the
// program's threads had used when its window was mapped (from /proc/<pid>/task/*/schedstat): unlike
// map_ms it hardly depends on how busy the machine is. After the window is mapped the program is given
// SETTLE_MS to paint and finish its start (a splash keeps running); then it is terminated, and its peak
// resident set size is read from wait4(). Exit status 2 if no window appeared within 20 s.

#include <X11/Xlib.h>

#include <dirent.h>

#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

double NowMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// Waits for a MapNotify of a child of the root window; false after timeoutMs.
bool WaitForFirstMap(Display* display, double timeoutMs) {
    const double deadline = NowMs() + timeoutMs;
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    for (;;) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && !event.xmap.override_redirect) {
                return true;
            }
        }
        const double left = deadline - NowMs();
        if (left <= 0) {
            return false;
        }
        poll(&connection, 1, static_cast<int>(left) + 1);
    }
}

// Processor time of every thread of a process so far, in ns: the first field of each thread's schedstat.
double CpuNs(pid_t pid) {
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    double total = 0;
    DIR* folder = opendir(tasks.c_str());
    if (folder == nullptr) {
        return total;
    }
    while (const dirent* entry = readdir(folder)) {
        if (entry->d_name[0] == '.') {
            continue;
        }
        if (FILE* file = std::fopen((tasks + '/' + entry->d_name + "/schedstat").c_str(), "r")) {
            double ns = 0;
            if (std::fscanf(file, "%lf", &ns) == 1) {
                total += ns;
            }
            std::fclose(file);
        }
    }
    closedir(folder);
    return total;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s SETTLE_MS PROGRAM [ARGS...]\n", argv[0]);
        return 64;
    }
    const int settleMs = std::atoi(argv[1]);
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "cannot open the X display\n");
        return 1;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const double start = NowMs();
    const pid_t child = fork();
    if (child == 0) {
        close(ConnectionNumber(display));
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    const bool mapped = WaitForFirstMap(display, 20000);
    const double mapMs = NowMs() - start;
    const double cpuMs = CpuNs(child) / 1e6;

    if (mapped) {
        usleep(static_cast<useconds_t>(settleMs) * 1000);
    }
    kill(child, SIGTERM);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    XCloseDisplay(display);
    if (!mapped) {
        std::fprintf(stderr, "no window within 20 s\n");
        return 2;
    }
    std::printf("map_ms=%.2f maxrss_kib=%ld cpu_ms=%.2f\n", mapMs, usage.ru_maxrss, cpuMs);
    return 0;
}
