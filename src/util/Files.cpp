#include "util/Files.h"

#include <algorithm>
#include <fstream>
#include <limits>
#include <memory>
#include <system_error>
#include <utility>

#ifndef _WIN32
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// The size of the regular file at path, asked before it is opened: opening a pipe waits for
// a writer, and a folder's end position is no size.
TFileRead RegularFileSize(const std::filesystem::path& path, std::uint64_t& size)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (!std::filesystem::exists(status)) return TFileRead::Missing;
    if (!std::filesystem::is_regular_file(status)) return TFileRead::Unreadable;
    size = std::filesystem::file_size(path, error);
    return error ? TFileRead::Unreadable : TFileRead::Ok;
}

// Opened as the loaders open their files, so that a pipe or a device put in place after the
// check is never read from.
template <typename TBytes> TFileRead ReadWhole(const std::filesystem::path& path, TBytes& bytes, std::uint64_t maxBytes)
{
    bytes.clear();
    TFileReader reader;
    if (const TFileRead opened = reader.Open(path); opened != TFileRead::Ok) return opened;
    const std::uint64_t size = reader.Size();
    if (size > maxBytes || size > bytes.max_size()) return TFileRead::TooLarge;
    bytes.resize(static_cast<std::size_t>(size));
    if (size > 0 && !reader.ReadAt(0, bytes.data(), bytes.size())) {
        bytes.clear();
        return TFileRead::Unreadable;
    }
    return TFileRead::Ok;
}

bool WriteBytes(const std::filesystem::path& path, const char* data, std::size_t size)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(data, static_cast<std::streamsize>(size));
    // A full disk may surface only when the buffer goes out, at the flush or the close.
    out.flush();
    out.close();
    return !out.fail();
}

std::string_view AsChars(std::span<const std::uint8_t> bytes)
{
    return std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

} // namespace

TFileRead ReadWholeFile(const std::filesystem::path& path, std::string& bytes, std::uint64_t maxBytes)
{
    return ReadWhole(path, bytes, maxBytes);
}

TFileRead ReadWholeFile(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes, std::uint64_t maxBytes)
{
    return ReadWhole(path, bytes, maxBytes);
}

#ifdef _WIN32
struct TFileReader::TStream
{
    std::ifstream In;
};
#endif

TFileReader::~TFileReader()
{
    Close();
}

TFileReader::TFileReader(TFileReader&& other) noexcept
{
    *this = std::move(other);
}

TFileReader& TFileReader::operator=(TFileReader&& other) noexcept
{
    if (this == &other) return *this;
    Close();
#ifdef _WIN32
    Stream = std::exchange(other.Stream, nullptr);
#else
    Descriptor = std::exchange(other.Descriptor, -1);
#endif
    FileSize = std::exchange(other.FileSize, 0);
    return *this;
}

void TFileReader::Close()
{
#ifdef _WIN32
    delete std::exchange(Stream, nullptr);
#else
    if (Descriptor >= 0) ::close(std::exchange(Descriptor, -1));
#endif
    FileSize = 0;
}

TFileRead TFileReader::Open(const std::filesystem::path& path)
{
    Close();
    // Asked before opening too: opening a device may itself do something.
    std::uint64_t size = 0;
    if (const TFileRead kind = RegularFileSize(path, size); kind != TFileRead::Ok) return kind;
#ifdef _WIN32
    auto stream = std::make_unique<TStream>();
    stream->In.open(path, std::ios::binary);
    if (!stream->In) return TFileRead::Unreadable;
    Stream = stream.release();
    FileSize = size;
#else
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (descriptor < 0) return errno == ENOENT || errno == ENOTDIR ? TFileRead::Missing : TFileRead::Unreadable;
    Descriptor = descriptor;
    struct stat status
    {
    };
    if (::fstat(Descriptor, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size < 0) {
        Close();
        return TFileRead::Unreadable;
    }
    FileSize = static_cast<std::uint64_t>(status.st_size);
#endif
    return TFileRead::Ok;
}

bool TFileReader::ReadAt(std::uint64_t offset, void* out, std::size_t count)
{
    auto* to = static_cast<char*>(out);
#ifdef _WIN32
    if (!Stream || offset > std::uint64_t(std::numeric_limits<std::streamoff>::max())) return false;
    Stream->In.clear();
    if (!Stream->In.seekg(static_cast<std::streamoff>(offset))) return false;
    while (count > 0) {
        const std::size_t part = std::min<std::size_t>(count, std::size_t(1) << 30);
        if (!Stream->In.read(to, static_cast<std::streamsize>(part))) return false;
        to += part;
        count -= part;
    }
    return true;
#else
    if (Descriptor < 0) return false;
    while (count > 0) {
        if (offset > std::uint64_t(std::numeric_limits<off_t>::max())) return false;
        const ssize_t got =
            ::pread(Descriptor, to, std::min<std::size_t>(count, std::size_t(1) << 30), static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR) continue;
        // Nothing more where the file promised bytes: it was cut short underneath.
        if (got <= 0) return false;
        to += got;
        offset += static_cast<std::uint64_t>(got);
        count -= static_cast<std::size_t>(got);
    }
    return true;
#endif
}

bool MayReplaceFile(const std::filesystem::path& path)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (!std::filesystem::exists(status)) return status.type() == std::filesystem::file_type::not_found;
    return std::filesystem::is_regular_file(status) &&
           (status.permissions() & std::filesystem::perms::owner_write) != std::filesystem::perms::none;
}

bool WriteWholeFile(const std::filesystem::path& path, std::string_view bytes)
{
    return WriteBytes(path, bytes.data(), bytes.size());
}

bool WriteWholeFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes)
{
    return WriteWholeFile(path, AsChars(bytes));
}
