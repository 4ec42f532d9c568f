// The module's resource table: what a PE resource section holds on Windows.
// The simulator looks the table up by name in the loaded module
// (LoadBitmapA with the instance handle the module received), so it is the
// one data symbol the module exports.
#include "module_resources.h"

// The bitmap files and their sizes, assembled from the generated artwork.
extern "C" const unsigned char okul_panel_main_bitmap[];
extern "C" const unsigned int okul_panel_main_bitmap_size;
extern "C" const unsigned char okul_panel_photo_bitmap[];
extern "C" const unsigned int okul_panel_photo_bitmap_size;

extern "C" __attribute__((visibility("default"))) const MODULE_RESOURCE orbiter_module_resources[] = {
    {OKUL_RT_BITMAP, 109, okul_panel_main_bitmap, okul_panel_main_bitmap_size},
    {OKUL_RT_BITMAP, 110, okul_panel_photo_bitmap, okul_panel_photo_bitmap_size},
    {0, 0, nullptr, 0},
};
