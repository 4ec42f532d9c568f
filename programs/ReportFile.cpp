#include "ReportFile.h"

std::FILE *OpenReportFile(const char *name, const char *mode) {
#if defined(_WIN32)
    return std::fopen(name, mode);
#else
    char path[260];
    std::snprintf(path, sizeof(path), "%s", name);
    for (char *c = path; *c; ++c) {
        if (*c == '\\') *c = '/';
    }
    return std::fopen(path, mode);
#endif
}
