// Must NOT compile: CelBodyAPI.h relies on OrbiterAPI.h having been included
// first, as the simulator's published header does.
#include <CelBodyAPI.h>

int main() { return sizeof(CELBODY) > 0 ? 0 : 1; }
