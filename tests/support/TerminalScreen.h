// The terminal as the tests use it: a command entered at the edit line, and
// the ring of screen lines read from the newest one down. For test programs
// linking the terminal.
#pragma once

#include <string>
#include <vector>

#include "Terminal.h"

namespace testsupport {

using Rows = std::vector<std::string>;

// Replaces the edit line with the command and executes it, as Enter does.
inline void Enter(Terminal &terminal, const std::string &command) {
    terminal.editLine[0] = '\0';
    terminal.editCount = 0;
    terminal.AppendText(command.c_str());
    terminal.Execute();
}

// Screen line `row` below the newest one (0: the newest).
inline std::string ScreenRow(const Terminal &terminal, int row) {
    return terminal.screenLines[(terminal.newestLine + row) % Terminal::kScreenLineCount];
}

inline std::string NewestRow(const Terminal &terminal) { return ScreenRow(terminal, 0); }

// The newest `count` screen lines, newest first.
inline Rows NewestRows(const Terminal &terminal, int count) {
    Rows rows;
    for (int row = 0; row < count; ++row) rows.push_back(ScreenRow(terminal, row));
    return rows;
}

}  // namespace testsupport
