// Common base of everything an OBJHANDLE can name: vessels and celestial bodies.
#pragma once

namespace sim {

class SimObject {
public:
    enum class Kind { Vessel, Body };
    explicit SimObject(Kind kind) : kind_(kind) {}
    virtual ~SimObject() = default;
    Kind kind() const { return kind_; }

private:
    Kind kind_;
};

}  // namespace sim
