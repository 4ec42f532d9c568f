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

}  // namespace sim
