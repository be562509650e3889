#include "FailingAllocation.h"

#include <cstdlib>
#include <new>

namespace {

// Counted on this thread only: Qt's helper threads allocate when they please.
thread_local bool t_bArmed = false;
thread_local bool t_bFailed = false;
thread_local std::size_t t_nLeft = 0;

void* Allocate(std::size_t size) {
    if (t_bArmed) {
        if (t_nLeft == 0) {
            t_bArmed = false;
            t_bFailed = true;
            throw std::bad_alloc();
        }
        --t_nLeft;
    }
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
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

void* operator new(std::size_t size) {
    return Allocate(size);
}

void* operator new[](std::size_t size) {
    return Allocate(size);
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
