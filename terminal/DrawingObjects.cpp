#include "DrawingObjects.h"

namespace {

// Arial with the Cyrillic character set; weight 10 (not 100) and an
// orientation of 900 as the console has always asked for them.
HFONT CreateConsoleFont(int height) {
    char face[] = "Arial";
    return CreateFontA(-height, 0, 0, 900, 10, 0, 0, 0, RUSSIAN_CHARSET, 0, 0, 0, 0, face);
}

}  // namespace

DrawingObjects &ModuleDrawingObjects() {
    static DrawingObjects objects = {nullptr, nullptr, nullptr, nullptr};
    return objects;
}

void CreateModuleDrawingObjects(HINSTANCE moduleInstance) {
    DrawingObjects &objects = ModuleDrawingObjects();
    objects.moduleInstance = moduleInstance;
    objects.fontSmall = CreateConsoleFont(10);
    objects.fontLarge = CreateConsoleFont(12);
    objects.brushBlack = CreateSolidBrush(RGB(0, 0, 0));
}

void ReleaseModuleDrawingObjects() {
    DrawingObjects &objects = ModuleDrawingObjects();
    DeleteObject(objects.fontSmall);
    DeleteObject(objects.fontLarge);
    DeleteObject(objects.brushBlack);
    objects.fontSmall = nullptr;
    objects.fontLarge = nullptr;
    objects.brushBlack = nullptr;
}
