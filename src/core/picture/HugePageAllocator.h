#pragma once

#include <cstddef>
#include <cstdint>
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

// A zero-filled block taken straight from the kernel: its pages are zeroed as they are
// first touched (no separate clearing pass) and never mapped if never touched. Blocks of
// 4 MiB and more are aligned to 2 MiB and marked for transparent huge pages.
class ZeroedPages {
public:
    ZeroedPages() = default;
    explicit ZeroedPages(std::size_t bytes)
        : size_(bytes) {
        if (bytes == 0)
            return;
#if defined(__linux__)
        constexpr std::size_t kPage = 4096;
        constexpr std::size_t kHugePage = std::size_t{2} << 20;
        const bool huge = bytes >= (std::size_t{4} << 20);
        const std::size_t alignment = huge ? kHugePage : kPage;
        if (bytes > static_cast<std::size_t>(-1) / 2)
            throw std::bad_alloc();
        mapped_ = (bytes + alignment - 1) & ~(alignment - 1);
        // Map one alignment more, then give back the unaligned head and the tail.
        const std::size_t extra = huge ? kHugePage : 0;
        void* map = mmap(nullptr, mapped_ + extra, PROT_READ | PROT_WRITE,
                         MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (map == MAP_FAILED)
            throw std::bad_alloc();
        auto* raw = static_cast<std::byte*>(map);
        const auto address = reinterpret_cast<std::uintptr_t>(raw);
        const std::size_t head = (alignment - address % alignment) % alignment;
        if (extra != 0) {
            if (head != 0)
                munmap(raw, head);
            if (extra - head != 0)
                munmap(raw + head + mapped_, extra - head);
        }
        data_ = raw + head;
#if defined(MADV_HUGEPAGE)
        if (huge)
            madvise(data_, mapped_, MADV_HUGEPAGE); // only advice: failure changes nothing
#endif
#else
        data_ = static_cast<std::byte*>(std::calloc(bytes, 1));
        if (data_ == nullptr)
            throw std::bad_alloc();
#endif
    }
    ZeroedPages(ZeroedPages&& other) noexcept
        : data_(std::exchange(other.data_, nullptr))
        , size_(std::exchange(other.size_, 0))
        , mapped_(std::exchange(other.mapped_, 0)) {}
    ZeroedPages& operator=(ZeroedPages&& other) noexcept {
        if (this != &other) {
            Release();
            data_ = std::exchange(other.data_, nullptr);
            size_ = std::exchange(other.size_, 0);
            mapped_ = std::exchange(other.mapped_, 0);
        }
        return *this;
    }
    ZeroedPages(const ZeroedPages&) = delete;
    ZeroedPages& operator=(const ZeroedPages&) = delete;
    ~ZeroedPages() {
        Release();
    }

    std::byte* Data() const {
        return data_;
    }
    std::size_t Size() const {
        return size_;
    }

private:
    void Release() noexcept {
        if (data_ == nullptr)
            return;
#if defined(__linux__)
        munmap(data_, mapped_);
#else
        std::free(data_);
#endif
        data_ = nullptr;
        size_ = mapped_ = 0;
    }

    std::byte* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t mapped_ = 0;
};

} // namespace tessivar
