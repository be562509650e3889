#include "FailingAllocation.h"

#include <cstddef>
#include <cstdlib>
#include <new>

namespace {

// Counted on this thread only: Qt's helper threads allocate when they please.
thread_local bool t_bArmed = false;
thread_local bool t_bFailed = false;
thread_local std::size_t t_nLeft = 0;

// The memory, or nullptr when the armed allocation has come or memory ran out.
void* AllocateOrNull(std::size_t size, std::size_t alignment) noexcept {
    if (t_bArmed) {
        if (t_nLeft == 0) {
            t_bArmed = false;
            t_bFailed = true;
            return nullptr;
        }
        --t_nLeft;
    }
    size = size == 0 ? 1 : size;
    if (alignment <= alignof(std::max_align_t)) {
        return std::malloc(size);
    }
    // aligned_alloc wants a size that is a multiple of the alignment.
    return std::aligned_alloc(alignment, (size + alignment - 1) / alignment * alignment);
}

void* Allocate(std::size_t size, std::size_t alignment) {
    if (void* memory = AllocateOrNull(size, alignment)) {
        return memory;
    }
    throw std::bad_alloc();
}

} // namespace

namespace FailingAllocation {

void FailAfter(std::size_t count) {
    t_nLeft = count;
    t_bFailed = false;
    t_bArmed = true;
}

void Disarm() {
    t_bArmed = false;
}

bool HasFailed() {
    return t_bFailed;
}

} // namespace FailingAllocation

// Every form of new and delete is replaced, so that memory always goes back to the
// allocator it came from (the sanitizers check that).
void* operator new(std::size_t size) {
    return Allocate(size, 0);
}

void* operator new[](std::size_t size) {
    return Allocate(size, 0);
}

void* operator new(std::size_t size, std::align_val_t alignment) {
    return Allocate(size, static_cast<std::size_t>(alignment));
}

void* operator new[](std::size_t size, std::align_val_t alignment) {
    return Allocate(size, static_cast<std::size_t>(alignment));
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return AllocateOrNull(size, 0);
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return AllocateOrNull(size, 0);
}

void* operator new(std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
    return AllocateOrNull(size, static_cast<std::size_t>(alignment));
}

void* operator new[](std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
    return AllocateOrNull(size, static_cast<std::size_t>(alignment));
}

void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete[](void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::align_val_t) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, std::align_val_t) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t, std::align_val_t) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, std::size_t, std::align_val_t) noexcept {
    std::free(memory);
}
void operator delete(void* memory, const std::nothrow_t&) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, const std::nothrow_t&) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::align_val_t, const std::nothrow_t&) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, std::align_val_t, const std::nothrow_t&) noexcept {
    std::free(memory);
}
