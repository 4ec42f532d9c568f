// Numbers as the runner's scripts and the live console's requests write
// them: the whole text must be the number.
#pragma once

#include <string>

namespace okulsim {

// A finite decimal number; false (with a message) if the text is not one.
bool parseNumber(const std::string &text, double &value, std::string &error);
// A count: a whole number from 0.
bool parseCount(const std::string &text, long &value, std::string &error);
// A whole number that fits an int.
bool parseInt(const std::string &text, int &value, std::string &error);

}  // namespace okulsim
