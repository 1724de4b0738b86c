#include "util/Files.h"

#include <fstream>
#include <system_error>

namespace {

template <typename TBytes> TFileRead ReadInto(const std::filesystem::path& path, TBytes& bytes)
{
    bytes.clear();
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (!std::filesystem::exists(status)) return TFileRead::Missing;
    // A folder opens too, and its end position is no size to allocate.
    if (!std::filesystem::is_regular_file(status)) return TFileRead::Unreadable;
    std::ifstream in(path, std::ios::binary);
    if (!in) return TFileRead::Unreadable;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0) return TFileRead::Unreadable;
    in.seekg(0, std::ios::beg);
    bytes.resize(static_cast<std::size_t>(size));
    if (size > 0 && !in.read(reinterpret_cast<char*>(bytes.data()), size)) return TFileRead::Unreadable;
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

// The file a chain of symbolic links ends at, so that replacing it keeps the links; the path
// itself when it is no link or the chain does not end.
std::filesystem::path FinalTarget(const std::filesystem::path& path)
{
    std::error_code error;
    std::filesystem::path current = path;
    for (int depth = 0; depth < 40; ++depth) {
        if (!std::filesystem::is_symlink(current, error)) return current;
        const std::filesystem::path link = std::filesystem::read_symlink(current, error);
        if (error) return path;
        current = link.is_absolute() ? link : current.parent_path() / link;
    }
    return path;
}

} // namespace

TFileRead ReadWholeFile(const std::filesystem::path& path, std::string& bytes)
{
    return ReadInto(path, bytes);
}

TFileRead ReadWholeFile(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes)
{
    return ReadInto(path, bytes);
}

bool WriteWholeFile(const std::filesystem::path& path, std::string_view bytes)
{
    return WriteBytes(path, bytes.data(), bytes.size());
}

bool WriteWholeFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes)
{
    return WriteWholeFile(path, AsChars(bytes));
}

TFileReplacement::TFileReplacement(const std::filesystem::path& target) : Target(FinalTarget(target))
{
    Staging = Target;
    Staging += ".tmp";
}

TFileReplacement::TFileReplacement(TFileReplacement&& other) noexcept
    : Target(std::move(other.Target)), Staging(std::move(other.Staging)), Staged(other.Staged)
{
    other.Staged = false;
}

TFileReplacement::~TFileReplacement()
{
    Discard();
}

bool TFileReplacement::Stage(std::string_view bytes)
{
    Discard();
    std::error_code error;
    // A staging name held by something that is not a file is not ours to remove.
    if (std::filesystem::exists(Staging, error) && !std::filesystem::is_regular_file(Staging, error)) return false;
    Staged = true;
    if (!WriteBytes(Staging, bytes.data(), bytes.size())) {
        Discard();
        return false;
    }
    const std::filesystem::perms kept = std::filesystem::status(Target, error).permissions();
    if (!error && kept != std::filesystem::perms::unknown) std::filesystem::permissions(Staging, kept, error);
    return true;
}

bool TFileReplacement::Stage(std::span<const std::uint8_t> bytes)
{
    return Stage(AsChars(bytes));
}

bool TFileReplacement::Commit()
{
    if (!Staged) return false;
    std::error_code error;
    std::filesystem::rename(Staging, Target, error);
    if (error) {
        Discard();
        return false;
    }
    Staged = false;
    return true;
}

void TFileReplacement::Discard()
{
    if (!Staged) return;
    Staged = false;
    std::error_code error;
    std::filesystem::remove(Staging, error);
}

bool ReplaceFile(const std::filesystem::path& path, std::string_view bytes)
{
    TFileReplacement replacement(path);
    return replacement.Stage(bytes) && replacement.Commit();
}
