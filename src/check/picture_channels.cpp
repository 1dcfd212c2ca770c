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

PictureChannels channelBand(const PictureChannels& channels, int top, int bottom) {
    top = std::max(0, top);
    bottom = std::min(channels.height, bottom);
    PictureChannels band;
    band.width = channels.width;
    band.height = std::max(0, bottom - top);
    const size_t from = static_cast<size_t>(top) * channels.width;
    const size_t count = static_cast<size_t>(band.height) * band.width;
    band.redness.assign(channels.redness.begin() + from, channels.redness.begin() + from + count);
    band.brightness.assign(channels.brightness.begin() + from,
                           channels.brightness.begin() + from + count);
    const size_t stride = static_cast<size_t>(band.width) + 1;
    const size_t sums = stride * (static_cast<size_t>(band.height) + 1);
    band.rednessSums.assign(sums, 0);
    band.rednessSquareSums.assign(sums, 0);
    band.brightnessSums.assign(sums, 0);
    band.brightnessSquareSums.assign(sums, 0);
    for (int y = 0; y < band.height; ++y) {
        double r = 0, rr = 0, b = 0, bb = 0;
        for (int x = 0; x < band.width; ++x) {
            const size_t i = static_cast<size_t>(y) * band.width + x;
            r += band.redness[i];
            rr += double(band.redness[i]) * band.redness[i];
            b += band.brightness[i];
            bb += double(band.brightness[i]) * band.brightness[i];
            const size_t at = (y + 1) * stride + x + 1, above = y * stride + x + 1;
            band.rednessSums[at] = band.rednessSums[above] + r;
            band.rednessSquareSums[at] = band.rednessSquareSums[above] + rr;
            band.brightnessSums[at] = band.brightnessSums[above] + b;
            band.brightnessSquareSums[at] = band.brightnessSquareSums[above] + bb;
        }
    }
    return band;
}
