// A private Xvfb server on Linux, stopped on every way out of the process.
#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/platform.h"

namespace {

// The running server, or 0. Read by the signal handler.
volatile sig_atomic_t serverProcess = 0;

constexpr int startDeadlineMilliseconds = 30000;
constexpr int stoppedByExecFailure = 127;
const int stopSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

void stopServer() {
    const pid_t process = serverProcess;
    if (process != 0) {
        serverProcess = 0;
        kill(process, SIGTERM);
        waitpid(process, nullptr, 0);
    }
}

// Stops the server, then ends the process as the signal would have.
void stopOnSignal(int signalNumber) {
    stopServer();
    signal(signalNumber, SIG_DFL);
    raise(signalNumber);
}

void catchStopSignals() {
    static bool caught = false;
    if (caught) {
        return;
    }
    caught = true;
    std::atexit(stopServer);
    for (const int signalNumber : stopSignals) {
        struct sigaction action = {};
        action.sa_handler = stopOnSignal;
        sigemptyset(&action.sa_mask);
        sigaction(signalNumber, &action, nullptr);
    }
}

// In the child: becomes Xvfb, writing its display number to readyPipe.
[[noreturn]] void runServer(int readyPipe, int log, pid_t parent, int width, int height) {
    // Should the parent die without stopping the server, the system does.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent) {
        _exit(1);
    }
    for (const int signalNumber : stopSignals) {
        signal(signalNumber, SIG_DFL);
    }
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    const int input = open("/dev/null", O_RDONLY);
    dup2(input, 0);
    dup2(log, 1);
    dup2(log, 2);
    // The server keeps none of this process's files open, only its pipe.
    close_range(3, ~0u, CLOSE_RANGE_CLOEXEC);
    fcntl(readyPipe, F_SETFD, 0);

    const std::string displayFd = std::to_string(readyPipe);
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    // -noreset: the server would otherwise reset when its last client leaves.
    const char* arguments[] = {"Xvfb",     "-displayfd",   displayFd.c_str(), "-screen",
                               "0",        screen.c_str(), "-nolisten",       "tcp",
                               "-noreset", nullptr};
    execvp("Xvfb", const_cast<char* const*>(arguments));
    _exit(errno == ENOENT ? stoppedByExecFailure : 1);
}

// Reads the display number that Xvfb writes once it accepts connections.
bool readDisplayNumber(int readyPipe, std::string& number) {
    int waited = 0;
    while (waited < startDeadlineMilliseconds) {
        pollfd ready = {readyPipe, POLLIN, 0};
        const int step = 100;
        const int result = poll(&ready, 1, step);
        if (result < 0 && errno != EINTR) {
            return false;
        }
        if (result <= 0) {
            waited += step;
            continue;
        }
        char buffer[32];
        const ssize_t got = read(readyPipe, buffer, sizeof buffer);
        if (got <= 0) {
            return false;  // the server ended without a display
        }
        number.append(buffer, static_cast<size_t>(got));
        if (number.find('\n') != std::string::npos) {
            number.erase(number.find('\n'));
            return !number.empty();
        }
    }
    return false;
}

void copyLogToStandardError(std::FILE* log) {
    std::rewind(log);
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, log)) > 0) {
        std::fwrite(buffer, 1, got, stderr);
    }
}

}  // namespace

int platformStartVirtualDisplay(int width, int height, char* name, int size) {
    name[0] = '\0';
    stopServer();
    catchStopSignals();
    std::FILE* log = std::tmpfile();
    int readyPipe[2];
    if (log == nullptr || pipe2(readyPipe, O_CLOEXEC) != 0) {
        if (log != nullptr) {
            std::fclose(log);
        }
        return -1;
    }
    // Blocked until the server is recorded, so that a signal cannot miss it.
    sigset_t stops, previous;
    sigemptyset(&stops);
    for (const int signalNumber : stopSignals) {
        sigaddset(&stops, signalNumber);
    }
    sigprocmask(SIG_BLOCK, &stops, &previous);
    const pid_t parent = getpid();
    const pid_t process = fork();
    if (process == 0) {
        close(readyPipe[0]);
        runServer(readyPipe[1], fileno(log), parent, width, height);
    }
    if (process > 0) {
        serverProcess = process;
    }
    sigprocmask(SIG_SETMASK, &previous, nullptr);
    close(readyPipe[1]);
    if (process < 0) {
        close(readyPipe[0]);
        std::fclose(log);
        return -1;
    }

    std::string number;
    const bool ready = readDisplayNumber(readyPipe[0], number);
    close(readyPipe[0]);
    const std::string display = ":" + number;
    if (ready && static_cast<int>(display.size()) < size) {
        std::fclose(log);
        std::memcpy(name, display.c_str(), display.size() + 1);
        return 1;
    }

    // Not started: find out whether Xvfb was there at all.
    kill(process, SIGTERM);
    int status = 0;
    waitpid(process, &status, 0);
    serverProcess = 0;
    const bool missing = WIFEXITED(status) && WEXITSTATUS(status) == stoppedByExecFailure;
    if (!missing) {
        copyLogToStandardError(log);
    }
    std::fclose(log);
    return missing ? 0 : -1;
}

void platformStopVirtualDisplay() {
    stopServer();
}
