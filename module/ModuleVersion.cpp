#include "ModuleVersion.h"

#include <cstdio>
#include <cstring>

int ModuleVersionFromDate(const char *date) {
    static const char *const kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    char monthName[4] = {0};
    int day = 0, year = 0;
    if (!date || std::sscanf(date, "%3s %d %d", monthName, &day, &year) != 3) return 0;
    for (int month = 0; month < 12; ++month)
        if (std::strcmp(monthName, kMonths[month]) == 0) return (year % 100) * 10000 + (month + 1) * 100 + day;
    return 0;
}
