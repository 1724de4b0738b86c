#include "util/FileMapping.h"

#include <bit>
#include <mutex>
#include <utility>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define VESKO3_NO_MAPPING 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VESKO3_NO_MAPPING 1
#endif
#endif

#if defined(__linux__) && !defined(VESKO3_NO_MAPPING)
#define VESKO3_TEXT_MAPPING 1
#include <atomic>
#include <csignal>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#ifdef VESKO3_TEXT_MAPPING

namespace {

// A mapped file. The bus-error handler reads only Begin, End and CutShort, which are set
// before the pages are mapped and cleared after they are let go.
struct TMappedFile
{
    std::atomic<std::uintptr_t> Begin{0}; // the file's pages: [Begin, End)
    std::atomic<std::uintptr_t> End{0};
    std::atomic<bool> CutShort{false};
    void* Block = nullptr; // the whole block, the units after the pages included
    std::size_t BlockBytes = 0;
    int Descriptor = -1;   // a descriptor of its own, for the size and times
    struct stat Seen = {}; // as it was when mapped
    std::filesystem::path Path;
};

constexpr std::size_t MappedFileSlots = 16;
TMappedFile MappedFiles[MappedFileSlots];
std::mutex MappedFilesLock; // every change of the slots but the handler's
std::vector<std::filesystem::path> ChangedFiles;
struct sigaction EarlierBusHandler = {};
bool BusHandlerInstalled = false;

void OnBusError(int signal, siginfo_t* info, void* context)
{
    const auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
    for (TMappedFile& file : MappedFiles) {
        const std::uintptr_t begin = file.Begin.load(std::memory_order_acquire);
        const std::uintptr_t end = file.End.load(std::memory_order_acquire);
        if (begin == 0 || address < begin || address >= end) continue;
        // Zeros in place of the lost pages: the look that failed is made again and goes on.
        void* zeros = ::mmap(reinterpret_cast<void*>(begin), end - begin, PROT_READ | PROT_WRITE,
                             MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0);
        if (zeros == MAP_FAILED) break;
        file.CutShort.store(true, std::memory_order_release);
        return;
    }
    // Not a mapped text's: what would have happened without this handler.
    if (EarlierBusHandler.sa_flags & SA_SIGINFO) {
        if (EarlierBusHandler.sa_sigaction) {
            EarlierBusHandler.sa_sigaction(signal, info, context);
            return;
        }
    } else if (EarlierBusHandler.sa_handler != SIG_DFL && EarlierBusHandler.sa_handler != SIG_IGN) {
        EarlierBusHandler.sa_handler(signal);
        return;
    }
    ::signal(signal, SIG_DFL);
}

bool InstallBusHandler()
{
    if (BusHandlerInstalled) return true;
    struct sigaction action = {};
    action.sa_sigaction = OnBusError;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    if (::sigaction(SIGBUS, &action, &EarlierBusHandler) != 0) return false;
    BusHandlerInstalled = true;
    return true;
}

bool SameFile(const struct stat& a, const struct stat& b)
{
    return a.st_size == b.st_size && a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec &&
           a.st_ctim.tv_sec == b.st_ctim.tv_sec && a.st_ctim.tv_nsec == b.st_ctim.tv_nsec;
}

// Called with the lock held.
bool HasChanged(const TMappedFile& file)
{
    struct stat now = {};
    return file.CutShort.load(std::memory_order_acquire) || ::fstat(file.Descriptor, &now) != 0 ||
           !SameFile(now, file.Seen);
}

void ReleaseMappedFile(void* context) noexcept
{
    auto& file = *static_cast<TMappedFile*>(context);
    const std::lock_guard lock(MappedFilesLock);
    try {
        if (HasChanged(file)) ChangedFiles.push_back(file.Path);
    } catch (...) {
        // Without room to remember the path the change is lost; the units are given back.
    }
    ::munmap(file.Block, file.BlockBytes);
    file.Begin.store(0, std::memory_order_release);
    file.End.store(0, std::memory_order_release);
    file.CutShort.store(false, std::memory_order_release);
    ::close(std::exchange(file.Descriptor, -1));
    file.Block = nullptr;
    file.Path.clear();
}

std::uint64_t PageBytes()
{
    static const auto bytes = static_cast<std::uint64_t>(::sysconf(_SC_PAGESIZE));
    return bytes;
}

} // namespace

bool TextMappingAvailable()
{
    return std::endian::native == std::endian::little;
}

namespace {

TMapResult MapBlock(TFileReader& reader, const std::filesystem::path& path, std::uint64_t offset, std::size_t count,
                    std::size_t spare, TUnitBuffer::TForeignBlock& made)
{
    // Below a megabyte a read costs about what the mapping would.
    if (!TextMappingAvailable() || offset % 2 != 0 || count * 2 < BulkBlockBytes || reader.NativeDescriptor() < 0)
        return TMapResult::NotMapped;
    const std::uint64_t page = PageBytes();
    const std::uint64_t first = offset / page * page;                  // the first page's offset in the file
    const std::uint64_t pagesEnd = (offset + count * 2) / page * page; // after the last whole page
    const std::size_t lead = offset - first;
    const std::size_t blockBytes = lead + (count + spare) * 2;

    const std::lock_guard lock(MappedFilesLock);
    TMappedFile* slot = nullptr;
    for (TMappedFile& file : MappedFiles)
        if (!file.Block) {
            slot = &file;
            break;
        }
    if (!slot || !InstallBusHandler()) return TMapResult::NotMapped;
    const int descriptor = ::dup(reader.NativeDescriptor());
    if (descriptor < 0) return TMapResult::NotMapped;
    struct stat seen = {};
    // Room for the whole block first, its pages made only where the file's are not mapped.
    void* block = ::fstat(descriptor, &seen) == 0
                      ? ::mmap(nullptr, blockBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0)
                      : MAP_FAILED;
    if (block == MAP_FAILED) {
        ::close(descriptor);
        return TMapResult::NotMapped;
    }
    auto* bytes = static_cast<std::uint8_t*>(block);
    slot->Begin.store(reinterpret_cast<std::uintptr_t>(bytes), std::memory_order_release);
    slot->End.store(reinterpret_cast<std::uintptr_t>(bytes + (pagesEnd - first)), std::memory_order_release);
    slot->Block = block;
    slot->BlockBytes = blockBytes;
    slot->Descriptor = descriptor;
    slot->Seen = seen;

    // A file already shorter than the region counts as one cut short while it was read.
    const std::size_t tailBytes = offset + count * 2 - pagesEnd;
    const bool mapped = static_cast<std::uint64_t>(seen.st_size) >= offset + count * 2 &&
                        ::mmap(bytes, pagesEnd - first, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_FIXED, descriptor,
                               static_cast<off_t>(first)) != MAP_FAILED &&
                        (tailBytes == 0 || reader.ReadAt(pagesEnd, bytes + (pagesEnd - first), tailBytes));
    if (!mapped) {
        slot->Begin.store(0, std::memory_order_release);
        slot->End.store(0, std::memory_order_release);
        ::munmap(block, blockBytes);
        ::close(std::exchange(slot->Descriptor, -1));
        slot->Block = nullptr;
        return TMapResult::ReadFailed;
    }
    slot->Path = path;
    made = {reinterpret_cast<char16_t*>(bytes + lead), count + spare, &ReleaseMappedFile, slot};
    return TMapResult::Mapped;
}

} // namespace

TMapResult MapUnitsAt(TFileReader& reader, const std::filesystem::path& path, std::uint64_t offset, std::size_t count,
                      std::size_t spare, TUnitBuffer& out)
{
    TUnitBuffer::TForeignBlock made;
    const TMapResult result = MapBlock(reader, path, offset, count, spare, made);
    // What out held is let go outside the lock, which its release may take.
    if (result == TMapResult::Mapped) out = TUnitBuffer(made);
    return result;
}

std::optional<std::filesystem::path> TakeChangedMappedFile()
{
    const std::lock_guard lock(MappedFilesLock);
    std::optional<std::filesystem::path> changed;
    if (!ChangedFiles.empty()) {
        changed = ChangedFiles.front();
        ChangedFiles.erase(ChangedFiles.begin());
        return changed;
    }
    for (TMappedFile& file : MappedFiles) {
        struct stat now = {};
        if (!file.Block || !HasChanged(file)) continue;
        // From here on its state as it is now counts as the one mapped.
        file.CutShort.store(false, std::memory_order_release);
        if (::fstat(file.Descriptor, &now) == 0) file.Seen = now;
        return file.Path;
    }
    return std::nullopt;
}

#else

bool TextMappingAvailable()
{
    return false;
}

TMapResult MapUnitsAt(TFileReader&, const std::filesystem::path&, std::uint64_t, std::size_t, std::size_t, TUnitBuffer&)
{
    return TMapResult::NotMapped;
}

std::optional<std::filesystem::path> TakeChangedMappedFile()
{
    return std::nullopt;
}

#endif
