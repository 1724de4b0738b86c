#pragma once

// Whole files in and out: the one way the program reads a file into memory, and the one way
// it replaces a file so that a failure midway never leaves it half-written.

#include <cstdint>
#include <filesystem>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <vector>

enum class TFileRead
{
    Ok,
    Missing,    // nothing at the path
    Unreadable, // a folder or anything else that is no regular file, or the open or the read failed
    TooLarge,   // a regular file larger than the caller takes; nothing was allocated for it
};

inline constexpr std::uint64_t AnyFileSize = std::numeric_limits<std::uint64_t>::max();

// Reads the whole regular file at path into bytes. The type and the size are asked of the
// file system before the file is opened and anything allocated, so a folder, a pipe or a
// device in a file's place is refused rather than waited on or read from its end position,
// and a file of more than maxBytes (a sparse one may claim any size) is refused unread.
[[nodiscard]] TFileRead ReadWholeFile(const std::filesystem::path& path, std::string& bytes,
                                      std::uint64_t maxBytes = AnyFileSize);
[[nodiscard]] TFileRead ReadWholeFile(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes,
                                      std::uint64_t maxBytes = AnyFileSize);

// A regular file opened once for reading regions of it straight into their destination,
// so that a loader reads each byte once and allocates nothing but its records. The type is
// asked of the opened file, so a pipe, a device or a folder swapped in after a check cannot
// be read from, and opening never waits for a pipe's writer.
class TFileReader
{
public:
    TFileReader() = default;
    ~TFileReader();
    TFileReader(const TFileReader&) = delete;
    TFileReader& operator=(const TFileReader&) = delete;
    TFileReader(TFileReader&& other) noexcept;
    TFileReader& operator=(TFileReader&& other) noexcept;

    // Ok, Missing, or Unreadable for anything that is not a regular file or cannot be opened.
    [[nodiscard]] TFileRead Open(const std::filesystem::path& path);

    // The size the file had when it was opened.
    std::uint64_t Size() const { return FileSize; }

    // Reads count bytes at offset into out; false when the read fails or the file ends
    // before them (it may have been cut short since it was opened).
    [[nodiscard]] bool ReadAt(std::uint64_t offset, void* out, std::size_t count);

#ifndef _WIN32
    // The open file's descriptor, for mapping its pages (FileMapping.h); -1 when none is open.
    int NativeDescriptor() const
    {
        return Descriptor;
    }
#endif

private:
    void Close();

#ifdef _WIN32
    struct TStream;
    TStream* Stream = nullptr;
#else
    int Descriptor = -1;
#endif
    std::uint64_t FileSize = 0;
};

// Whether the program may replace what is at path: nothing, or a regular file whose owner may
// write it. A read-only file is the user's way of pinning it, and a pipe, a device or a folder
// in a file's place is not the program's to replace.
[[nodiscard]] bool MayReplaceFile(const std::filesystem::path& path);

// Creates or truncates the file at path and writes bytes into it; true when every byte and
// the final flush reached the file. A failure can leave the file cut short: use
// TFileReplacement where the old contents must survive.
[[nodiscard]] bool WriteWholeFile(const std::filesystem::path& path, std::string_view bytes);
[[nodiscard]] bool WriteWholeFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

// A file replaced whole or not at all. The new contents go to a staging file beside the
// target, named after it with ".tmp" added, which is moved over the target only once it is
// complete and flushed. Several replacements may be staged before any is committed, so that
// a set of files changes only when every one of them could be written. A target that is a
// symbolic link has its final target replaced, and the permissions of an existing target are
// kept. A staged file that is never committed is removed.
class TFileReplacement
{
public:
    explicit TFileReplacement(const std::filesystem::path& target);
    ~TFileReplacement();
    TFileReplacement(const TFileReplacement&) = delete;
    TFileReplacement& operator=(const TFileReplacement&) = delete;
    TFileReplacement(TFileReplacement&& other) noexcept;
    TFileReplacement& operator=(TFileReplacement&&) = delete;

    const std::filesystem::path& TargetPath() const { return Target; }
    const std::filesystem::path& StagingPath() const { return Staging; }

    // Writes bytes to the staging file. False when the staging name is held by something
    // that is not a file (which is left alone), or when the write or its flush failed (the
    // staging file is then removed).
    [[nodiscard]] bool Stage(std::string_view bytes);
    [[nodiscard]] bool Stage(std::span<const std::uint8_t> bytes);

    // Moves the staged file over the target; false (the staging file removed) when that
    // fails, as it does for a folder in the target's place.
    [[nodiscard]] bool Commit();

    // Removes the staged file, if any; the target stays as it was.
    void Discard();

private:
    std::filesystem::path Target, Staging;
    bool Staged = false;
};

// Stages bytes for path and commits them: true when path now holds exactly bytes; on false
// path is as it was.
[[nodiscard]] bool ReplaceFile(const std::filesystem::path& path, std::string_view bytes);
