#include "core/ScenarioParser.h"

#include <cstdlib>
#include <fstream>

#include "core/TextLines.h"

namespace sim {

namespace {

enum class Section { None, Desc, Environment, Focus, Ships, Other };

class Parser {
public:
    Parser(const std::string &path, ScenarioDescription &scenario) : path_(path), scenario_(scenario) {}

    // One line of the file; false with the error set.
    bool line(const std::string &raw, int number, std::string &error) {
        const std::string text = trim(raw);
        if (section_ == Section::Desc) {
            if (equalsIgnoreCase(text, "END_DESC"))
                section_ = Section::None;
            else
                scenario_.description += raw + "\n";
            return true;
        }
        if (text.empty() || text[0] == ';') return true;
        switch (section_) {
            case Section::None:
                return sectionStart(text, number, error);
            case Section::Other:
                if (startsWithIgnoreCase(text, "END_")) section_ = Section::None;
                return true;
            case Section::Environment:
                return environmentLine(text, number, error);
            case Section::Focus:
                focusLine(text);
                return true;
            case Section::Ships:
                return shipsLine(raw, text, number, error);
            case Section::Desc:
                return true;
        }
        return true;
    }

    // After the last line: everything closed, a date and vessels given.
    bool finish(std::string &error) const {
        if (openVessel_ || section_ == Section::Ships) {
            error = path_ + ": the vessel list is not closed (END / END_SHIPS missing)";
            return false;
        }
        if (section_ == Section::Environment || section_ == Section::Focus || section_ == Section::Desc) {
            error = path_ + ": a section is not closed";
            return false;
        }
        if (!haveDate_) {
            error = path_ + ": no \"Date MJD\" line in BEGIN_ENVIRONMENT";
            return false;
        }
        if (!sawShips_ || scenario_.vessels.empty()) {
            error = path_ + ": no vessels (BEGIN_SHIPS ... END_SHIPS)";
            return false;
        }
        return true;
    }

private:
    bool sectionStart(const std::string &text, int number, std::string &error) {
        if (equalsIgnoreCase(text, "BEGIN_DESC")) {
            section_ = Section::Desc;
            scenario_.description.clear();
        } else if (equalsIgnoreCase(text, "BEGIN_ENVIRONMENT")) {
            section_ = Section::Environment;
        } else if (equalsIgnoreCase(text, "BEGIN_FOCUS")) {
            section_ = Section::Focus;
        } else if (equalsIgnoreCase(text, "BEGIN_SHIPS")) {
            section_ = Section::Ships;
            sawShips_ = true;
        } else if (startsWithIgnoreCase(text, "BEGIN_")) {
            section_ = Section::Other;  // camera, panel, HUD: not ours to read
        } else {
            error = fileLocation(path_, number) + "unexpected line \"" + text + "\"";
            return false;
        }
        return true;
    }

    bool environmentLine(const std::string &text, int number, std::string &error) {
        if (equalsIgnoreCase(text, "END_ENVIRONMENT")) {
            section_ = Section::None;
            return true;
        }
        const std::vector<std::string> words = splitWords(text);
        if (words.empty()) return true;
        if (equalsIgnoreCase(words[0], "System")) {
            if (words.size() < 2 || !equalsIgnoreCase(words[1], "Sol")) {
                error = fileLocation(path_, number) + "only the system Sol is simulated";
                return false;
            }
        } else if (equalsIgnoreCase(words[0], "Date")) {
            char *end = nullptr;
            if (words.size() < 3 || !equalsIgnoreCase(words[1], "MJD") ||
                (scenario_.mjd = std::strtod(words[2].c_str(), &end), *end != '\0')) {
                error = fileLocation(path_, number) + "malformed date, expected \"Date MJD <number>\"";
                return false;
            }
            haveDate_ = true;
            scenario_.dateLine = number;
        }
        return true;
    }

    void focusLine(const std::string &text) {
        if (equalsIgnoreCase(text, "END_FOCUS")) {
            section_ = Section::None;
            return;
        }
        const std::vector<std::string> words = splitWords(text);
        // The name is the rest of the line after "Ship", blanks inside kept.
        if (words.size() >= 2 && equalsIgnoreCase(words[0], "Ship"))
            scenario_.focusName = text.substr(text.find(words[1], words[0].size()));
    }

    bool shipsLine(const std::string &raw, const std::string &text, int number, std::string &error) {
        if (openVessel_) {
            if (equalsIgnoreCase(text, "END"))
                openVessel_ = false;
            else
                scenario_.vessels.back().lines.push_back(raw);
            return true;
        }
        if (equalsIgnoreCase(text, "END_SHIPS")) {
            section_ = Section::None;
            return true;
        }
        const size_t colon = text.find(':');
        if (colon == std::string::npos || colon == 0 || colon + 1 == text.size()) {
            error = fileLocation(path_, number) + "expected a vessel line NAME:CLASS, found \"" + text + "\"";
            return false;
        }
        ScenarioDescription::Vessel vessel;
        vessel.name = trim(text.substr(0, colon));
        vessel.className = trim(text.substr(colon + 1));
        vessel.firstLine = number;
        scenario_.vessels.push_back(vessel);
        openVessel_ = true;
        return true;
    }

    const std::string &path_;
    ScenarioDescription &scenario_;
    Section section_ = Section::None;
    bool haveDate_ = false;
    bool sawShips_ = false;
    bool openVessel_ = false;
};

}  // namespace

std::string fileLocation(const std::string &path, int line) {
    return path + ":" + std::to_string(line) + ": ";
}

bool readScenario(const std::string &path, ScenarioDescription &scenario, std::string &error) {
    std::ifstream in(path);
    if (!in) {
        error = "cannot open scenario " + path;
        return false;
    }
    scenario = ScenarioDescription{};
    Parser parser(path, scenario);
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!parser.line(line, number, error)) return false;
    }
    return parser.finish(error);
}

}  // namespace sim
