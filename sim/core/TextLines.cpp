#include "core/TextLines.h"

#include <strings.h>

#include <cstdarg>
#include <cstdio>
#include <sstream>

namespace sim {

std::string formatText(const char *format, ...) {
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    std::string text(length > 0 ? std::size_t(length) : 0, '\0');
    if (length > 0) std::vsnprintf(&text[0], text.size() + 1, format, again);
    va_end(again);
    return text;
}

namespace {
// White space as the words of a line are split at (std::isspace in the "C" locale).
const char kBlanks[] = " \t\r\n\v\f";
}  // namespace

std::string trim(const std::string &s) {
    size_t b = s.find_first_not_of(kBlanks);
    if (b == std::string::npos) return "";
    size_t e = s.find_last_not_of(kBlanks);
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
