// The live console's page: its files, built into the program from app/page.
#pragma once

#include <cstddef>
#include <string>

namespace okulsim {

struct PageFile {
    const char *path;  // "/index.html"
    const char *contentType;
    const unsigned char *data;
    std::size_t size;
};

// The file served at `path` ("/" is the page), or null.
const PageFile *findPageFile(const std::string &path);

}  // namespace okulsim
