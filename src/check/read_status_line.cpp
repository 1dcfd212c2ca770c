// The whole reading of a picture: find the line, fix the geometry on its
// prefix, read the rest, refit on all of it and read again.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "check/status_reader.h"

namespace {

// A prefix fit explaining less of the redness than this is no status line.
constexpr double lineQuality = 0.5;
constexpr int candidateLimit = 6;
// Window columns searched beyond the red marks' end for the line's last glyphs.
constexpr int endMargin = 24;

struct Found {
    double quality = 0;
    LineModel model;
    ReadingKind form = ReadingKind::none;
    LineCandidate candidate;
    int bandTop = 0;
};

// The rows around a candidate where its line's cells can lie, at any scale.
int bandTopOf(const LineCandidate& candidate) {
    return std::max(0, candidate.bottom - 80);
}
int bandBottomOf(const LineCandidate& candidate) {
    return candidate.bottom + 30;
}

}  // namespace

StatusReading readStatusLine(const Picture& picture) {
    StatusReading result;
    if (picture.width <= 0 || picture.height <= 0 ||
        picture.rgb.size() < static_cast<size_t>(picture.width) * picture.height * 3)
        return result;
    const PictureChannels whole = pictureChannels(picture);
    Found found;
    for (const LineCandidate& candidate : lineCandidates(whole, candidateLimit)) {
        const int top = bandTopOf(candidate);
        const PictureChannels band = channelBand(whole, top, bandBottomOf(candidate));
        for (ReadingKind form : {ReadingKind::id, ReadingKind::selection}) {
            LineModel model = candidateModel(candidate, formPrefix(form));
            model.originY -= top;
            const double quality = fitLine(band, model, formPrefix(form), true);
            if (std::getenv("RDEBUG"))
                std::fprintf(stderr,
                             "cand %d,%d-%d r%d marks %d form %d q %.3f s %.4f o %.2f,%.2f T %.1f "
                             "%.1f noise %.1f %.1f blur %d\n",
                             candidate.left, candidate.top, candidate.bottom, candidate.right,
                             candidate.marks, (int)form, quality, model.scale, model.originX,
                             model.originY + top, model.textRedness, model.textBrightness,
                             model.rednessNoise, model.brightnessNoise, model.colourBlurred);
            if (quality > found.quality)
                found = {quality, model, form, candidate, top};
        }
    }
    if (found.quality < lineQuality)
        return result;
    const PictureChannels channels =
        channelBand(whole, found.bandTop, bandBottomOf(found.candidate));
    LineModel& model = found.model;
    result.kind = ReadingKind::unreadable;
    const std::string prefix = formPrefix(found.form);
    // The reading ends where the red marks end, within the window and the
    // picture; a reading that runs into that end is read again further on.
    const int limit = static_cast<int>(
        std::floor(std::min((picture.width - model.originX) / model.scale, double(windowSide))));
    int lineEnd = std::min(
        limit,
        static_cast<int>((found.candidate.right + 1 - model.originX) / model.scale) + endMargin);
    auto readToTheEnd = [&]() {
        while (true) {
            LineReading reading = readRest(channels, model, found.form, prefix, lineEnd);
            if (lineEnd >= limit || (reading.readable && reading.end + endMargin <= lineEnd))
                return reading;
            lineEnd = std::min(limit, lineEnd + 4 * endMargin);
        }
    };
    LineReading reading = readToTheEnd();
    // The prefix alone leaves the scale a little uncertain far to its right:
    // refit on everything read, and read again until the reading stays.
    for (int round = 0; round < 3 && reading.readable; ++round) {
        fitLine(channels, model, prefix + reading.plainText, false);
        LineReading again = readToTheEnd();
        const bool same = again.readable && again.plainText == reading.plainText;
        reading = again;
        if (same)
            break;
    }
    result.scale = model.scale;
    result.originX = model.originX;
    result.originY = model.originY + found.bandTop;
    if (!reading.readable)
        return result;
    result.kind = found.form;
    result.text = found.form == ReadingKind::id ? reading.text : prefix + reading.text;
    return result;
}
