#include "PlmProgram.h"

#include <cstring>

PlmProgram::PlmProgram(VESSEL *owner)
    : owner(owner),
      burnDirection(_V(0.0, 0.0, 0.0)),
      burnMagnitude(10.0),
      directionRecordLine(0),
      burnRecordLine(1),
      directionRecordTime(-1.1574074074074073e-05),
      burnRecordTime(-0.003472222222222222),
      deltaV(_V(0.1, 0.1, 0.1)),
      startMarsPos(_V(0.0, 0.0, 0.0)),
      startMarsVel(_V(0.0, 0.0, 0.0)),
      startPos(_V(0.0, 0.0, 0.0)),
      startVel(_V(0.0, 0.0, 0.0)),
      startMjd(0.0) {
    std::memset(resultLines, 0, sizeof(resultLines));
    std::memset(directionRecord, 0, sizeof(directionRecord));
    std::memset(burnRecord, 0, sizeof(burnRecord));
}

double PlmProgram::Run(int controlWord) { return 0.0; }

VECTOR3 PlmProgram::TargetMiss(const VECTOR3 &trial) { return _V(0.0, 0.0, 0.0); }

int PlmProgram::NewtonSearch(double x[3], double eps, int limit, double damping) { return 0; }
