// Bounds on the work of one program run: integration steps, checkpoints,
// search passes and trials.
//
// Each bound is written once with two values: the program's own, and a much
// lower one for a fuzzing build (compiled with OKUL_FUZZING_BOUNDS), where a
// run that takes seconds would stall the search for faults. Every other build
// (the module as shipped, the tests, the benchmarks) uses the first value.
#ifndef OKUL_PROGRAMS_RUNBOUNDS_H
#define OKUL_PROGRAMS_RUNBOUNDS_H

#include <climits>

#if defined(OKUL_FUZZING_BOUNDS)
#define OKUL_RUN_BOUND(programValue, fuzzingValue) (fuzzingValue)
#else
#define OKUL_RUN_BOUND(programValue, fuzzingValue) (programValue)
#endif

// PIE: accepted steps of one integration; checkpoints of one table; trials of
// one correction search (the program itself stops only when no trial improves).
const int kMaxReturnSteps = OKUL_RUN_BOUND(100000, 300);
const int kMaxCheckpoints = OKUL_RUN_BOUND(100000, 200);
const int kMaxCorrectionTrials = OKUL_RUN_BOUND(INT_MAX, 12);

// PLM and PLE: passes of the Newton iteration (the control word asks for at
// most 100 and 99).
const int kMaxPlmPasses = OKUL_RUN_BOUND(100, 2);
const int kMaxPlePasses = OKUL_RUN_BOUND(99, 2);

#endif  // OKUL_PROGRAMS_RUNBOUNDS_H
