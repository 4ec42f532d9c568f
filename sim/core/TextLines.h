// Small text helpers for the simulator's file readers.
#pragma once

#include <string>
#include <vector>

namespace sim {

// Without the white space at either end (blanks, tabs, line ends, vertical
// tabs and form feeds: what splitWords splits at).
std::string trim(const std::string &s);
std::string stripComment(const std::string &s);  // cuts at ';'
bool equalsIgnoreCase(const std::string &a, const std::string &b);
bool startsWithIgnoreCase(const std::string &s, const std::string &prefix);
std::vector<std::string> splitWords(const std::string &s);
// printf-style text, however long.
std::string formatText(const char *format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace sim
