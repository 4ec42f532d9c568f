#include "gdi/PngWriter.h"

#include <png.h>
#include <zlib.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace sim {

namespace {

void pngError(png_structp png, png_const_charp message) {
    auto *error = static_cast<std::string *>(png_get_error_ptr(png));
    if (error != nullptr) *error = message;
    png_longjmp(png, 1);
}

void pngWarning(png_structp, png_const_charp) {}

void appendBytes(png_structp png, png_bytep data, png_size_t length) {
    auto *bytes = static_cast<std::vector<unsigned char> *>(png_get_io_ptr(png));
    bytes->insert(bytes->end(), data, data + length);
}

void flushNothing(png_structp) {}

// Where the PNG goes: an open file or a byte vector.
struct PngTarget {
    std::FILE *file = nullptr;
    std::vector<unsigned char> *bytes = nullptr;
};

// Encodes the surface (not empty) into the target.
bool encode(const Surface &surface, PngCompression compression, const PngTarget &target, std::string &error) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &error, pngError, pngWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (png == nullptr || info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        error = "libpng initialisation failed";
        return false;
    }
    std::vector<png_byte> line(std::size_t(surface.width()) * 3);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        if (error.empty()) error = "PNG writing failed";
        return false;
    }
    if (target.file != nullptr)
        png_init_io(png, target.file);
    else
        png_set_write_fn(png, target.bytes, appendBytes, flushNothing);
    if (compression == PngCompression::Fast) {
        // Panels are large flat areas with text and the sky is black: the
        // quickest deflate level without row filters makes files a quarter
        // larger in a seventh of the time.
        png_set_compression_level(png, Z_BEST_SPEED);
        png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    }
    png_set_IHDR(png, info, png_uint_32(surface.width()), png_uint_32(surface.height()), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < surface.height(); ++y) {
        const std::uint32_t *row = surface.row(y);
        for (int x = 0; x < surface.width(); ++x) {
            line[3 * std::size_t(x)] = png_byte(Surface::red(row[x]));
            line[3 * std::size_t(x) + 1] = png_byte(Surface::green(row[x]));
            line[3 * std::size_t(x) + 2] = png_byte(Surface::blue(row[x]));
        }
        png_write_row(png, line.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool writePng(const Surface &surface, const std::string &path, std::string &error) {
    if (surface.width() <= 0 || surface.height() <= 0) {
        error = "empty surface";
        return false;
    }
    std::FILE *file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        error = "cannot create " + path + ": " + std::strerror(errno);
        return false;
    }
    PngTarget target;
    target.file = file;
    if (!encode(surface, PngCompression::Smallest, target, error)) {
        std::fclose(file);
        return false;
    }
    if (std::fclose(file) != 0) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

bool encodePng(const Surface &surface, PngCompression compression, std::vector<unsigned char> &bytes,
               std::string &error) {
    bytes.clear();
    if (surface.width() <= 0 || surface.height() <= 0) {
        error = "empty surface";
        return false;
    }
    PngTarget target;
    target.bytes = &bytes;
    return encode(surface, compression, target, error);
}

}  // namespace sim
