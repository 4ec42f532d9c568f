#include "gdi/linux/WindowsPaths.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace sim {

namespace {

bool exists(const std::string &path) {
    struct stat status;
    return ::stat(path.c_str(), &status) == 0;
}

// The one entry of `folder` whose name equals `name` regardless of case;
// `name` itself when there is none or more than one.
std::string matchCase(const std::string &folder, const std::string &name) {
    DIR *directory = ::opendir(folder.empty() ? "." : folder.c_str());
    if (directory == nullptr) return name;
    std::string match;
    int matches = 0;
    while (dirent *entry = ::readdir(directory)) {
        if (::strcasecmp(entry->d_name, name.c_str()) == 0) {
            match = entry->d_name;
            ++matches;
        }
    }
    ::closedir(directory);
    return matches == 1 ? match : name;
}

// The process's current folder.
std::string currentFolder() {
    std::vector<char> buffer(4096);
    return ::getcwd(buffer.data(), buffer.size()) != nullptr ? buffer.data() : ".";
}

}  // namespace

std::string hostPath(const char *windowsPath) {
    if (windowsPath == nullptr) return std::string();
    std::string path(windowsPath);
    for (char &c : path)
        if (c == '\\') c = '/';
    std::string result;
    std::size_t position = 0;
    if (!path.empty() && path[0] == '/') {
        result = "/";
        position = 1;
    } else {
        result = currentFolder();
        if (result.empty() || result.back() != '/') result += '/';
    }
    // Resolve component by component so that a differently cased existing
    // folder or file is found.
    bool first = true;
    while (position <= path.size()) {
        std::size_t end = path.find('/', position);
        if (end == std::string::npos) end = path.size();
        std::string component = path.substr(position, end - position);
        position = end + 1;
        if (component.empty() || component == ".") {
            if (end == path.size()) break;
            continue;
        }
        if (!first && result.back() != '/') result += '/';
        first = false;
        if (component != ".." && !exists(result + component)) component = matchCase(result, component);
        result += component;
        if (end == path.size()) break;
    }
    return result;
}

}  // namespace sim
