// The host's queue of timed commands: kept in time order (commands with the
// same time in the order they arrived), fixed capacity.
#ifndef OKUL_HOSTS_HOSTCOMMANDQUEUE_H
#define OKUL_HOSTS_HOSTCOMMANDQUEUE_H

#include <OrbiterAPI.h>

struct HostCommand {
    int line;
    int code;
    double time;  // MJD
    VECTOR3 a, b, c;
};

class HostCommandQueue {
public:
    static const int kCapacity = 64;

    HostCommandQueue() : count(0) {}

    // Adds a command in time order; false (queue unchanged) when full.
    bool Add(const HostCommand &command);
    // Takes out the earliest command whose time is at or before mjd.
    bool TakeDue(double mjd, HostCommand &command);
    int Count() const { return count; }
    const HostCommand &At(int index) const { return commands[index]; }

private:
    HostCommand commands[kCapacity];
    int count;
};

#endif  // OKUL_HOSTS_HOSTCOMMANDQUEUE_H
