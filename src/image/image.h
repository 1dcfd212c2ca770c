// Texture image: reading the floor texture from a Windows bitmap file.
#pragma once

// Results of loadTextureBitmap.
constexpr int bitmapLoaded = 0;
constexpr int bitmapCannotOpen = -1;
constexpr int bitmapUnsupportedBitCount = -2;
constexpr int bitmapMalformed = -3;

// Reads "japan.bmp" from the working directory into viewer.texturePixels (RGB,
// rows top to bottom, tightly packed), textureWidth and textureHeight. Returns
// bitmapLoaded, or an error code with the three variables untouched.
int loadTextureBitmap();
