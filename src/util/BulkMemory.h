#pragma once

// Memory for the large buffers a file is read into: left unfilled, since the read writes
// every element, and, for blocks of a megabyte and more, taken straight from the system with
// its pages made in one call rather than one fault at a time as the read first touches them.

#include <cstddef>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>

inline constexpr std::size_t BulkBlockBytes = std::size_t(1) << 20;

// A block of at least BulkBlockBytes; throws std::bad_alloc when there is no room.
void* AllocateBulk(std::size_t bytes);
// Gives back a block of AllocateBulk, with the size it was asked for.
void FreeBulk(void* block, std::size_t bytes) noexcept;

// An allocator whose resize() leaves new elements uninitialised.
template <typename T> struct TBulkAllocator
{
    using value_type = T;
    template <typename U> struct rebind
    {
        using other = TBulkAllocator<U>;
    };

    TBulkAllocator() noexcept = default;
    template <typename U> TBulkAllocator(const TBulkAllocator<U>&) noexcept {}

    T* allocate(std::size_t n)
    {
        if (n > std::size_t(-1) / sizeof(T)) throw std::bad_array_new_length();
        if (n * sizeof(T) >= BulkBlockBytes) return static_cast<T*>(AllocateBulk(n * sizeof(T)));
        return std::allocator<T>().allocate(n);
    }
    void deallocate(T* p, std::size_t n) noexcept
    {
        if (n * sizeof(T) >= BulkBlockBytes)
            FreeBulk(p, n * sizeof(T));
        else
            std::allocator<T>().deallocate(p, n);
    }

    template <typename U> void construct(U* p) noexcept(std::is_nothrow_default_constructible_v<U>)
    {
        ::new (static_cast<void*>(p)) U;
    }
    template <typename U, typename... TArgs> void construct(U* p, TArgs&&... args)
    {
        ::new (static_cast<void*>(p)) U(std::forward<TArgs>(args)...);
    }

    template <typename U> bool operator==(const TBulkAllocator<U>&) const noexcept { return true; }
};
