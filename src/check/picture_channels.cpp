// A picture's redness and brightness, the two measures the reader matches glyphs in.
#include <algorithm>

#include "check/status_reader.h"

PictureChannels pictureChannels(const Picture& picture) {
    PictureChannels channels;
    channels.width = picture.width;
    channels.height = picture.height;
    const size_t count = static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height);
    channels.redness.resize(count);
    channels.brightness.resize(count);
    for (size_t i = 0; i < count; ++i) {
        const float r = picture.rgb[3 * i];
        const float g = picture.rgb[3 * i + 1];
        const float b = picture.rgb[3 * i + 2];
        channels.redness[i] = r - std::max(g, b);
        channels.brightness[i] = 0.299f * r + 0.587f * g + 0.114f * b;
    }
    return channels;
}
