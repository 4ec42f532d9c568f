#include "core/ConfigFile.h"

#include <strings.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "core/TextLines.h"

namespace sim {

bool ConfigFile::load(const std::string &path, std::string &error) {
    path_ = path;
    std::ifstream in(path);
    found_ = static_cast<bool>(in);
    if (!in) {
        error = "cannot open class configuration " + path;
        return false;
    }
    std::string raw;
    int lineNumber = 0;
    bool inAttachments = false;
    while (std::getline(in, raw)) {
        ++lineNumber;
        std::string line = trim(stripComment(raw));
        if (line.empty()) continue;
        if (equalsIgnoreCase(line, "BEGIN_ATTACHMENT")) {
            inAttachments = true;
            continue;
        }
        if (equalsIgnoreCase(line, "END_ATTACHMENT")) {
            inAttachments = false;
            continue;
        }
        if (inAttachments) {
            AttachmentSpec spec;
            char type[8] = {0}, id[64] = {0};
            double v[9];
            int n = std::sscanf(line.c_str(), "%7s %lf %lf %lf %lf %lf %lf %lf %lf %lf %63s", type, &v[0],
                                &v[1], &v[2], &v[3], &v[4], &v[5], &v[6], &v[7], &v[8], id);
            if (n < 10 || (type[0] != 'P' && type[0] != 'C' && type[0] != 'p' && type[0] != 'c') || type[1]) {
                error = path + ":" + std::to_string(lineNumber) + ": malformed attachment line";
                return false;
            }
            spec.toParent = (type[0] == 'P' || type[0] == 'p');
            spec.position = _V(v[0], v[1], v[2]);
            spec.direction = _V(v[3], v[4], v[5]);
            spec.rotation = _V(v[6], v[7], v[8]);
            spec.id = std::string(id).substr(0, 8);
            attachments_.push_back(spec);
            continue;
        }
        size_t eq = line.find('=');
        if (eq == std::string::npos) continue;  // the simulator ignores lines it cannot read
        items_.emplace_back(trim(line.substr(0, eq)), trim(line.substr(eq + 1)));
    }
    return true;
}

bool ConfigFile::value(const std::string &key, std::string &out) const {
    for (const auto &item : items_) {
        if (equalsIgnoreCase(item.first, key)) {
            out = item.second;
            return true;
        }
    }
    return false;
}

}  // namespace sim
