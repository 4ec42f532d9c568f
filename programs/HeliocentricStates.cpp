#include "HeliocentricStates.h"

void HeliocentricState(OBJHANDLE object, OBJHANDLE sun, VECTOR3 &position, VECTOR3 &velocity) {
    VECTOR3 sunPos = _V(0.0, 0.0, 0.0), sunVel = _V(0.0, 0.0, 0.0);
    position = _V(0.0, 0.0, 0.0);
    velocity = _V(0.0, 0.0, 0.0);
    oapiGetGlobalPos(object, &position);
    oapiGetGlobalVel(object, &velocity);
    oapiGetGlobalPos(sun, &sunPos);
    oapiGetGlobalVel(sun, &sunVel);
    position -= sunPos;
    velocity -= sunVel;
}
