#include "NumberParsing.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace okulsim {

bool parseNumber(const std::string &text, double &value, std::string &error) {
    char *end = nullptr;
    errno = 0;
    value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || errno == ERANGE || !std::isfinite(value)) {
        error = "\"" + text + "\" is not a number";
        return false;
    }
    return true;
}

bool parseCount(const std::string &text, long &value, std::string &error) {
    char *end = nullptr;
    errno = 0;
    value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno == ERANGE || value < 0) {
        error = "\"" + text + "\" is not a count";
        return false;
    }
    return true;
}

bool parseInt(const std::string &text, int &value, std::string &error) {
    double number;
    if (!parseNumber(text, number, error)) return false;
    if (number != std::trunc(number) || number < double(INT_MIN) || number > double(INT_MAX)) {
        error = "\"" + text + "\" is not a whole number";
        return false;
    }
    value = static_cast<int>(number);
    return true;
}

}  // namespace okulsim
