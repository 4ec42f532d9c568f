#include "core/TextLines.h"

#include <strings.h>

#include <cstdarg>
#include <cstdio>
#include <sstream>

namespace sim {

std::string formatText(const char *format, ...) {
    char buffer[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    return buffer;
}

std::string trim(const std::string &s) {
    size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return "";
    size_t e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

std::string stripComment(const std::string &s) {
    size_t c = s.find(';');
    return c == std::string::npos ? s : s.substr(0, c);
}

bool equalsIgnoreCase(const std::string &a, const std::string &b) {
    return a.size() == b.size() && strncasecmp(a.c_str(), b.c_str(), a.size()) == 0;
}

bool startsWithIgnoreCase(const std::string &s, const std::string &prefix) {
    return s.size() >= prefix.size() && strncasecmp(s.c_str(), prefix.c_str(), prefix.size()) == 0;
}

std::vector<std::string> splitWords(const std::string &s) {
    std::vector<std::string> words;
    std::istringstream in(s);
    std::string w;
    while (in >> w) words.push_back(w);
    return words;
}

}  // namespace sim
