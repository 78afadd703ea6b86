// Launch benchmark: how long a program takes from exec to its first window on screen and
// painted, and the memory it holds a second later, next to a bare Qt window in the same run.
//
//   helmira_bench_launch [--runs N] [--warmup N] [--strict] [--display :N] PROGRAM BARE
//
// It starts its own Xvfb (no window manager) unless --display names a running server, watches
// the root window for new top-level windows (CreateNotify, MapNotify) and their drawing (Damage),
// starts PROGRAM and BARE in turn, interleaved, and prints medians, spreads and the ratio of the
// two pair by pair, each against its budget.

#include "stats.h"

#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

extern char **environ;

namespace {

using Clock = std::chrono::steady_clock;

constexpr double frameBudget = 1.15;  // launch to first frame, times the bare window's
constexpr double memoryBudget = 1.20; // resident memory, times the bare window's
constexpr auto launchTimeout = std::chrono::seconds(10);

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A private X server for the run, ended with the object.
class PrivateServer {
public:
    bool start(const char *program) {
        int fds[2];
        if (pipe(fds) != 0)
            return false;
        m_pid = fork();
        if (m_pid < 0)
            return false;
        if (m_pid == 0) {
            close(fds[0]);
            const std::string fd = std::to_string(fds[1]);
            execlp(program, program, "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24",
                   "-nolisten", "tcp", "-noreset", static_cast<char *>(nullptr));
            std::perror(program);
            _exit(127);
        }
        close(fds[1]);
        std::string number;
        char c = 0;
        pollfd waitFor{fds[0], POLLIN, 0};
        while (poll(&waitFor, 1, 10000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(fds[0]);
        if (number.empty())
            return false;
        m_display = ":" + number;
        return true;
    }

    const std::string &display() const { return m_display; }

    ~PrivateServer() {
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
        }
    }

private:
    pid_t m_pid = -1;
    std::string m_display;
};

struct Sample {
    double mapped = 0;  // ms from exec to the first MapNotify of a top-level window
    double painted = 0; // ms from exec to its first drawing after the map
    double rss = 0;     // MiB resident one second after the first frame
};

// Returns VmRSS of a process in MiB, or 0 if it cannot be read.
double residentMiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtod(line.c_str() + 6, nullptr) / 1024.0;
    }
    return 0;
}

void stop(pid_t pid) {
    kill(pid, SIGTERM);
    const auto deadline = Clock::now() + std::chrono::seconds(2);
    while (Clock::now() < deadline) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

class Watcher {
public:
    explicit Watcher(const std::string &display) {
        m_connection = xcb_connect(display.c_str(), nullptr);
        if (xcb_connection_has_error(m_connection))
            return;
        const xcb_query_extension_reply_t *damage =
            xcb_get_extension_data(m_connection, &xcb_damage_id);
        if (!damage || !damage->present)
            return;
        m_damageEvent = damage->first_event;
        free(xcb_damage_query_version_reply(m_connection,
                                            xcb_damage_query_version(m_connection,
                                                                     XCB_DAMAGE_MAJOR_VERSION,
                                                                     XCB_DAMAGE_MINOR_VERSION),
                                            nullptr));
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
        const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(m_connection);
        m_ready = true;
    }

    ~Watcher() {
        if (m_connection)
            xcb_disconnect(m_connection);
    }

    bool ready() const { return m_ready; }

    // Starts `program` with `env`, waits for its first frame, reads its memory a second later
    // and ends it. Returns nothing if no window appeared in time.
    std::optional<Sample> launch(const std::string &program, char **env) {
        drain(std::chrono::milliseconds(0));
        m_created.clear();
        Sample sample;
        xcb_window_t target = XCB_NONE;
        bool painted = false;

        char *argv[] = {const_cast<char *>(program.c_str()), nullptr};
        pid_t pid = -1;
        const Clock::time_point start = Clock::now();
        posix_spawn_file_actions_t quiet;
        posix_spawn_file_actions_init(&quiet);
        posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
        const int spawned = posix_spawn(&pid, program.c_str(), &quiet, nullptr, argv, env);
        posix_spawn_file_actions_destroy(&quiet);
        if (spawned != 0) {
            std::fprintf(stderr, "%s: %s\n", program.c_str(), std::strerror(spawned));
            return std::nullopt;
        }
        const int fd = xcb_get_file_descriptor(m_connection);
        while (!painted && Clock::now() - start < launchTimeout) {
            xcb_generic_event_t *event = xcb_poll_for_event(m_connection);
            if (!event) {
                if (xcb_connection_has_error(m_connection))
                    break;
                pollfd readable{fd, POLLIN, 0};
                poll(&readable, 1, 100);
                continue;
            }
            const std::uint8_t type = event->response_type & 0x7f;
            if (type == XCB_CREATE_NOTIFY) {
                const auto *created = reinterpret_cast<xcb_create_notify_event_t *>(event);
                if (created->parent == m_root) {
                    // Watched from its creation, so no drawing after the map can be missed.
                    const xcb_damage_damage_t damage = xcb_generate_id(m_connection);
                    xcb_damage_create(m_connection, damage, created->window,
                                      XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
                    xcb_flush(m_connection);
                    m_created[created->window] = damage;
                }
            } else if (type == XCB_MAP_NOTIFY) {
                const auto *mapped = reinterpret_cast<xcb_map_notify_event_t *>(event);
                if (target == XCB_NONE && mapped->event == m_root &&
                    m_created.count(mapped->window)) {
                    sample.mapped = millisecondsSince(start);
                    target = mapped->window;
                }
            } else if (type == m_damageEvent + XCB_DAMAGE_NOTIFY) {
                const auto *damaged = reinterpret_cast<xcb_damage_notify_event_t *>(event);
                if (target != XCB_NONE && damaged->drawable == target) {
                    sample.painted = millisecondsSince(start);
                    painted = true;
                }
            }
            free(event);
        }
        if (!painted) {
            stop(pid);
            return std::nullopt;
        }
        drain(std::chrono::milliseconds(1000));
        sample.rss = residentMiB(pid);
        stop(pid);
        // Lets the server finish with the program's windows before the next launch.
        drain(std::chrono::milliseconds(50));
        return sample;
    }

private:
    // Reads and drops events for `duration`.
    void drain(std::chrono::milliseconds duration) {
        const auto end = Clock::now() + duration;
        const int fd = xcb_get_file_descriptor(m_connection);
        do {
            while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection))
                free(event);
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
            if (left <= 0)
                break;
            pollfd readable{fd, POLLIN, 0};
            poll(&readable, 1, static_cast<int>(left));
        } while (Clock::now() < end);
    }

    xcb_connection_t *m_connection = nullptr;
    xcb_window_t m_root = XCB_NONE;
    std::uint8_t m_damageEvent = 0;
    bool m_ready = false;
    std::map<xcb_window_t, xcb_damage_damage_t> m_created;
};

// The environment of the launched programs: ours, on the benchmark's display, with the
// toolkit left to choose its platform as it does on a desktop.
std::vector<std::string> childEnvironment(const std::string &display) {
    std::vector<std::string> result;
    for (char **entry = environ; *entry; ++entry) {
        const std::string text = *entry;
        if (text.rfind("DISPLAY=", 0) == 0 || text.rfind("QT_QPA_PLATFORM=", 0) == 0 ||
            text.rfind("WAYLAND_DISPLAY=", 0) == 0)
            continue;
        result.push_back(text);
    }
    result.push_back("DISPLAY=" + display);
    return result;
}

int usage() {
    std::fputs("usage: helmira_bench_launch [--runs N] [--warmup N] [--strict] [--display :N] "
               "PROGRAM BARE\n",
               stderr);
    return 2;
}

} // namespace

int main(int argc, char *argv[]) {
    int runs = 10;
    int warmup = 2;
    bool strict = false;
    std::string display;
    std::vector<std::string> programs;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--runs" && i + 1 < argc)
            runs = std::atoi(argv[++i]);
        else if (arg == "--warmup" && i + 1 < argc)
            warmup = std::atoi(argv[++i]);
        else if (arg == "--display" && i + 1 < argc)
            display = argv[++i];
        else if (arg == "--strict")
            strict = true;
        else if (arg.rfind("--", 0) == 0)
            return usage();
        else
            programs.push_back(arg);
    }
    if (programs.size() != 2 || runs < 1 || warmup < 0)
        return usage();

    PrivateServer server;
    if (display.empty()) {
        if (!server.start("Xvfb")) {
            std::fputs("helmira_bench_launch: could not start Xvfb\n", stderr);
            return 2;
        }
        display = server.display();
    }
    Watcher watcher(display);
    if (!watcher.ready()) {
        std::fprintf(stderr, "helmira_bench_launch: cannot watch %s (no Damage extension?)\n",
                     display.c_str());
        return 2;
    }
    std::vector<std::string> envText = childEnvironment(display);
    std::vector<char *> env;
    for (std::string &entry : envText)
        env.push_back(entry.data());
    env.push_back(nullptr);

    std::vector<Sample> samples[2];
    for (int i = 0; i < warmup + runs; ++i) {
        // Alternate which program goes first, so neither always finds the caches the other left.
        for (int k = 0; k < 2; ++k) {
            const int which = (i % 2 == 0) ? k : 1 - k;
            const std::optional<Sample> sample = watcher.launch(programs[which], env.data());
            if (!sample) {
                std::fprintf(stderr,
                             "helmira_bench_launch: %s showed no painted window within "
                             "10 s\n",
                             programs[which].c_str());
                return 2;
            }
            if (i >= warmup)
                samples[which].push_back(*sample);
        }
    }

    std::vector<double> values[2][3];
    std::vector<double> frameRatio;
    std::vector<double> memoryRatio;
    for (int which = 0; which < 2; ++which) {
        for (const Sample &s : samples[which]) {
            values[which][0].push_back(s.mapped);
            values[which][1].push_back(s.painted);
            values[which][2].push_back(s.rss);
        }
    }
    for (std::size_t i = 0; i < samples[0].size(); ++i) {
        frameRatio.push_back(samples[0][i].painted / samples[1][i].painted);
        memoryRatio.push_back(samples[0][i].rss / samples[1][i].rss);
    }

    const bench::Summary frames = bench::summarize(frameRatio);
    const bench::Summary memory = bench::summarize(memoryRatio);
    const bench::Verdict frameVerdict{true, frames.median <= frameBudget};
    const bench::Verdict memoryVerdict{true, memory.median <= memoryBudget};
    char frameLimit[32];
    char memoryLimit[32];
    std::snprintf(frameLimit, sizeof frameLimit, "<= %.2f x bare", frameBudget);
    std::snprintf(memoryLimit, sizeof memoryLimit, "<= %.2f x bare", memoryBudget);

    std::printf("Launch: exec to the first window mapped and painted, on %s without a window "
                "manager; %d runs each, interleaved, after %d warm-up\n",
                server.display().empty() ? display.c_str() : "a private Xvfb", runs, warmup);
    bench::header();
    const char *names[2] = {"calculator", "bare window"};
    for (int which = 0; which < 2; ++which) {
        bench::row(std::string(names[which]) + ": exec to window mapped",
                   bench::summarize(values[which][0]), "ms", 1);
        bench::row(std::string(names[which]) + ": exec to first frame",
                   bench::summarize(values[which][1]), "ms", 1);
    }
    bench::row("first frame, calculator / bare (pairs)", frames, "x", 2, frameLimit, frameVerdict);
    for (int which = 0; which < 2; ++which)
        bench::row(std::string(names[which]) + ": resident memory (VmRSS)",
                   bench::summarize(values[which][2]), "MiB", 1);
    bench::row("memory, calculator / bare (pairs)", memory, "x", 2, memoryLimit, memoryVerdict);

    const bool over = !frameVerdict.pass || !memoryVerdict.pass;
    return strict && over ? 1 : 0;
}
