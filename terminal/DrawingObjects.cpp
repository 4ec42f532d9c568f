#include "DrawingObjects.h"

DrawingObjects &ModuleDrawingObjects() {
    static DrawingObjects objects = {nullptr, nullptr, nullptr, nullptr};
    return objects;
}
