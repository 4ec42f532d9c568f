// Files and memory blocks for modules: CreateFileA, WriteFile, CloseHandle,
// GlobalAlloc/GlobalFree, LocalAlloc/LocalFree. Paths go through hostPath.
#include <fcntl.h>
#include <unistd.h>
#include <windows.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "gdi/linux/GdiRegistry.h"
#include "gdi/linux/WindowsPaths.h"

using namespace sim::gdi;

namespace {

void *allocate(size_t bytes, bool zero) {
    if (bytes == 0) bytes = 1;
    return zero ? std::calloc(1, bytes) : std::malloc(bytes);
}

}  // namespace

extern "C" {

HANDLE WINAPI CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                          LPSECURITY_ATTRIBUTES lpSecurityAttributes, DWORD dwCreationDisposition,
                          DWORD dwFlagsAndAttributes, HANDLE hTemplateFile) {
    if (lpFileName == nullptr || *lpFileName == '\0') return INVALID_HANDLE_VALUE;
    const bool reading = (dwDesiredAccess & GENERIC_READ) != 0;
    const bool writing = (dwDesiredAccess & GENERIC_WRITE) != 0;
    int flags = O_CLOEXEC | (reading && writing ? O_RDWR : (writing ? O_WRONLY : O_RDONLY));
    switch (dwCreationDisposition) {
        case CREATE_NEW:
            flags |= O_CREAT | O_EXCL;
            break;
        case CREATE_ALWAYS:
            flags |= O_CREAT | O_TRUNC;
            break;
        case OPEN_EXISTING:
            break;
        case OPEN_ALWAYS:
            flags |= O_CREAT;
            break;
        case TRUNCATE_EXISTING:
            if (!writing) return INVALID_HANDLE_VALUE;
            flags |= O_TRUNC;
            break;
        default:
            return INVALID_HANDLE_VALUE;
    }
    const std::string path = sim::hostPath(lpFileName);
    const int descriptor = ::open(path.c_str(), flags, 0644);
    if (descriptor < 0) return INVALID_HANDLE_VALUE;
    return registry().addFile(descriptor, writing);
}

BOOL WINAPI WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite,
                      LPDWORD lpNumberOfBytesWritten, LPOVERLAPPED lpOverlapped) {
    if (lpNumberOfBytesWritten != nullptr) *lpNumberOfBytesWritten = 0;
    OpenFile *file = registry().file(hFile);
    if (file == nullptr || !file->writable || (lpBuffer == nullptr && nNumberOfBytesToWrite > 0))
        return FALSE;
    const auto *bytes = static_cast<const char *>(lpBuffer);
    DWORD written = 0;
    while (written < nNumberOfBytesToWrite) {
        const ssize_t result = ::write(file->descriptor, bytes + written, nNumberOfBytesToWrite - written);
        if (result < 0) {
            if (errno == EINTR) continue;
            break;
        }
        written += DWORD(result);
    }
    if (lpNumberOfBytesWritten != nullptr) *lpNumberOfBytesWritten = written;
    return written == nNumberOfBytesToWrite ? TRUE : FALSE;
}

BOOL WINAPI CloseHandle(HANDLE hObject) {
    Registry &gdi = registry();
    OpenFile *file = gdi.file(hObject);
    if (file == nullptr) return FALSE;
    const bool closed = ::close(file->descriptor) == 0;
    gdi.removeFile(file);
    return closed ? TRUE : FALSE;
}

HGLOBAL WINAPI GlobalAlloc(UINT uFlags, size_t dwBytes) {
    return allocate(dwBytes, (uFlags & GMEM_ZEROINIT) != 0);
}

HGLOBAL WINAPI GlobalFree(HGLOBAL hMem) {
    std::free(hMem);
    return nullptr;
}

HLOCAL WINAPI LocalAlloc(UINT uFlags, size_t uBytes) {
    return allocate(uBytes, (uFlags & LMEM_ZEROINIT) != 0);
}

HLOCAL WINAPI LocalFree(HLOCAL hMem) {
    std::free(hMem);
    return nullptr;
}

}  // extern "C"
