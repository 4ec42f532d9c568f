#include "HostCommandQueue.h"

bool HostCommandQueue::Add(const HostCommand &command) {
    if (count >= kCapacity) return false;
    int position = count;
    while (position > 0 && commands[position - 1].time > command.time) {
        commands[position] = commands[position - 1];
        --position;
    }
    commands[position] = command;
    ++count;
    return true;
}

bool HostCommandQueue::TakeDue(double mjd, HostCommand &command) {
    if (count == 0 || commands[0].time > mjd) return false;
    command = commands[0];
    for (int i = 1; i < count; ++i) commands[i - 1] = commands[i];
    --count;
    return true;
}
