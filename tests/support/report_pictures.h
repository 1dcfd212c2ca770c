// Pictures as reports carry them: rescaled, JPEG-compressed, pasted on a desktop.
#pragma once

#include "check/check.h"

// The picture resized by factor (at least 0.1): area averaging when it
// shrinks, bilinear when it enlarges, as word processors and browsers do.
Picture rescaled(const Picture& picture, double factor);

// The picture saved as JPEG at quality (libjpeg's defaults: 4:2:0 colour) and
// read back.
Picture jpegRoundTrip(const Picture& picture, int quality);

// A width x height desktop (a grey gradient with dark red and coloured
// rectangles, some red text-like bars) holding the picture at (x, y) under a
// 30-pixel title bar and inside a 1-pixel frame.
Picture onDesktop(const Picture& window, int width, int height, int x, int y);
