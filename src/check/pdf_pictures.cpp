// The images embedded in a PDF, as poppler-glib gives them: at their own resolution.
#include <poppler.h>

#include <cctype>
#include <cstdlib>
#include <string>

#include "check/check.h"
#include "platform/platform.h"

namespace {

// poppler reports what it finds wrong on standard error itself; the checker's
// one line per file says it instead.
struct QuietStandardError {
    int saved = platformQuietStandardError();
    ~QuietStandardError() { platformRestoreStandardError(saved); }
};

// The decimal number after key at or after from, within limit bytes; -1 if none.
double numberAfter(const std::string& bytes, const char* key, std::size_t from, std::size_t limit,
                   std::size_t& at) {
    at = bytes.find(key, from);
    if (at == std::string::npos || at > from + limit) {
        return -1;
    }
    std::size_t digits = at + std::char_traits<char>::length(key);
    while (digits < bytes.size() && std::isspace(static_cast<unsigned char>(bytes[digits]))) {
        ++digits;
    }
    double value = 0;
    bool any = false;
    for (; digits < bytes.size() && std::isdigit(static_cast<unsigned char>(bytes[digits]));
         ++digits) {
        value = value * 10 + (bytes[digits] - '0');
        any = true;
    }
    return any ? value : -1;
}

// An image stream's dictionary is never compressed, so the sizes it claims
// can be seen before poppler allocates anything for them.
bool claimsHugeImage(const std::string& bytes, std::string& error) {
    std::size_t at = 0;
    for (std::size_t from = 0;; from = at + 1) {
        const double width = numberAfter(bytes, "/Width", from, bytes.size(), at);
        if (at == std::string::npos) {
            return false;
        }
        const std::size_t near = at > 512 ? at - 512 : 0;
        std::size_t heightAt = 0;
        const double height = numberAfter(bytes, "/Height", near, 1024, heightAt);
        if (width > 0 && height > 0 && width * height > double(maxPicturePixels)) {
            error = "an embedded image claims " + std::to_string(uint64_t(width)) + " x " +
                    std::to_string(uint64_t(height)) + " pixels, more than the limit of " +
                    std::to_string(maxPicturePixels);
            return true;
        }
    }
}

// A cairo image surface as RGB, transparent parts over white as on the page.
bool surfacePicture(cairo_surface_t* surface, Picture& picture) {
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS ||
        cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE) {
        return false;
    }
    const cairo_format_t format = cairo_image_surface_get_format(surface);
    if (format != CAIRO_FORMAT_RGB24 && format != CAIRO_FORMAT_ARGB32) {
        return false;
    }
    cairo_surface_flush(surface);
    picture.width = cairo_image_surface_get_width(surface);
    picture.height = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    picture.rgb.resize(std::size_t(picture.width) * picture.height * 3);
    unsigned char* out = picture.rgb.data();
    for (int y = 0; y < picture.height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + std::size_t(y) * stride);
        for (int x = 0; x < picture.width; ++x) {
            const uint32_t pixel = row[x];
            // Premultiplied: over white each channel gains what alpha leaves.
            const unsigned white = format == CAIRO_FORMAT_ARGB32 ? 255 - (pixel >> 24) : 0;
            *out++ = static_cast<unsigned char>(((pixel >> 16) & 0xff) + white);
            *out++ = static_cast<unsigned char>(((pixel >> 8) & 0xff) + white);
            *out++ = static_cast<unsigned char>((pixel & 0xff) + white);
        }
    }
    return true;
}

}  // namespace

bool pdfPictures(const std::string& bytes, double deadline,
                 const std::function<void(const Picture&)>& visit, std::string& error) {
    if (claimsHugeImage(bytes, error)) {
        return false;
    }
    int found = 0;
    bool ok = true;
    {
        QuietStandardError quiet;
        GBytes* data = g_bytes_new_static(bytes.data(), bytes.size());
        GError* failure = nullptr;
        PopplerDocument* document = poppler_document_new_from_bytes(data, nullptr, &failure);
        g_bytes_unref(data);
        if (document == nullptr) {
            const bool encrypted = failure != nullptr && failure->domain == POPPLER_ERROR &&
                                   failure->code == POPPLER_ERROR_ENCRYPTED;
            error = encrypted
                        ? "an encrypted PDF, which needs a password"
                        : std::string("damaged PDF: ") +
                              (failure != nullptr ? failure->message : "poppler cannot open it");
            if (failure != nullptr) {
                g_error_free(failure);
            }
            return false;
        }
        const int pages = poppler_document_get_n_pages(document);
        for (int index = 0; index < pages && ok; ++index) {
            PopplerPage* page = poppler_document_get_page(document, index);
            if (page == nullptr) {
                continue;
            }
            GList* mapping = poppler_page_get_image_mapping(page);
            // poppler lists a page's images last drawn first.
            for (GList* item = g_list_last(mapping); item != nullptr && ok; item = item->prev) {
                const auto* image = static_cast<const PopplerImageMapping*>(item->data);
                if (checkClockSeconds() > deadline) {
                    error = "reading took longer than " + std::to_string(int(maxSecondsPerFile)) +
                            " s: stopped on page " + std::to_string(index + 1);
                    ok = false;
                    break;
                }
                cairo_surface_t* surface = poppler_page_get_image(page, image->image_id);
                Picture picture;
                if (surface != nullptr && surfacePicture(surface, picture)) {
                    if (++found > maxDocumentPictures) {
                        error = "more than " + std::to_string(maxDocumentPictures) + " images";
                        ok = false;
                    } else {
                        visit(picture);
                    }
                }
                if (surface != nullptr) {
                    cairo_surface_destroy(surface);
                }
            }
            poppler_page_free_image_mapping(mapping);
            g_object_unref(page);
        }
        g_object_unref(document);
    }
    return ok;
}
