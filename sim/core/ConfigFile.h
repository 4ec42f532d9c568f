// A vessel class's configuration file, Config/Vessels/<Class>.cfg:
// "key = value" lines, ';' comments, and an optional attachment list
// BEGIN_ATTACHMENT ... END_ATTACHMENT of "P|C x y z dx dy dz rx ry rz [id]".
// The FILEHANDLE a module's clbkSetClassCaps receives points to one.
#pragma once

#include <string>
#include <vector>

#include <OrbiterAPI.h>

namespace sim {

struct AttachmentSpec {
    bool toParent = false;  // 'P': attaches this vessel to a parent; 'C': to a child
    VECTOR3 position{}, direction{}, rotation{};
    std::string id;
};

class ConfigFile {
public:
    // Reads the file; false with "cannot open class configuration PATH" or
    // "PATH:LINE: ..." for a malformed line. `found` tells the two apart.
    bool load(const std::string &path, std::string &error);
    bool found() const { return found_; }
    // The value of a key (compared without regard to case); false if absent.
    bool value(const std::string &key, std::string &out) const;
    const std::vector<AttachmentSpec> &attachments() const { return attachments_; }
    const std::string &path() const { return path_; }

private:
    std::string path_;
    bool found_ = false;
    std::vector<std::pair<std::string, std::string>> items_;
    std::vector<AttachmentSpec> attachments_;
};

}  // namespace sim
