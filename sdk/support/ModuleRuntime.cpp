// What code built for Microsoft's ABI expects of Microsoft's C++ runtime,
// kept to the C runtime Windows ships (the Universal C Runtime), so that a
// module needs no runtime library of its own: operator new and delete on
// malloc and free, std::nothrow, _fltused (the mark the compiler leaves in
// every module that uses floating point) and the trap of a pure virtual call.
// The module's dialect has no exceptions: the throwing forms of new return
// null when memory runs out, as the nothrow forms do.
#include <stdlib.h>

#include <new>

extern "C" int _fltused = 0x9875;

namespace std {
const nothrow_t nothrow{};
}  // namespace std

namespace {

void *Allocate(size_t size) { return malloc(size != 0 ? size : 1); }

}  // namespace

void *operator new(size_t size) { return Allocate(size); }
void *operator new[](size_t size) { return Allocate(size); }
void *operator new(size_t size, const std::nothrow_t &) noexcept { return Allocate(size); }
void *operator new[](size_t size, const std::nothrow_t &) noexcept { return Allocate(size); }
void operator delete(void *block) noexcept { free(block); }
void operator delete[](void *block) noexcept { free(block); }
void operator delete(void *block, size_t) noexcept { free(block); }
void operator delete[](void *block, size_t) noexcept { free(block); }

extern "C" int __cdecl _purecall() {
    abort();
    return 0;
}
