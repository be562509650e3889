#pragma once

#include <cstddef>

// Makes an allocation fail on purpose, so that tests can walk an operation through
// every allocation it makes and check that running out of memory at any of them
// leaves everything as it was. A test program that links this gets a global
// operator new that throws std::bad_alloc when told to.
namespace FailingAllocation {

// The allocation `count` allocations from now (0: the next) fails, once.
void FailAfter(std::size_t count);
// No allocation fails.
void Disarm();
// Whether the allocation that was armed has failed.
bool HasFailed();

} // namespace FailingAllocation

// Runs `operation` once with each of its allocations failing in turn, calling
// `check(false)` after each failure, and then once with none failing, calling
// `check(true)`. `operation` returns whether it succeeded. The number of runs that
// failed is returned.
template <class Operation, class Check>
int ForEachFailingAllocation(Operation operation, Check check) {
    for (std::size_t n = 0;; ++n) {
        FailingAllocation::FailAfter(n);
        bool succeeded = operation();
        bool failed = FailingAllocation::HasFailed();
        FailingAllocation::Disarm();
        if (!failed) {
            check(succeeded);
            return static_cast<int>(n);
        }
        check(false);
    }
}
