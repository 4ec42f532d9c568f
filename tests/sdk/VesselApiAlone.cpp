// Must NOT compile: VesselAPI.h declares VESSEL in terms of the types of
// OrbiterAPI.h without including it, as the simulator's published header
// does. The test that compiles this file expects the compiler to fail.
#include <VesselAPI.h>

int main() { return sizeof(VESSEL) > 0 ? 0 : 1; }
