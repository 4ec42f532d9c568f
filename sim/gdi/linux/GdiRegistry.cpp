#include "gdi/linux/GdiRegistry.h"

#include <unistd.h>

#include "gdi/SurfaceHandles.h"

namespace sim::gdi {

namespace {

Registry *currentRegistry = nullptr;

// Frees the registry at program exit, after which nothing is left for a leak
// checker to report.
struct RegistryCleanup {
    ~RegistryCleanup() { sim::releaseGdiResources(); }
} registryCleanup;

}  // namespace

Registry::Registry() {
    auto addStock = [this](int index, std::unique_ptr<GdiObject> object) {
        object->stock = true;
        stock[std::size_t(index)] = add(std::move(object));
    };
    addStock(WHITE_BRUSH, std::make_unique<Brush>(RGB(255, 255, 255), false, false));
    addStock(LTGRAY_BRUSH, std::make_unique<Brush>(RGB(192, 192, 192), false, false));
    addStock(GRAY_BRUSH, std::make_unique<Brush>(RGB(128, 128, 128), false, false));
    addStock(DKGRAY_BRUSH, std::make_unique<Brush>(RGB(64, 64, 64), false, false));
    addStock(BLACK_BRUSH, std::make_unique<Brush>(RGB(0, 0, 0), false, false));
    addStock(NULL_BRUSH, std::make_unique<Brush>(RGB(0, 0, 0), true, false));
    addStock(WHITE_PEN, std::make_unique<Pen>(RGB(255, 255, 255), 1, false, false));
    addStock(BLACK_PEN, std::make_unique<Pen>(RGB(0, 0, 0), 1, false, false));
    addStock(NULL_PEN, std::make_unique<Pen>(RGB(0, 0, 0), 1, true, false));
    addStock(DC_BRUSH, std::make_unique<Brush>(RGB(255, 255, 255), false, true));
    addStock(DC_PEN, std::make_unique<Pen>(RGB(0, 0, 0), 1, false, true));
    // A memory DC starts with a 1 x 1 monochrome bitmap, every DC with the
    // system font (here the default 12-pixel face).
    auto bitmap = std::make_unique<Bitmap>(1, 1);
    bitmap->surface.setBitsPerPixel(1);
    bitmap->stock = true;
    defaultBitmapObject = add(std::move(bitmap));
    auto font = std::make_unique<Font>(0, FW_NORMAL, false);
    font->stock = true;
    defaultFontObject = add(std::move(font));
    // The stock fonts (OEM_FIXED_FONT 10 to DEVICE_DEFAULT_FONT 14,
    // SYSTEM_FIXED_FONT 16, DEFAULT_GUI_FONT 17) are all the default face.
    for (int index : {10, 11, 12, 13, 14, 16, 17}) stock[std::size_t(index)] = defaultFontObject;
}

Registry::~Registry() {
    for (auto &entry : files) ::close(entry.first->descriptor);
}

GdiObject *Registry::object(HGDIOBJ handle) {
    auto found = objects.find(static_cast<GdiObject *>(handle));
    return found == objects.end() ? nullptr : found->second.get();
}

Bitmap *Registry::bitmap(HGDIOBJ handle) {
    GdiObject *found = object(handle);
    return found != nullptr && found->kind == ObjectKind::Bitmap ? static_cast<Bitmap *>(found) : nullptr;
}

DeviceContext *Registry::context(HDC handle) {
    auto found = contexts.find(reinterpret_cast<DeviceContext *>(handle));
    return found == contexts.end() ? nullptr : found->second.get();
}

Surface *Registry::surface(void *handle) {
    auto found = surfaces.find(static_cast<Surface *>(handle));
    return found == surfaces.end() ? nullptr : found->second.get();
}

OpenFile *Registry::file(HANDLE handle) {
    auto found = files.find(static_cast<OpenFile *>(handle));
    return found == files.end() ? nullptr : found->second.get();
}

GdiObject *Registry::stockObject(int index) {
    if (index < 0 || index >= int(stock.size())) return nullptr;
    return stock[std::size_t(index)];
}

bool Registry::remove(GdiObject *object) {
    if (object->stock) return false;
    for (auto &entry : contexts) {
        const DeviceContext &dc = *entry.second;
        if (dc.pen == object || dc.brush == object || dc.font == object || dc.bitmap == object) return false;
    }
    if (object == clipboardState.handedOut) clipboardState.handedOut = nullptr;
    objects.erase(object);
    return true;
}

DeviceContext *Registry::createContext(Surface *surface) {
    auto context = std::make_unique<DeviceContext>();
    context->surface = surface;
    context->pen = static_cast<Pen *>(stock[BLACK_PEN]);
    context->brush = static_cast<Brush *>(stock[WHITE_BRUSH]);
    context->font = defaultFontObject;
    if (surface == nullptr) context->bitmap = defaultBitmapObject;
    DeviceContext *raw = context.get();
    contexts.emplace(raw, std::move(context));
    return raw;
}

void Registry::deleteContext(DeviceContext *context) {
    if (context->bitmap != nullptr && context->bitmap->selectedIn == context)
        context->bitmap->selectedIn = nullptr;
    contexts.erase(context);
}

Surface *Registry::addSurface(std::unique_ptr<Surface> surface) {
    Surface *raw = surface.get();
    surfaces.emplace(raw, std::move(surface));
    return raw;
}

void Registry::removeSurface(Surface *surface) {
    for (auto entry = contexts.begin(); entry != contexts.end();) {
        if (entry->second->surface == surface)
            entry = contexts.erase(entry);
        else
            ++entry;
    }
    surfaces.erase(surface);
}

OpenFile *Registry::addFile(int descriptor, bool writable) {
    auto file = std::make_unique<OpenFile>();
    file->descriptor = descriptor;
    file->writable = writable;
    OpenFile *raw = file.get();
    files.emplace(raw, std::move(file));
    return raw;
}

void Registry::removeFile(OpenFile *file) { files.erase(file); }

FontInstance &Registry::fontInstance(Font &font) {
    if (font.instance == nullptr) font.instance = &fonts.instance(font.height, font.weight, font.italic);
    return *font.instance;
}

Registry &registry() {
    if (currentRegistry == nullptr) currentRegistry = new Registry();
    return *currentRegistry;
}

bool penColour(const DeviceContext &dc, std::uint32_t &colour) {
    if (dc.pen == nullptr || dc.pen->null) return false;
    colour = Surface::fromColorref(dc.pen->dcPen ? dc.dcPenColour : dc.pen->colour);
    return true;
}

bool brushColour(const DeviceContext &dc, std::uint32_t &colour) {
    if (dc.brush == nullptr || dc.brush->null) return false;
    colour = Surface::fromColorref(dc.brush->dcBrush ? dc.dcBrushColour : dc.brush->colour);
    return true;
}

}  // namespace sim::gdi

namespace sim {

using gdi::registry;

Surface *surfaceFromHandle(SURFHANDLE handle) { return registry().surface(handle); }

SURFHANDLE surfaceHandle(const Surface *surface) {
    return registry().surface(const_cast<Surface *>(surface)) != nullptr ? const_cast<Surface *>(surface)
                                                                         : nullptr;
}

SURFHANDLE createSurface(int width, int height) {
    return registry().addSurface(std::make_unique<Surface>(width, height));
}

SURFHANDLE createSurface(const Surface &pixels) {
    auto copy = std::make_unique<Surface>(pixels);
    copy->clearTexts();
    return registry().addSurface(std::move(copy));
}

SURFHANDLE adoptSurface(std::unique_ptr<Surface> surface) {
    if (!surface) return nullptr;
    return registry().addSurface(std::move(surface));
}

void destroySurface(SURFHANDLE handle) {
    if (Surface *surface = registry().surface(handle)) registry().removeSurface(surface);
}

std::unique_ptr<Surface> bitmapPixels(HBITMAP bitmap) {
    gdi::Bitmap *found = registry().bitmap(bitmap);
    if (found == nullptr) return nullptr;
    auto copy = std::make_unique<Surface>(found->surface);
    copy->clearTexts();
    return copy;
}

HBITMAP createBitmap(const Surface &pixels) {
    auto bitmap = std::make_unique<gdi::Bitmap>(pixels);
    bitmap->surface.clearTexts();
    return static_cast<HBITMAP>(gdi::objectHandle(registry().add(std::move(bitmap))));
}

GdiCounts liveGdiCounts() {
    gdi::Registry &gdi = gdi::registry();
    return GdiCounts{gdi.surfaceCount(), gdi.objectCount(), gdi.contextCount(), gdi.fileCount()};
}

void releaseGdiResources() {
    delete gdi::currentRegistry;
    gdi::currentRegistry = nullptr;
}

}  // namespace sim
