// The whole reading of a picture: find the line, fix the geometry on its
// prefix, read the rest, refit on all of it and read again.
#include <algorithm>
#include <cmath>

#include "check/status_reader.h"

namespace {

// A prefix fit explaining less of the redness than this, or with text less
// red than this, is no status line.
constexpr double lineQuality = 0.5;
constexpr double lineRedness = 120;
constexpr int candidateLimit = 6;
// Window columns searched beyond the red marks' end for the line's last glyphs.
constexpr int endMargin = 24;
// How much better (in noise units) one place's reading must fit than another's.
constexpr double clearPlace = 60;

struct Found {
    double quality = 0;
    LineModel model;
    std::vector<LineModel> others;
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

// Reads the line with the geometry model starts from, refitting it on what is
// read (also a reading not clear yet, which is mostly right: the prefix alone
// leaves the scale a little uncertain far to its right) until the reading stays.
LineReading readFrom(const PictureChannels& band, LineModel& model, const Found& found) {
    const std::string prefix = formPrefix(found.form);
    auto readToTheEnd = [&]() {
        // The reading ends where the red marks end, within the window and the
        // picture; a reading that runs into that end is read again further on.
        const int limit = static_cast<int>(
            std::floor(std::min((band.width - model.originX) / model.scale, double(windowSide))));
        int lineEnd = std::min(
            limit, static_cast<int>((found.candidate.right + 1 - model.originX) / model.scale) +
                       endMargin);
        while (true) {
            LineReading reading = readRest(band, model, found.form, prefix, lineEnd);
            if (lineEnd >= limit || (reading.end > 0 && reading.end + endMargin <= lineEnd))
                return reading;
            lineEnd = std::min(limit, lineEnd + 4 * endMargin);
        }
    };
    LineReading reading = readToTheEnd();
    for (int round = 0; round < 3 && !reading.plainText.empty(); ++round) {
        fitLine(band, model, prefix + reading.plainText, false);
        LineReading again = readToTheEnd();
        const bool same =
            again.readable == reading.readable && again.plainText == reading.plainText;
        reading = again;
        if (same)
            break;
    }
    return reading;
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
            if (quality > found.quality && model.textRedness >= lineRedness)
                found = {quality, model, {}, form, candidate, top};
        }
    }
    if (found.quality < lineQuality)
        return result;
    const PictureChannels band = channelBand(whole, found.bandTop, bandBottomOf(found.candidate));
    // The line's place once more, now with the other places nearly as good.
    found.model = candidateModel(found.candidate, formPrefix(found.form));
    found.model.originY -= found.bandTop;
    fitLine(band, found.model, formPrefix(found.form), true, &found.others);
    // Each place the prefix fits nearly as well is read; the whole line decides.
    std::vector<LineModel> places = {found.model};
    places.insert(places.end(), found.others.begin(), found.others.end());
    struct Read {
        LineReading reading;
        LineModel model;
        double cost;
    };
    std::vector<Read> reads;
    const std::string prefix = formPrefix(found.form);
    for (LineModel& place : places) {
        LineReading reading = readFrom(band, place, found);
        LineModel common = place;
        common.rednessNoise = found.model.rednessNoise;
        common.brightnessNoise = found.model.brightnessNoise;
        const double cost = textFit(band, common, prefix + reading.plainText, true).cost;
        reads.push_back({reading, place, cost});
    }
    const Read& best = *std::min_element(
        reads.begin(), reads.end(), [](const Read& a, const Read& b) { return a.cost < b.cost; });
    result.kind = ReadingKind::unreadable;
    result.scale = best.model.scale;
    result.originX = best.model.originX;
    result.originY = best.model.originY + found.bandTop;
    if (!best.reading.readable)
        return result;
    for (const Read& other : reads)
        if (other.reading.plainText != best.reading.plainText &&
            other.cost - best.cost < clearPlace)
            return result;
    result.kind = found.form;
    result.text = found.form == ReadingKind::id ? best.reading.text : prefix + best.reading.text;
    return result;
}
