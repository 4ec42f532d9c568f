#include "PngFile.h"

#include <png.h>

#include <cstring>
#include <vector>

namespace output_comparison {

std::unique_ptr<sim::Surface> readPng(const std::string &path, std::string &error) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) {
        error = image.message;
        return nullptr;
    }
    // Blue, green, red, alpha in memory: the layout of a surface's pixel.
    image.format = PNG_FORMAT_BGRA;
    std::vector<std::uint32_t> pixels(std::size_t(image.width) * image.height);
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
        error = image.message;
        png_image_free(&image);
        return nullptr;
    }
    return std::make_unique<sim::Surface>(int(image.width), int(image.height), pixels.data());
}

}  // namespace output_comparison
