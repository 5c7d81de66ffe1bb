#pragma once

#include <cstddef>
#include <cstdlib>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace tessivar {

// Allocator for the big picture buffers (decoded pixels, data units, coefficients).
// Blocks of 4 MiB and more are aligned to 2 MiB and marked for transparent huge pages,
// so the kernel maps them with a few hundred times fewer page faults; on systems without
// them it is an ordinary allocation. Smaller blocks use std::allocator.
template <class T> class HugePageAllocator {
public:
    using value_type = T;

    HugePageAllocator() = default;
    template <class U> HugePageAllocator(const HugePageAllocator<U>&) noexcept {}

    T* allocate(std::size_t count) {
        if (count > (static_cast<std::size_t>(-1) - kHugePage) / sizeof(T))
            throw std::bad_alloc();
        const std::size_t bytes = count * sizeof(T);
        if (bytes >= kThreshold) {
            const std::size_t rounded = (bytes + kHugePage - 1) & ~(kHugePage - 1);
            void* block = std::aligned_alloc(kHugePage, rounded);
            if (block == nullptr)
                throw std::bad_alloc();
#if defined(__linux__) && defined(MADV_HUGEPAGE)
            madvise(block, rounded, MADV_HUGEPAGE); // only advice: failure changes nothing
#endif
            return static_cast<T*>(block);
        }
        return std::allocator<T>{}.allocate(count);
    }

    void deallocate(T* block, std::size_t count) noexcept {
        if (count * sizeof(T) >= kThreshold)
            std::free(block);
        else
            std::allocator<T>{}.deallocate(block, count);
    }

    template <class U> bool operator==(const HugePageAllocator<U>&) const noexcept {
        return true;
    }

private:
    static constexpr std::size_t kHugePage = std::size_t{2} << 20;
    static constexpr std::size_t kThreshold = std::size_t{4} << 20;
};

// The same blocks, but elements created without a value are left uninitialised: resize()
// does not touch fresh memory, so its pages are mapped only when written (see
// BitmapImage::SetSizeForWriting).
template <class T> class UninitialisedHugePageAllocator : public HugePageAllocator<T> {
public:
    template <class U> struct rebind { using other = UninitialisedHugePageAllocator<U>; };

    UninitialisedHugePageAllocator() = default;
    template <class U>
    UninitialisedHugePageAllocator(const UninitialisedHugePageAllocator<U>&) noexcept {}

    template <class U> void construct(U* element) noexcept {
        ::new (static_cast<void*>(element)) U;
    }
    template <class U, class... Args> void construct(U* element, Args&&... args) {
        ::new (static_cast<void*>(element)) U(std::forward<Args>(args)...);
    }
};

template <class T> using LargeVector = std::vector<T, HugePageAllocator<T>>;

} // namespace tessivar
