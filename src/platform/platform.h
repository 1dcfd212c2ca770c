// The operating-system services of the program; the only interface to the system.
// One implementation per system, *_linux.cpp, *_windows.cpp and *_web.cpp (a
// web browser), picked by the build; tests link a double in place of the Linux one.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

// Copies the login name of the effective user, zero-terminated, into buffer of
// size bytes. Returns the name's length, or -1 when there is none or it does not
// fit with its terminating zero (the buffer is then left empty).
int platformLoginName(char* buffer, int size);

// Shows a modal message box without owner window, titled title, with only an OK
// button and no icon, and returns when it is dismissed. The text also goes to
// standard error, so that a user at a terminal sees it; without a display it
// goes there alone. In a browser the box stays open after the call returns
// (a page cannot wait), until the program has ended.
void platformMessageBox(const char* title, const char* text);

// Ends the process with the given exit status. In a browser it ends the
// program for good (no later frame, key or timer runs any of it) and returns
// to the page.
[[noreturn]] void platformExit(int status);

// Opens /dev/null on whichever of descriptors 0, 1 and 2 is closed, so that no
// connection opened later (the X display's) takes its place and is read by the
// console prompt. Called first thing at start-up. Nothing to do on Windows.
void platformOpenStandardStreams();

// Reads one line of in into line, without its line end (LF or CR LF), as UTF-8
// text. On Windows, when in is standard input and that is a console, the
// console is read as wide text, so that what was typed arrives whatever the
// console's code page; a pipe or file is read as UTF-8 bytes. False at the end
// of input when nothing was read. In read_line_<system>.cpp, used by tests and
// program alike.
bool platformReadLine(std::FILE* in, std::string& line);

// Called before GLUT starts: a display that GLUT cannot open (no DISPLAY, or
// one that does not answer) then ends the process with status 1 after one
// line on standard error saying that the program needs a graphical desktop
// and naming the display tried; no box. Any other fatal GLUT error is printed
// in GLUT's words, also with status 1. Linux only (missing_display_linux.cpp);
// elsewhere there is no display to miss and GLUT's own report stays.
void platformReportMissingDisplay();

// Brings the window just opened to the front with the keyboard focus, over
// the console that had it for the prompt. Nothing to do where the window
// system does that itself for a new window (X).
void platformWindowToFront();

// Opens path for binary reading when it names a regular file, without waiting
// on a pipe or device of that name; nullptr otherwise or when it cannot be
// opened. path is UTF-8 text. In regular_file_<system>.cpp, used by tests and
// program alike.
std::FILE* platformOpenRegularFile(const char* path);

// Whether path (UTF-8) names anything in the file system: a file, a folder or
// anything else. False only when nothing is there.
bool platformPathExists(const char* path);

// Copies the folder of the running executable, as zero-terminated UTF-8 text
// ending in the path separator, into buffer of size bytes. Returns its length,
// or -1 when it cannot be found or does not fit (the buffer is then left empty).
int platformExecutableFolder(char* buffer, int size);

// Linux only (virtual_display_linux.cpp): starts a private Xvfb server with
// one screen of width x height x 24 bits and no TCP listener, found on the
// PATH, and copies its display name (":N"), zero-terminated, into name of size
// bytes. Returns 1 when it accepts connections, 0 when there is no Xvfb to run,
// -1 when it did not start within 30 s (its own messages then go to standard
// error). A server already started is stopped first. The server is stopped by
// platformStopVirtualDisplay, at exit(), on SIGINT, SIGTERM, SIGHUP and
// SIGQUIT (the process then ends as the signal would have ended it), and by
// the system if the process dies in any other way: nothing is left running.
int platformStartVirtualDisplay(int width, int height, char* name, int size);

// Stops the server of platformStartVirtualDisplay and waits until it has
// ended; does nothing when none runs.
void platformStopVirtualDisplay();

// Linux only (quiet_standard_error_linux.cpp), for the report checker, whose
// libraries write their own complaints: sends standard error to /dev/null
// until platformRestoreStandardError is given the returned value.
int platformQuietStandardError();
void platformRestoreStandardError(int saved);

// Milliseconds of a monotonic clock, wrapping around at 2^32.
uint32_t platformMilliseconds();

// Asks the system for 1 ms steps of platformMilliseconds while the main loop
// runs; platformEndTiming gives that request back.
void platformBeginTiming();
void platformEndTiming();

// Shows text in a box titled "Error", then ends the process with status -1.
[[noreturn]] void fatalError(const char* text);
