#pragma once

#include <cstddef>
#include <cstdlib>
#include <memory>
#include <new>

#include <sys/mman.h>

namespace tavix::core {

// Allocator for the big row blocks: a request of at least a block's size gets
// every page mapped by one call to the kernel, which costs what faulting them in
// as huge pages cost but without a page fault per 4 KiB. Huge pages are not asked
// for: with the page cache filling memory the kernel compacts memory in the fault
// to find each one, and a fill ran two to three times slower in that state.
// Smaller requests go to the ordinary allocator.
template <typename T> class BlockAllocator {
public:
    using value_type = T;
    static constexpr size_t kMinBlock { size_t { 2 } << 20 };
    static constexpr size_t kPage { 4096 };
#ifdef MADV_POPULATE_WRITE
    static constexpr int kPopulateWrite { MADV_POPULATE_WRITE };
#else
    static constexpr int kPopulateWrite { 23 };  // Linux 5.14
#endif

    BlockAllocator() = default;
    template <typename U> BlockAllocator(const BlockAllocator<U>&) noexcept { }

    T* allocate(size_t n)
    {
        const size_t bytes = n * sizeof(T);
        if (bytes < kMinBlock)
            return std::allocator<T> {}.allocate(n);
        const size_t rounded = (bytes + kPage - 1) & ~(kPage - 1);
        void* p = std::aligned_alloc(kPage, rounded);
        if (p == nullptr)
            throw std::bad_alloc();
        // Only advice: where the kernel lacks it, the pages are faulted in as they are touched.
        madvise(p, rounded, kPopulateWrite);
        return static_cast<T*>(p);
    }

    void deallocate(T* p, size_t n) noexcept
    {
        if (n * sizeof(T) < kMinBlock)
            std::allocator<T> {}.deallocate(p, n);
        else
            std::free(p);
    }

    template <typename U> bool operator==(const BlockAllocator<U>&) const noexcept { return true; }
};

}  // namespace tavix::core
