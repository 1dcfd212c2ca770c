// The private Xvfb server on Linux: started, found missing, and stopped on every way out.
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "platform/platform.h"

namespace {

// Whether process pid exists and has not ended (a zombie has ended).
bool processRunning(int pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const size_t end = text.rfind(')');
    return end != std::string::npos && end + 2 < text.size() && text[end + 2] != 'Z';
}

bool endsWithin(int pid, std::chrono::seconds deadline) {
    const auto until = std::chrono::steady_clock::now() + deadline;
    while (processRunning(pid)) {
        if (std::chrono::steady_clock::now() > until) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

// The process id of this process's child Xvfb, or 0.
int serverOf() {
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const std::string id = entry.path().filename().string();
        if (id.find_first_not_of("0123456789") != std::string::npos) {
            continue;
        }
        std::ifstream stat(entry.path() / "stat");
        std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
        const size_t end = text.rfind(')');
        if (text.find("(Xvfb)") == std::string::npos || end == std::string::npos) {
            continue;
        }
        std::istringstream fields(text.substr(end + 1));
        std::string state;
        int parent = 0;
        fields >> state >> parent;
        if (parent == getpid()) {
            return std::stoi(id);
        }
    }
    return 0;
}

// Starts a server in a child process, which then leaves by way; returns the
// server's process id and the child's wait status.
std::pair<int, int> serverOfChildThatLeaves(void (*way)()) {
    int ids[2];
    EXPECT_EQ(pipe(ids), 0);
    const pid_t child = fork();
    if (child == 0) {
        char name[32];
        int pid = platformStartVirtualDisplay(64, 64, name, sizeof name) == 1 ? serverOf() : 0;
        if (write(ids[1], &pid, sizeof pid) != sizeof pid) {
            _exit(3);
        }
        way();
        _exit(4);
    }
    close(ids[1]);
    int pid = 0;
    EXPECT_EQ(read(ids[0], &pid, sizeof pid), static_cast<ssize_t>(sizeof pid));
    close(ids[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return {pid, status};
}

}  // namespace

TEST(PlatformVirtualDisplay, RunsUntilStopped) {
    char name[32];
    ASSERT_EQ(platformStartVirtualDisplay(64, 64, name, sizeof name), 1);
    EXPECT_EQ(name[0], ':');
    const int server = serverOf();
    ASSERT_GT(server, 0) << "no Xvfb child for display " << name;
    EXPECT_TRUE(processRunning(server));
    platformStopVirtualDisplay();
    EXPECT_FALSE(processRunning(server));
    platformStopVirtualDisplay();  // nothing left to stop
}

TEST(PlatformVirtualDisplay, EndsWithTheProcessHoweverItEnds) {
    const auto [atExit, exitStatus] = serverOfChildThatLeaves([] { exit(0); });
    ASSERT_GT(atExit, 0);
    EXPECT_TRUE(WIFEXITED(exitStatus) && WEXITSTATUS(exitStatus) == 0);
    EXPECT_TRUE(endsWithin(atExit, std::chrono::seconds(10)));

    // The handler stops the server, then the signal ends the process as usual.
    const auto [onSignal, signalStatus] = serverOfChildThatLeaves([] { raise(SIGTERM); });
    ASSERT_GT(onSignal, 0);
    EXPECT_TRUE(WIFSIGNALED(signalStatus) && WTERMSIG(signalStatus) == SIGTERM);
    EXPECT_TRUE(endsWithin(onSignal, std::chrono::seconds(10)));

    // No handler runs on SIGKILL: the system stops the server.
    const auto [killed, killStatus] = serverOfChildThatLeaves([] { raise(SIGKILL); });
    ASSERT_GT(killed, 0);
    EXPECT_TRUE(WIFSIGNALED(killStatus) && WTERMSIG(killStatus) == SIGKILL);
    EXPECT_TRUE(endsWithin(killed, std::chrono::seconds(10)));
}

TEST(PlatformVirtualDisplay, WithoutXvfbOnThePathReportsItMissing) {
    const std::string path = getenv("PATH");
    char empty[] = "/tmp/cgdemo-no-xvfb-XXXXXX";
    ASSERT_NE(mkdtemp(empty), nullptr);
    setenv("PATH", empty, 1);
    char name[32] = "unchanged";
    EXPECT_EQ(platformStartVirtualDisplay(64, 64, name, sizeof name), 0);
    EXPECT_STREQ(name, "");
    setenv("PATH", path.c_str(), 1);
    rmdir(empty);
}
