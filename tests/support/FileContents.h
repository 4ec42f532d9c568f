// A file's contents as the tests read them: whole, as text or bytes, and
// little-endian fields of binary headers (BMP files).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

// The whole file, byte for byte; empty when it cannot be read.
std::string ReadFile(const std::string &path);
std::vector<unsigned char> ReadBytes(const std::string &path);

inline std::uint16_t Le16(const std::vector<unsigned char> &bytes, std::size_t at) {
    return std::uint16_t(bytes[at] | bytes[at + 1] << 8);
}
inline std::uint32_t Le32(const std::vector<unsigned char> &bytes, std::size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | std::uint32_t(bytes[at + 3]) << 24;
}

}  // namespace testsupport
