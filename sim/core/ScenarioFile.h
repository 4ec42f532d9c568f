// FILEHANDLE objects of scenario reading and writing: a module's
// clbkLoadStateEx reads its vessel's lines through oapiReadScenario_nextline,
// clbkSaveState writes through oapiWriteScenario_*.
#pragma once

#include <string>
#include <vector>

#include <OrbiterAPI.h>

namespace sim {

class ScenarioLineReader {
public:
    explicit ScenarioLineReader(const std::vector<std::string> &lines) : lines_(lines) {}
    // Next line of the vessel block (leading blanks removed); false at its end.
    bool next(char *&line);

private:
    const std::vector<std::string> &lines_;
    size_t index_ = 0;
    std::vector<char> buffer_;
};

class ScenarioWriter {
public:
    void line(const std::string &text) { text_ += text + "\n"; }
    const std::string &text() const { return text_; }

private:
    std::string text_;
};

// The state a vessel's scenario lines describe, collected by the default
// line parser (the `status` of clbkLoadStateEx).
struct ScenarioStatus {
    std::string body = "";     // STATUS Orbiting|Landed <body>
    bool landed = false;
    bool hasStatus = false;
    VECTOR3 rpos{}, rvel{}, arot{};
    double longitude = 0, latitude = 0, heading = 0;  // degrees, landed only
    std::vector<std::pair<int, double>> propellantLevels;
    bool attached = false;
    int childPoint = 0, parentPoint = 0;
    std::string parentName;
    std::string error;  // first malformed standard line
};

}  // namespace sim
