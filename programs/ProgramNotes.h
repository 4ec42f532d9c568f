// Notes the trajectory programs append to their result lines.
#ifndef OKUL_PROGRAMS_PROGRAMNOTES_H
#define OKUL_PROGRAMS_PROGRAMNOTES_H

// The Newton iteration stopped on a Jacobian (or a miss) it could not solve.
const char kSingularJacobianNote[] = " вырожденная матрица";

#endif  // OKUL_PROGRAMS_PROGRAMNOTES_H
