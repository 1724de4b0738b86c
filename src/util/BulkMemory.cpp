#include "util/BulkMemory.h"

#include <algorithm>
#include <new>

// Under AddressSanitizer the blocks come from the ordinary heap, where it guards their ends.
#if defined(__SANITIZE_ADDRESS__)
#define VESKO3_ORDINARY_HEAP 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VESKO3_ORDINARY_HEAP 1
#endif
#endif

#if defined(__linux__) && !defined(VESKO3_ORDINARY_HEAP)
#define VESKO3_SYSTEM_BLOCKS 1
#include <sys/mman.h>
#endif

void* AllocateBulk(std::size_t bytes)
{
#ifdef VESKO3_SYSTEM_BLOCKS
    // In a virtual machine a page fault costs several times the copy of its page; made in
    // one call, the pages cost a third less.
    void* block = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
    if (block == MAP_FAILED) throw std::bad_alloc();
    return block;
#else
    return ::operator new(bytes);
#endif
}

void FreeBulk(void* block, std::size_t bytes) noexcept
{
#ifdef VESKO3_SYSTEM_BLOCKS
    ::munmap(block, bytes);
#else
    (void)bytes;
    ::operator delete(block);
#endif
}

TUnitBuffer::TUnitBuffer(const TUnitBuffer& other)
{
    resize(other.Count);
    std::copy(other.begin(), other.end(), Units);
}

void TUnitBuffer::swap(TUnitBuffer& other) noexcept
{
    std::swap(Units, other.Units);
    std::swap(Count, other.Count);
    std::swap(Foreign, other.Foreign);
}

void TUnitBuffer::clear() noexcept
{
    if (Foreign.Release)
        Foreign.Release(Foreign.Context);
    else if (Units)
        TBulkAllocator<char16_t>().deallocate(Units, Count);
    Units = nullptr;
    Count = 0;
    Foreign = {};
}

void TUnitBuffer::resize(std::size_t count)
{
    if (count == Count && !Foreign.Release) return;
    TUnitBuffer resized;
    if (count > 0) resized.Units = TBulkAllocator<char16_t>().allocate(count);
    resized.Count = count;
    std::copy_n(Units, std::min(count, Count), resized.Units);
    swap(resized);
}
