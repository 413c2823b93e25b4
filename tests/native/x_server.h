#pragma once
// An X server for a test: $DISPLAY when it answers, else a private Xvfb on a
// display number it picks itself, stopped with the test. Under CI=true a
// missing server is a failure, elsewhere the test is skipped.
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include <X11/Xlib.h>

extern char** environ;

namespace tavix::native::testing {

class XServer {
public:
    XServer()
    {
        if (const char* d = std::getenv("DISPLAY"); d && *d && Answers(d)) {
            name_ = d;
            return;
        }
        if (!std::filesystem::exists("/usr/bin/Xvfb"))
            return;
        int fds[2];
        if (pipe(fds) != 0)
            return;
        std::string fd = std::to_string(fds[1]);
        // Without -noreset the server resets when the probe below disconnects, and refuses the next client meanwhile.
        const char* argv[] = { "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "640x480x24", "-nolisten", "tcp",
            "-noreset", nullptr };
        bool spawned = posix_spawn(&pid_, "/usr/bin/Xvfb", nullptr, nullptr, const_cast<char**>(argv), environ) == 0;
        close(fds[1]);
        std::string number;
        pollfd p { fds[0], POLLIN, 0 };
        char c = 0;
        while (spawned && poll(&p, 1, kStartTimeoutMs) > 0 && read(fds[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(fds[0]);
        if (!number.empty() && Answers(":" + number))
            name_ = ":" + number;
    }
    ~XServer()
    {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    const std::string& Name() const { return name_; }

    static bool RequiredByCi()
    {
        const char* ci = std::getenv("CI");
        return ci && std::string(ci) == "true";
    }

private:
    static constexpr int kStartTimeoutMs = 10000;

    static bool Answers(const std::string& name)
    {
        Display* probe = XOpenDisplay(name.c_str());
        if (probe)
            XCloseDisplay(probe);
        return probe != nullptr;
    }

    std::string name_;
    pid_t pid_ { -1 };
};

}  // namespace tavix::native::testing
