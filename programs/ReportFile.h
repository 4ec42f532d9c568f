// Report files of the programs, named by relative paths in the simulator's
// working folder with the Windows separator ("Q4K12techout\\prg78.out").
#ifndef OKUL_PROGRAMS_REPORTFILE_H
#define OKUL_PROGRAMS_REPORTFILE_H

#include <cstdio>

// fopen of the named file; off Windows the backslashes are turned into '/'.
// Returns null when the file cannot be opened (e.g. the folder is missing).
std::FILE *OpenReportFile(const char *name, const char *mode);

#endif  // OKUL_PROGRAMS_REPORTFILE_H
