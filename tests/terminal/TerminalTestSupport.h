// Helpers for reading the terminal's screen in tests.
#ifndef OKUL_TESTS_TERMINAL_TERMINALTESTSUPPORT_H
#define OKUL_TESTS_TERMINAL_TERMINALTESTSUPPORT_H

#include <string>
#include <vector>

#include "Terminal.h"

// The screen line shown in row `row` (0 = newest, directly under the edit line).
inline std::string ScreenRow(const Terminal &terminal, int row) {
    return terminal.screenLines[(terminal.newestLine + row) % Terminal::kScreenLineCount];
}

// The newest `count` screen lines, from top (newest) down.
inline std::vector<std::string> TopRows(const Terminal &terminal, int count) {
    std::vector<std::string> rows;
    for (int row = 0; row < count; ++row) rows.push_back(ScreenRow(terminal, row));
    return rows;
}

// Types `command` into the edit line and executes it.
inline void Enter(Terminal &terminal, const char *command) {
    terminal.editLine[0] = '\0';
    terminal.editCount = 0;
    terminal.AppendText(command);
    terminal.Execute();
}

#endif  // OKUL_TESTS_TERMINAL_TERMINALTESTSUPPORT_H
