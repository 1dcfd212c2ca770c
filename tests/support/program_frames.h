// The program's own frames for the reader's tests and sweep, drawn with the
// sheet's code in the GL test window.
#pragma once

// Opens (once per process) the GL test window with the program's start-up
// state: the floor texture from the assets, initEnvironment, the first reshape.
// Without a DISPLAY it ends the process with glTestSkipped.
void openProgramWindow();
