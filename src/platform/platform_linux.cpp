// The platform layer on Linux: login name, GTK 3 message box, clock, standard streams.
#include <errno.h>
#include <fcntl.h>
#include <gtk/gtk.h>
#include <pwd.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/platform.h"

int platformLoginName(char* buffer, int size) {
    buffer[0] = '\0';
    const long suggested = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> scratch(suggested > 0 ? static_cast<size_t>(suggested) : 16384);
    passwd entry;
    passwd* found = nullptr;
    int error;
    // A large passwd entry needs more room than suggested: grow and ask again.
    while ((error = getpwuid_r(geteuid(), &entry, scratch.data(), scratch.size(), &found)) ==
               ERANGE &&
           scratch.size() < (1u << 20)) {
        scratch.resize(2 * scratch.size());
    }
    if (error != 0 || found == nullptr || found->pw_name == nullptr) {
        return -1;
    }
    const size_t length = std::strlen(found->pw_name);
    // Like the Windows call: a name that does not fit with its zero is a failure.
    if (length + 1 > static_cast<size_t>(size)) {
        return -1;
    }
    std::memcpy(buffer, found->pw_name, length + 1);
    return static_cast<int>(length);
}

void platformMessageBox(const char* title, const char* text) {
    std::fputs(text, stderr);
    const size_t length = std::strlen(text);
    if (length == 0 || text[length - 1] != '\n') {
        std::fputc('\n', stderr);
    }
    std::fflush(stderr);

    // GTK is started only here, so a normal start pays nothing for it.
    if (!gtk_init_check(nullptr, nullptr)) {
        return;
    }
    GtkWidget* dialog = gtk_message_dialog_new(nullptr, GTK_DIALOG_MODAL, GTK_MESSAGE_OTHER,
                                               GTK_BUTTONS_OK, "%s", text);
    gtk_window_set_title(GTK_WINDOW(dialog), title);
    // Without an owner window nothing else places the box: centre it on the screen.
    gtk_window_set_position(GTK_WINDOW(dialog), GTK_WIN_POS_CENTER);
    // Return dismisses the box, as it does on the system the program comes from.
    gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);
    gtk_dialog_run(GTK_DIALOG(dialog));
    gtk_widget_destroy(dialog);
    while (gtk_events_pending()) {
        gtk_main_iteration();
    }
}

void platformExit(int status) {
    std::exit(status);
}

void platformOpenStandardStreams() {
    for (int descriptor = 0; descriptor <= 2; ++descriptor) {
        // open returns the lowest free descriptor: the closed one.
        if (fcntl(descriptor, F_GETFD) == -1 && open("/dev/null", O_RDWR) == -1) {
            return;
        }
    }
}

// The window manager gives a newly mapped window the focus.
void platformWindowToFront() {}

// The monotonic clock counts in steps far finer than 1 ms already: nothing to ask for.
void platformBeginTiming() {}

void platformEndTiming() {}

uint32_t platformMilliseconds() {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    const uint64_t milliseconds =
        static_cast<uint64_t>(now.tv_sec) * 1000u + static_cast<uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<uint32_t>(milliseconds);
}
