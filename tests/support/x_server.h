// An X server for tests of the X11 backend: the one $DISPLAY names when it
// answers, else a private Xvfb on a display number it picks itself (so that
// parallel tests never share one), stopped with the object.
#pragma once

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

// After the others: Xlib defines macros such as None and Bool.
#include <X11/Xlib.h>

extern char** environ;

namespace tavix::testing {

class XServer {
public:
    XServer()
    {
        if (const char* d = std::getenv("DISPLAY"); d && *d && Answers(d)) {
            name_ = d;
            return;
        }
        if (std::filesystem::exists("/usr/bin/Xvfb"))
            StartXvfb();
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

    // Empty when no server could be had.
    const std::string& Name() const { return name_; }
    // In CI a missing server or tool is a broken setup: the test fails rather than skips.
    static bool RequiredByCi() { return std::getenv("CI") != nullptr; }
    // Why Name() is empty, for the test's message.
    static constexpr const char* kMissing
        = "no X server: DISPLAY is unusable and /usr/bin/Xvfb is not installed or did not start";

private:
    static bool Answers(const char* name)
    {
        Display* probe = XOpenDisplay(name);
        if (probe == nullptr)
            return false;
        XCloseDisplay(probe);
        return true;
    }

    void StartXvfb()
    {
        int fds[2];
        if (pipe(fds) != 0)
            return;
        // Xvfb writes the display number it took to this descriptor once it accepts clients.
        const std::string fd = std::to_string(fds[1]);
        const char* argv[] = { "Xvfb", "-displayfd", fd.c_str(), "-noreset", "-screen", "0", "640x480x24", "-nolisten",
            "tcp", nullptr };
        const bool spawned
            = posix_spawn(&pid_, "/usr/bin/Xvfb", nullptr, nullptr, const_cast<char**>(argv), environ) == 0;
        close(fds[1]);
        std::string number;
        pollfd ready { fds[0], POLLIN, 0 };
        char c = 0;
        while (spawned && poll(&ready, 1, 10000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(fds[0]);
        if (!number.empty() && Answers((":" + number).c_str()))
            name_ = ":" + number;
    }

    std::string name_;
    pid_t pid_ { -1 };
};

}  // namespace tavix::testing

// Ends the test when there is no X server: a skip on a developer's machine, a
// failure in CI (CI set), where a missing server means a broken setup.
#define TAVIX_REQUIRE_X_SERVER(server)                                                                                 \
    do {                                                                                                               \
        if ((server).Name().empty()) {                                                                                 \
            if (std::getenv("CI") != nullptr)                                                                          \
                FAIL() << tavix::testing::XServer::kMissing;                                                           \
            GTEST_SKIP() << tavix::testing::XServer::kMissing;                                                         \
        }                                                                                                              \
    } while (false)
