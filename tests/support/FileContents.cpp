#include "FileContents.h"

#include <fstream>
#include <iterator>

namespace testsupport {

std::string ReadFile(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<unsigned char> ReadBytes(const std::string &path) {
    const std::string text = ReadFile(path);
    return std::vector<unsigned char>(text.begin(), text.end());
}

}  // namespace testsupport
