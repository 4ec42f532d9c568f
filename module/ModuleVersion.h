// The simulator's integer form of a build date "Mmm dd yyyy":
// (year % 100) * 10000 + month * 100 + day. 0 for a text it cannot read.
#ifndef OKUL_MODULE_MODULEVERSION_H
#define OKUL_MODULE_MODULEVERSION_H

int ModuleVersionFromDate(const char *date);

#endif
