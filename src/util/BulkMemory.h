#pragma once

// Memory for the large buffers a file is read into: left unfilled, since the read writes
// every element, and, for blocks of a megabyte and more, taken straight from the system with
// its pages made in one call rather than one fault at a time as the read first touches them.
// A text's units may also lie in a block made elsewhere (a file's own pages, FileMapping.h).

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

// The UTF-16 units of a loaded text, with the vector operations their readers use: memory of
// its own (TBulkAllocator), or a block made elsewhere that it gives back through the block's
// own release. A copy always has memory of its own.
class TUnitBuffer
{
public:
    using value_type = char16_t;
    using size_type = std::size_t;
    using iterator = char16_t*;
    using const_iterator = const char16_t*;

    // Units made elsewhere, released by Release(Context) when the buffer lets them go.
    struct TForeignBlock
    {
        char16_t* Units = nullptr;
        std::size_t Count = 0;
        void (*Release)(void* context) noexcept = nullptr;
        void* Context = nullptr;
    };

    TUnitBuffer() noexcept = default;
    explicit TUnitBuffer(const TForeignBlock& block) noexcept : Units(block.Units), Count(block.Count), Foreign(block)
    {
    }
    TUnitBuffer(const TUnitBuffer& other);
    TUnitBuffer(TUnitBuffer&& other) noexcept { swap(other); }
    TUnitBuffer& operator=(TUnitBuffer other) noexcept
    {
        swap(other);
        return *this;
    }
    ~TUnitBuffer() { clear(); }

    void swap(TUnitBuffer& other) noexcept;
    void clear() noexcept;
    // count units of its own memory: the first ones as they were, those beyond left unfilled.
    void resize(std::size_t count);

    char16_t* data() noexcept { return Units; }
    const char16_t* data() const noexcept { return Units; }
    std::size_t size() const noexcept { return Count; }
    bool empty() const noexcept { return Count == 0; }
    char16_t& operator[](std::size_t i) noexcept { return Units[i]; }
    const char16_t& operator[](std::size_t i) const noexcept { return Units[i]; }
    char16_t* begin() noexcept { return Units; }
    char16_t* end() noexcept { return Units + Count; }
    const char16_t* begin() const noexcept { return Units; }
    const char16_t* end() const noexcept { return Units + Count; }

private:
    char16_t* Units = nullptr;
    std::size_t Count = 0;
    TForeignBlock Foreign; // Release is null for memory of its own
};
