// The objects behind GDI handles and the registry that owns them (internal
// to the drawing layer).
//
// Handles are the addresses of these objects; every call first looks its
// handle up in the registry, so a stale or foreign handle is refused instead
// of being followed.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <unordered_map>

#include "gdi/linux/FontEngine.h"
#include "gdi/Surface.h"

namespace sim::gdi {

struct DeviceContext;

enum class ObjectKind { Pen, Brush, Font, Bitmap };

struct GdiObject {
    explicit GdiObject(ObjectKind kind) : kind(kind) {}
    virtual ~GdiObject() = default;
    ObjectKind kind;
    bool stock = false;
};

struct Pen : GdiObject {
    Pen(COLORREF colour, int width, bool null, bool dcPen)
        : GdiObject(ObjectKind::Pen), colour(colour), width(width), null(null), dcPen(dcPen) {}
    COLORREF colour;
    int width;
    bool null;
    bool dcPen;  // the stock DC pen: draws in the DC's pen colour
};

struct Brush : GdiObject {
    Brush(COLORREF colour, bool null, bool dcBrush)
        : GdiObject(ObjectKind::Brush), colour(colour), null(null), dcBrush(dcBrush) {}
    COLORREF colour;
    bool null;
    bool dcBrush;  // the stock DC brush: fills in the DC's brush colour
};

struct Font : GdiObject {
    Font(int height, int weight, bool italic)
        : GdiObject(ObjectKind::Font), height(height), weight(weight), italic(italic) {}
    int height;
    int weight;
    bool italic;
    FontInstance *instance = nullptr;  // resolved at first use
};

struct Bitmap : GdiObject {
    Bitmap(int width, int height) : GdiObject(ObjectKind::Bitmap), surface(width, height) {}
    explicit Bitmap(const Surface &pixels) : GdiObject(ObjectKind::Bitmap), surface(pixels) {}
    Surface surface;
    DeviceContext *selectedIn = nullptr;
};

struct DeviceContext {
    Surface *surface = nullptr;  // set for a DC lent on a SURFHANDLE
    Bitmap *bitmap = nullptr;    // the bitmap selected into a memory DC
    Pen *pen = nullptr;
    Brush *brush = nullptr;
    Font *font = nullptr;
    COLORREF dcPenColour = RGB(0, 0, 0);
    COLORREF dcBrushColour = RGB(255, 255, 255);
    COLORREF textColour = RGB(0, 0, 0);
    COLORREF backgroundColour = RGB(255, 255, 255);
    int backgroundMode = OPAQUE;
    UINT textAlign = TA_LEFT | TA_TOP;
    POINT position{0, 0};

    Surface *target() const {
        return surface != nullptr ? surface : (bitmap != nullptr ? &bitmap->surface : nullptr);
    }
    bool memory() const { return surface == nullptr; }
};

struct OpenFile {
    int descriptor = -1;
    bool writable = false;
};

struct ClipboardState {
    std::unique_ptr<Surface> content;
    Bitmap *handedOut = nullptr;  // the bitmap GetClipboardData returned last
    bool open = false;
};

class Registry {
public:
    Registry();
    ~Registry();
    Registry(const Registry &) = delete;
    Registry &operator=(const Registry &) = delete;

    // Lookups: null when the handle is not a live object of that kind.
    GdiObject *object(HGDIOBJ handle);
    Bitmap *bitmap(HGDIOBJ handle);
    DeviceContext *context(HDC handle);
    Surface *surface(void *handle);
    OpenFile *file(HANDLE handle);

    GdiObject *stockObject(int index);
    Bitmap *defaultBitmap() { return defaultBitmapObject; }
    Font *defaultFont() { return defaultFontObject; }

    template <typename T>
    T *add(std::unique_ptr<T> object) {
        T *raw = object.get();
        objects.emplace(raw, std::move(object));
        return raw;
    }
    // Deletes a non-stock object that no DC has selected; false otherwise.
    bool remove(GdiObject *object);

    DeviceContext *createContext(Surface *surface);
    void deleteContext(DeviceContext *context);

    Surface *addSurface(std::unique_ptr<Surface> surface);
    void removeSurface(Surface *surface);

    OpenFile *addFile(int descriptor, bool writable);
    void removeFile(OpenFile *file);

    FontInstance &fontInstance(Font &font);

    std::size_t surfaceCount() const { return surfaces.size(); }
    std::size_t objectCount() const { return objects.size(); }
    std::size_t contextCount() const { return contexts.size(); }
    std::size_t fileCount() const { return files.size(); }
    ClipboardState &clipboard() { return clipboardState; }

private:
    std::unordered_map<GdiObject *, std::unique_ptr<GdiObject>> objects;
    std::unordered_map<DeviceContext *, std::unique_ptr<DeviceContext>> contexts;
    std::unordered_map<Surface *, std::unique_ptr<Surface>> surfaces;
    std::unordered_map<OpenFile *, std::unique_ptr<OpenFile>> files;
    std::array<GdiObject *, 20> stock{};
    Bitmap *defaultBitmapObject = nullptr;
    Font *defaultFontObject = nullptr;
    ClipboardState clipboardState;
    FontEngine fonts;  // declared last: destroyed first (only font objects refer to it)
};

inline HGDIOBJ objectHandle(GdiObject *object) { return object; }
inline HDC contextHandle(DeviceContext *context) { return reinterpret_cast<HDC>(context); }

// The registry, created at first use and freed by releaseGdiResources() or
// at program exit.
Registry &registry();

// The colour a DC's pen or brush draws with (0x00RRGGBB), or false for the
// null pen / brush.
bool penColour(const DeviceContext &dc, std::uint32_t &colour);
bool brushColour(const DeviceContext &dc, std::uint32_t &colour);

}  // namespace sim::gdi
