// What a Microsoft-ABI compiler expects from a C++ runtime, built into each module over
// the C runtime (ucrtbase.dll), so that a module needs no Microsoft C++ runtime DLL:
// the allocation operators, std::nothrow, the floating-point marker, and fprintf,
// which the C runtime's headers leave to a static library.
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <new>

// Referenced by every object that uses floating point; its value is never read.
extern "C" int _fltused = 0;

const std::nothrow_t std::nothrow{};

// No exception may leave a module: an allocation that must succeed and cannot ends the
// process, as an exception unhandled by the simulator would.
void *operator new(std::size_t size)
{
    if (void *block = std::malloc(size ? size : 1))
        return block;
    std::abort();
}

void *operator new[](std::size_t size) { return operator new(size); }

void *operator new(std::size_t size, const std::nothrow_t &) noexcept
{
    return std::malloc(size ? size : 1);
}

void *operator new[](std::size_t size, const std::nothrow_t &) noexcept
{
    return std::malloc(size ? size : 1);
}

// For types aligned beyond what malloc gives (16 bytes); the C++ library's allocator
// refers to these whenever it is not optimised away.
void *operator new(std::size_t size, std::align_val_t alignment)
{
    if (void *block = _aligned_malloc(size ? size : 1, std::size_t(alignment)))
        return block;
    std::abort();
}

void operator delete(void *block, std::align_val_t) noexcept { _aligned_free(block); }

void operator delete(void *block, std::size_t, std::align_val_t) noexcept { _aligned_free(block); }

void operator delete(void *block) noexcept { std::free(block); }

void operator delete[](void *block) noexcept { std::free(block); }

void operator delete(void *block, std::size_t) noexcept { std::free(block); }

void operator delete[](void *block, std::size_t) noexcept { std::free(block); }

extern "C" int __cdecl fprintf(FILE *file, const char *format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    int written = __stdio_common_vfprintf(_CRT_INTERNAL_LOCAL_PRINTF_OPTIONS, file, format, nullptr,
                                          arguments);
    va_end(arguments);
    return written;
}
