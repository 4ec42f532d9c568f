// "U5-Q4", the launch-vehicle stack (upper stage with the spacecraft):
// class q4varK_RN, module Q4varK_RN.
#ifndef OKUL_HOSTS_Q4VARK_RN_H
#define OKUL_HOSTS_Q4VARK_RN_H

#include "HostVessel.h"

class q4varK_RN final : public HostVessel {
public:
    q4varK_RN(OBJHANDLE hVessel, int flightModel);
};

#endif  // OKUL_HOSTS_Q4VARK_RN_H
