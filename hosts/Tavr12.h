// "TAVR-12", the interplanetary spacecraft: class Tavr12, module Tavr12.
#ifndef OKUL_HOSTS_TAVR12_H
#define OKUL_HOSTS_TAVR12_H

#include "HostVessel.h"

class Tavr12 final : public HostVessel {
public:
    Tavr12(OBJHANDLE hVessel, int flightModel);
};

#endif  // OKUL_HOSTS_TAVR12_H
