#pragma once

#include <cstddef>
#include <cstdlib>
#include <memory>
#include <new>
#include <vector>

#include <sys/mman.h>

namespace tavix::core {

// Allocator for the big cell blocks: requests of at least 2 MiB are aligned to
// 2 MiB and offered to the kernel for transparent huge pages, which cuts the
// page faults of filling a million-row grid by a factor of several hundred.
// Smaller requests go to the ordinary allocator.
template <typename T> class HugePageAllocator {
public:
    using value_type = T;
    static constexpr size_t kHugePage { size_t { 2 } << 20 };
#ifdef MADV_POPULATE_WRITE
    static constexpr int kPopulateWrite { MADV_POPULATE_WRITE };
#else
    static constexpr int kPopulateWrite { 23 };
#endif

    HugePageAllocator() = default;
    template <typename U> HugePageAllocator(const HugePageAllocator<U>&) noexcept { }

    T* allocate(size_t n)
    {
        const size_t bytes = n * sizeof(T);
        if (bytes < kHugePage)
            return std::allocator<T> {}.allocate(n);
        const size_t rounded = (bytes + kHugePage - 1) & ~(kHugePage - 1);
        void* p = std::aligned_alloc(kHugePage, rounded);
        if (p == nullptr)
            throw std::bad_alloc();
        // Only advice: without huge pages the block works the same.
        madvise(p, rounded, MADV_HUGEPAGE);
        // Taking the pages in one call rather than one fault at a time costs a
        // fraction, most of all in a virtual machine; older kernels refuse it.
        madvise(p, rounded, kPopulateWrite);
        return static_cast<T*>(p);
    }

    void deallocate(T* p, size_t n) noexcept
    {
        if (n * sizeof(T) < kHugePage)
            std::allocator<T> {}.deallocate(p, n);
        else
            std::free(p);
    }

    template <typename U> bool operator==(const HugePageAllocator<U>&) const noexcept { return true; }
};

// The arrays of one operation over every row: fresh memory each time, which the
// kernel hands over far faster as a few huge pages than as a fault per page.
template <typename T> using HugePageVector = std::vector<T, HugePageAllocator<T>>;

}  // namespace tavix::core
