#include <fcntl.h>
#include <gtest/gtest.h>
#include <string>
#include <tavix/native/clipboard.h>
#include <tavix/native/desktop.h>
#include <tavix/native/edit.h>
#include <tavix/native/x11_display.h>
#include <vector>

// After gtest: Xlib defines macros such as None and Bool.
#include "support/x_server.h"

using namespace tavix::native;
using tavix::testing::XServer;

namespace {

constexpr const char* kXclip = "/usr/bin/xclip";

// Runs xclip and returns what it printed, pumping the display meanwhile so
// that our window can answer it. With `input` xclip keeps serving it in the
// background after it returns, so its output is not waited for.
std::string RunXclip(X11Display& x, std::string display, std::vector<std::string> args, const std::string& input = {})
{
    int in[2], out[2];
    if (pipe(in) != 0 || pipe(out) != 0)
        return "<no pipe>";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    if (input.empty())
        posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    else
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addclose(&actions, in[1]);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    std::vector<char*> argv { const_cast<char*>("xclip"), const_cast<char*>("-display"), display.data() };
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    posix_spawn(&pid, kXclip, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(in[0]);
    close(out[1]);
    if (!input.empty() && write(in[1], input.data(), input.size()) != static_cast<ssize_t>(input.size()))
        ADD_FAILURE() << "could not hand xclip its input";
    close(in[1]);
    fcntl(out[0], F_SETFL, O_NONBLOCK);
    std::string result;
    char buffer[65536];
    for (bool exited = false;;) {
        x.PumpOnce(5);
        ssize_t n;
        while ((n = read(out[0], buffer, sizeof buffer)) > 0)
            result.append(buffer, static_cast<size_t>(n));
        if (exited && (n == 0 || !input.empty()))
            break;
        exited = exited || waitpid(pid, nullptr, WNOHANG) == pid;
    }
    close(out[0]);
    return result;
}

}  // namespace

TEST(WinX11Clipboard, TextTravelsThroughTheXSelectionsBothWays)
{
    XServer server;
    const bool xclip = std::filesystem::exists(kXclip);
    if ((server.Name().empty() || !xclip) && XServer::RequiredByCi())
        FAIL() << "CI=true but " << (xclip ? "there is no X server" : "xclip is not installed (scripts/setup.sh)");
    if (server.Name().empty() || !xclip)
        GTEST_SKIP() << (xclip ? "no X server" : "xclip is not installed");
    Desktop desktop(200, 100);
    X11Display x(desktop, server.Name().c_str());
    ASSERT_TRUE(x.IsOpen());

    const std::string greeting = "Gr\xC3\xBC\xC3\x9F"
                                 "e \xE2\x9C\x93";
    ASSERT_TRUE(SetClipboardText(greeting));
    EXPECT_EQ(RunXclip(x, server.Name(), { "-selection", "clipboard", "-o" }), greeting);
    EXPECT_EQ(RunXclip(x, server.Name(), { "-selection", "clipboard", "-o", "-t", "STRING" }),
        "Gr\xFC\xDF"
        "e ?");

    // Selecting in an edit box offers the selection as PRIMARY.
    HWND edit = CreateWindowEx(0, WC_EDIT, "select me", WS_VISIBLE, 0, 0, 150, 20, 0);
    SetFocus(edit);
    desktop.KeyDown(VK_SHIFT);
    desktop.KeyDown(VK_END);
    desktop.KeyUp(VK_END);
    desktop.KeyUp(VK_SHIFT);
    EXPECT_EQ(RunXclip(x, server.Name(), { "-selection", "primary", "-o" }), "select me");

    // What another client owns is read, large texts included.
    std::string big(3 << 20, 'x');
    for (size_t i = 0; i < big.size(); i += 64)
        big[i] = '\n';
    RunXclip(x, server.Name(), { "-selection", "clipboard", "-i" }, big);
    std::optional<std::string> pasted;
    for (int i = 0; i < 200 && pasted != big; ++i) {
        x.PumpOnce(10);
        pasted = GetClipboardText();
    }
    EXPECT_TRUE(pasted == big);
    EXPECT_FALSE(GetClipboardText(ClipboardSelection::Primary) == big);
    // Taking the clipboard back ends the xclip that served it.
    SetClipboardText("");
    x.PumpOnce(10);
}
