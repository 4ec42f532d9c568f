// PNG output of the Windows build: the Windows Imaging Component encodes the
// surface's rows (blue, green, red: the 24-bit BGR pixel format) as an 8-bit
// RGB picture, into a file or into memory. The encoder chooses its own
// compression: the quick setting is not offered.
#include "gdi/PngWriter.h"

#include <windows.h>
#include <wincodec.h>

#include <cstdio>
#include <vector>

namespace sim {

namespace {

// Releases a COM interface when it goes.
template <typename T>
struct Held {
    T *pointer = nullptr;
    ~Held() {
        if (pointer != nullptr) pointer->Release();
    }
    T **out() { return &pointer; }
    T *operator->() const { return pointer; }
};

// COM for the calling thread while it lives (the simulator's thread stays
// in a multithreaded apartment).
class ComScope {
public:
    ComScope() : result(CoInitializeEx(nullptr, COINIT_MULTITHREADED)) {}
    ~ComScope() {
        if (SUCCEEDED(result)) CoUninitialize();
    }
    bool ready() const { return SUCCEEDED(result) || result == RPC_E_CHANGED_MODE; }

private:
    HRESULT result;
};

std::wstring widePath(const std::string &path) {
    const int length = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    std::wstring wide(length > 0 ? std::size_t(length) : 1u, L'\0');
    if (length > 0) MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, &wide[0], length);
    return wide;
}

bool failed(HRESULT result, const std::string &step, std::string &error) {
    if (SUCCEEDED(result)) return false;
    char code[16];
    std::snprintf(code, sizeof code, "0x%08lx", static_cast<unsigned long>(result));
    error = step + " failed (" + code + ")";
    return true;
}

// Encodes the surface into `stream` with the imaging factory.
bool encode(const Surface &surface, IWICImagingFactory *factory, IStream *stream, std::string &error) {
    Held<IWICBitmapEncoder> encoder;
    Held<IWICBitmapFrameEncode> frame;
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    const UINT stride = UINT(surface.width()) * 3;
    std::vector<BYTE> rows(std::size_t(stride) * surface.height());
    for (int y = 0; y < surface.height(); ++y) {
        const std::uint32_t *source = surface.row(y);
        BYTE *target = rows.data() + std::size_t(y) * stride;
        for (int x = 0; x < surface.width(); ++x) {
            target[3 * x] = BYTE(Surface::blue(source[x]));
            target[3 * x + 1] = BYTE(Surface::green(source[x]));
            target[3 * x + 2] = BYTE(Surface::red(source[x]));
        }
    }
    return !failed(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.out()), "the PNG encoder",
                   error) &&
           !failed(encoder->Initialize(stream, WICBitmapEncoderNoCache), "the encoder", error) &&
           !failed(encoder->CreateNewFrame(frame.out(), nullptr), "CreateNewFrame", error) &&
           !failed(frame->Initialize(nullptr), "the frame", error) &&
           !failed(frame->SetSize(UINT(surface.width()), UINT(surface.height())), "SetSize", error) &&
           !failed(frame->SetPixelFormat(&format), "SetPixelFormat", error) &&
           (IsEqualGUID(format, GUID_WICPixelFormat24bppBGR) ||
            !failed(E_FAIL, "the 24-bit format", error)) &&
           !failed(frame->WritePixels(UINT(surface.height()), stride, UINT(rows.size()), rows.data()),
                   "WritePixels", error) &&
           !failed(frame->Commit(), "the frame's commit", error) &&
           !failed(encoder->Commit(), "the encoder's commit", error);
}

bool createFactory(Held<IWICImagingFactory> &factory, std::string &error) {
    return !failed(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_IWICImagingFactory, reinterpret_cast<void **>(factory.out())),
                   "the imaging factory", error);
}

// A surface with pixels, and COM ready on this thread.
bool readyToEncode(const Surface &surface, const ComScope &com, std::string &error) {
    if (surface.width() <= 0 || surface.height() <= 0) {
        error = "empty surface";
        return false;
    }
    if (!com.ready()) {
        error = "COM initialisation failed";
        return false;
    }
    return true;
}

}  // namespace

bool writePng(const Surface &surface, const std::string &path, std::string &error) {
    const ComScope com;
    if (!readyToEncode(surface, com, error)) return false;
    Held<IWICImagingFactory> factory;
    Held<IWICStream> stream;
    const std::wstring file = widePath(path);
    return createFactory(factory, error) &&
           !failed(factory->CreateStream(stream.out()), "CreateStream", error) &&
           !failed(stream->InitializeFromFilename(file.c_str(), GENERIC_WRITE), "cannot create " + path,
                   error) &&
           encode(surface, factory.pointer, stream.pointer, error);
}

bool encodePng(const Surface &surface, PngCompression compression, std::vector<unsigned char> &bytes,
               std::string &error) {
    const ComScope com;
    if (!readyToEncode(surface, com, error)) return false;
    Held<IWICImagingFactory> factory;
    Held<IStream> stream;
    if (!createFactory(factory, error) ||
        failed(CreateStreamOnHGlobal(nullptr, TRUE, stream.out()), "CreateStreamOnHGlobal", error) ||
        !encode(surface, factory.pointer, stream.pointer, error))
        return false;
    HGLOBAL memory = nullptr;
    STATSTG status{};
    if (failed(GetHGlobalFromStream(stream.pointer, &memory), "GetHGlobalFromStream", error) ||
        failed(stream->Stat(&status, STATFLAG_NONAME), "Stat", error))
        return false;
    const auto *data = static_cast<const unsigned char *>(GlobalLock(memory));
    if (data == nullptr) {
        error = "GlobalLock failed";
        return false;
    }
    bytes.assign(data, data + status.cbSize.QuadPart);
    GlobalUnlock(memory);
    return true;
}

}  // namespace sim
