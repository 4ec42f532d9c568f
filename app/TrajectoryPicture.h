// The picture of the `plot` command, laid out in picture pixels, and its
// painter: Cairo on Linux, GDI on Windows (the Windows build has no Cairo).
// The two painters draw the same elements; their anti-aliasing and text
// differ.
#pragma once

#include <string>
#include <vector>

namespace okulsim {

struct TrajectoryPicture {
    struct Point {
        double x, y;
    };
    struct Mark {
        bool shown = false;
        Point at{0, 0};
        std::string label;
    };

    int size = 900;           // square, pixels
    double bodyRadius = 0.0;  // the body at the centre, to scale
    std::vector<Point> path;  // from its start (a dot)
    bool ahead = true;        // the path ahead (yellow) or behind (grey)
    Mark periapsis;           // a red dot, labelled above
    Mark target;              // a green cross, labelled below
    std::string title;        // top left
    std::string scale;        // bottom left
};

// Writes the picture as a PNG file; false with a message when it cannot.
bool paintTrajectoryPicture(const TrajectoryPicture &picture, const std::string &file, std::string &error);

}  // namespace okulsim
