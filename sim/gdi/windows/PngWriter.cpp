// PNG output of the Windows build: the Windows Imaging Component encodes the
// surface's rows (blue, green, red, unused: the 32-bit BGR pixel format) as
// an 8-bit RGB picture.
#include "gdi/PngWriter.h"

#include <windows.h>
#include <wincodec.h>

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

std::wstring widePath(const std::string &path) {
    const int length = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    std::wstring wide(length > 0 ? std::size_t(length) : 1u, L'\0');
    if (length > 0) MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, &wide[0], length);
    return wide;
}

bool failed(HRESULT result, const char *step, std::string &error) {
    if (SUCCEEDED(result)) return false;
    char text[96];
    std::snprintf(text, sizeof text, "%s failed (0x%08lx)", step, static_cast<unsigned long>(result));
    error = text;
    return true;
}

}  // namespace

bool writePng(const Surface &surface, const std::string &path, std::string &error) {
    if (surface.width() <= 0 || surface.height() <= 0) {
        error = "empty surface";
        return false;
    }
    // The simulator's thread stays in a multithreaded apartment.
    const HRESULT initialised = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    if (FAILED(initialised) && initialised != RPC_E_CHANGED_MODE) {
        error = "COM initialisation failed";
        return false;
    }
    bool written = false;
    {
        Held<IWICImagingFactory> factory;
        Held<IWICStream> stream;
        Held<IWICBitmapEncoder> encoder;
        Held<IWICBitmapFrameEncode> frame;
        WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
        const std::wstring file = widePath(path);
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
        written =
            !failed(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                     IID_IWICImagingFactory, reinterpret_cast<void **>(factory.out())),
                    "the imaging factory", error) &&
            !failed(factory->CreateStream(stream.out()), "CreateStream", error) &&
            !failed(stream->InitializeFromFilename(file.c_str(), GENERIC_WRITE),
                    ("cannot create " + path).c_str(), error) &&
            !failed(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.out()),
                    "the PNG encoder", error) &&
            !failed(encoder->Initialize(stream.pointer, WICBitmapEncoderNoCache), "the encoder", error) &&
            !failed(encoder->CreateNewFrame(frame.out(), nullptr), "CreateNewFrame", error) &&
            !failed(frame->Initialize(nullptr), "the frame", error) &&
            !failed(frame->SetSize(UINT(surface.width()), UINT(surface.height())), "SetSize", error) &&
            !failed(frame->SetPixelFormat(&format), "SetPixelFormat", error) &&
            (IsEqualGUID(format, GUID_WICPixelFormat24bppBGR) ||
             !failed(E_FAIL, "the 24-bit format", error)) &&
            !failed(frame->WritePixels(UINT(surface.height()), stride, UINT(rows.size()), rows.data()),
                    "WritePixels", error) &&
            !failed(frame->Commit(), "the frame's commit", error) &&
            !failed(encoder->Commit(), ("cannot write " + path).c_str(), error);
    }
    if (SUCCEEDED(initialised)) CoUninitialize();
    return written;
}

}  // namespace sim
