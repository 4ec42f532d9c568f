// Off Windows a module's resources (what a PE resource section holds) are a
// table the module exports under the C name "orbiter_module_resources",
// ended by an entry whose data is null. LoadBitmapA finds a module's table
// through the instance handle InitModule received.
#ifndef OKUL_SDK_MODULE_RESOURCES_H
#define OKUL_SDK_MODULE_RESOURCES_H

#define OKUL_RT_BITMAP 2

typedef struct {
    unsigned short type;        // OKUL_RT_BITMAP
    unsigned short id;          // resource id, as in MAKEINTRESOURCE(id)
    const unsigned char *data;  // the complete .bmp file
    unsigned int size;          // bytes of data
} MODULE_RESOURCE;

#define OKUL_MODULE_RESOURCES_SYMBOL "orbiter_module_resources"

#endif
