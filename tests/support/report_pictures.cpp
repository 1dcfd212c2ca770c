// Degradations of the program's frames for the reader's tests and sweep.
#include "support/report_pictures.h"

#include <jpeglib.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

namespace {

// Along one axis: output pixel p takes these input pixels with these weights.
struct Weights {
    std::vector<std::vector<std::pair<int, double>>> taps;
};

Weights axisWeights(int from, int to, double factor) {
    Weights weights;
    weights.taps.resize(static_cast<size_t>(to));
    for (int p = 0; p < to; ++p) {
        auto& taps = weights.taps[static_cast<size_t>(p)];
        if (factor < 1) {
            const double a = p / factor, b = (p + 1) / factor;
            for (int x = static_cast<int>(std::floor(a)); x < b && x < from; ++x) {
                const double overlap = std::min<double>(b, x + 1) - std::max<double>(a, x);
                if (overlap > 0)
                    taps.push_back({x, overlap * factor});
            }
        } else {
            const double u = std::clamp((p + 0.5) / factor - 0.5, 0.0, from - 1.0);
            const int x = static_cast<int>(std::floor(u));
            const double f = u - x;
            taps.push_back({x, 1 - f});
            if (x + 1 < from)
                taps.push_back({x + 1, f});
        }
    }
    return weights;
}

}  // namespace

Picture rescaled(const Picture& picture, double factor) {
    Picture out;
    out.width = std::max(1, static_cast<int>(std::lround(picture.width * factor)));
    out.height = std::max(1, static_cast<int>(std::lround(picture.height * factor)));
    const Weights across = axisWeights(picture.width, out.width, factor);
    const Weights down = axisWeights(picture.height, out.height, factor);
    std::vector<double> rows(static_cast<size_t>(out.width) * picture.height * 3, 0);
    for (int y = 0; y < picture.height; ++y)
        for (int p = 0; p < out.width; ++p)
            for (const auto& [x, w] : across.taps[static_cast<size_t>(p)])
                for (int c = 0; c < 3; ++c)
                    rows[(static_cast<size_t>(y) * out.width + p) * 3 + c] +=
                        w * picture.rgb[(static_cast<size_t>(y) * picture.width + x) * 3 + c];
    out.rgb.assign(static_cast<size_t>(out.width) * out.height * 3, 0);
    for (int q = 0; q < out.height; ++q) {
        for (int p = 0; p < out.width; ++p) {
            for (int c = 0; c < 3; ++c) {
                double sum = 0;
                for (const auto& [y, w] : down.taps[static_cast<size_t>(q)])
                    sum += w * rows[(static_cast<size_t>(y) * out.width + p) * 3 + c];
                out.rgb[(static_cast<size_t>(q) * out.width + p) * 3 + c] =
                    static_cast<unsigned char>(std::clamp(std::lround(sum), 0L, 255L));
            }
        }
    }
    return out;
}

Picture jpegRoundTrip(const Picture& picture, int quality) {
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_compress_struct compress{};
    jpeg_error_mgr errors{};
    compress.err = jpeg_std_error(&errors);
    jpeg_create_compress(&compress);
    jpeg_mem_dest(&compress, &buffer, &size);
    compress.image_width = static_cast<JDIMENSION>(picture.width);
    compress.image_height = static_cast<JDIMENSION>(picture.height);
    compress.input_components = 3;
    compress.in_color_space = JCS_RGB;
    jpeg_set_defaults(&compress);
    jpeg_set_quality(&compress, quality, TRUE);
    jpeg_start_compress(&compress, TRUE);
    while (compress.next_scanline < compress.image_height) {
        JSAMPROW row = const_cast<unsigned char*>(
            &picture.rgb[static_cast<size_t>(compress.next_scanline) * picture.width * 3]);
        jpeg_write_scanlines(&compress, &row, 1);
    }
    jpeg_finish_compress(&compress);
    jpeg_destroy_compress(&compress);

    // Read back by the checker's own decoder, as a report's JPEG would be.
    Picture out;
    std::string error;
    decodeJpeg(std::string(reinterpret_cast<const char*>(buffer), size), out, error);
    std::free(buffer);
    return out;
}

Picture onDesktop(const Picture& window, int width, int height, int x, int y) {
    Picture desktop;
    desktop.width = width;
    desktop.height = height;
    desktop.rgb.resize(static_cast<size_t>(width) * height * 3);
    auto put = [&](int px, int py, int r, int g, int b) {
        if (px < 0 || py < 0 || px >= width || py >= height)
            return;
        unsigned char* p = &desktop.rgb[(static_cast<size_t>(py) * width + px) * 3];
        p[0] = static_cast<unsigned char>(r);
        p[1] = static_cast<unsigned char>(g);
        p[2] = static_cast<unsigned char>(b);
    };
    for (int py = 0; py < height; ++py)
        for (int px = 0; px < width; ++px)
            put(px, py, 60 + px * 80 / width, 70 + py * 60 / height, 90);
    // Other things on the desktop: panels, a red icon, red bars like a word.
    auto box = [&](int x0, int y0, int w, int h, int r, int g, int b) {
        for (int py = y0; py < y0 + h; ++py)
            for (int px = x0; px < x0 + w; ++px)
                put(px, py, r, g, b);
    };
    box(0, height - 40, width, 40, 30, 30, 40);
    box(20, 20, 48, 48, 200, 30, 30);
    for (int i = 0; i < 6; ++i)
        box(20 + i * 11, 90, 7, 14, 220, 20, 20);
    box(width - 300, 120, 260, 180, 240, 240, 235);
    // The window: a frame, its title bar, the picture.
    box(x - 1, y - 31, window.width + 2, window.height + 32, 20, 20, 20);
    box(x, y - 30, window.width, 30, 225, 225, 225);
    for (int py = 0; py < window.height; ++py)
        for (int px = 0; px < window.width; ++px) {
            const unsigned char* p = &window.rgb[(static_cast<size_t>(py) * window.width + px) * 3];
            put(x + px, y + py, p[0], p[1], p[2]);
        }
    return desktop;
}
