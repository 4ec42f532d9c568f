// PIE on the Earth return: a spacecraft 30 days before its pass over the
// Earth. A prediction (mode 1, tolerance 1e-7) and a correction search
// (mode 2, tolerance 1e-6, scale 5 m/s), each with the bodies' positions
// computed once per date (as the console runs) and with every force
// evaluation taking them from StateAt (the plain reference). The labels
// carry the counts and the answer; the results of the two paths must agree
// to the last digit (checked here as well as in the tests).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "DesignedProbes.h"
#include "PieProgram.h"

namespace {

const char kPrediction[] = "43644;1;0;0;0;0;0;0.0000001;0;1";
const char kCorrection[] = "43644;1;0;0;0;0;0;0.000001;5;2";
const char kTables[] = "43644;0;0;0;0;0;0;0;0;-1";

// Windows-1251 text for the terminal the benchmark prints to.
std::string Utf8(const char *text) {
    std::string out;
    for (const unsigned char *c = reinterpret_cast<const unsigned char *>(text); *c; ++c) {
        unsigned code = *c;
        if (code >= 0xC0) code = 0x410 + (code - 0xC0);  // А..я
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return out;
}

// Answer and result lines of one run, for comparing the two paths.
std::string Outcome(PieProgram &pie, double answer) {
    char text[64];
    std::snprintf(text, sizeof(text), "%.17g", answer);
    std::string outcome = text;
    for (const char *line : pie.resultLines) outcome += std::string("|") + line;
    return outcome + "|" + pie.directionRecord + "|" + pie.burnRecord;
}

void RunPie(benchmark::State &state, const char *controlWord, bool plain) {
    testsupport::EarthReturnProbe &simulation = testsupport::SharedEarthReturnProbe();
    if (!simulation.vessel()) {
        state.SkipWithError(simulation.error().c_str());
        return;
    }
    static std::string outcomes[2][2];  // [correction][plain]
    const bool correction = controlWord == kCorrection;
    PieProgram pie(simulation.vessel());
    pie.integrator.plainBodyStates = plain;
    pie.Run(kTables);
    double answer = 0.0;
    long evaluations = 0, positionSets = 0;
    for (auto _ : state) {
        const long evaluationsBefore = pie.integrator.forceEvaluations;
        const long setsBefore = pie.integrator.bodyPositionSets;
        answer = pie.Run(controlWord);
        evaluations = pie.integrator.forceEvaluations - evaluationsBefore;
        positionSets = pie.integrator.bodyPositionSets - setsBefore;
        benchmark::DoNotOptimize(answer);
    }
    state.counters["steps"] = answer < 0 ? -answer : answer;
    state.counters["evaluations"] = static_cast<double>(evaluations);
    state.counters["positionSets"] = static_cast<double>(positionSets);
    if (correction) state.counters["trials"] = pie.search.trials;
    outcomes[correction][plain] = Outcome(pie, answer);
    const std::string &other = outcomes[correction][!plain];
    const bool same = other.empty() || other == outcomes[correction][plain];
    state.SetLabel((same ? std::string() : "DIFFERENT FROM THE OTHER PATH ") + Utf8(pie.resultLines[1]) +
                   " / " + Utf8(pie.resultLines[3]));
    if (!same) state.SkipWithError("the two paths disagree");
}

void BM_PiePrediction(benchmark::State &state) { RunPie(state, kPrediction, false); }
void BM_PiePredictionPlain(benchmark::State &state) { RunPie(state, kPrediction, true); }
void BM_PieCorrection(benchmark::State &state) { RunPie(state, kCorrection, false); }
void BM_PieCorrectionPlain(benchmark::State &state) { RunPie(state, kCorrection, true); }

BENCHMARK(BM_PiePrediction)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PiePredictionPlain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PieCorrection)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PieCorrectionPlain)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
