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
// target, created exclusively under a name of its own (".NAME.tmp-" and eight random
// characters) and locked while it is open, then flushed to disk and moved over the target;
// the folder's entry is flushed after the move. Two processes replacing one file at once
// each move a whole file of their own, so the last move wins and nothing is mixed. Several
// replacements may be staged before any is committed, so that a set of files changes only
// when every one of them could be written. A target that is a symbolic link has its final
// target replaced, and the permissions of an existing target are kept. A staged file that is
// never committed is removed; one a killed process left behind is no longer locked, and the
// next replacement of the same file removes it. QSaveFile gives neither the stage-then-commit
// of a set nor the removal of what a killed save left, hence this class.
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
    // Empty until Stage made the staging file.
    const std::filesystem::path& StagingPath() const { return Staging; }

    // Writes bytes to a new staging file and flushes it to disk. False when no staging file
    // could be made, or when the write or its flush failed (the staging file is then removed).
    [[nodiscard]] bool Stage(std::string_view bytes);
    [[nodiscard]] bool Stage(std::span<const std::uint8_t> bytes);

    // Moves the staged file over the target; false (the staging file removed) when that
    // fails, as it does for a folder in the target's place.
    [[nodiscard]] bool Commit();

    // Removes the staged file, if any; the target stays as it was.
    void Discard();

private:
    std::filesystem::path Target, Staging;
    int Descriptor = -1; // the staging file, open and locked from Stage until Commit or Discard
};

// Stages bytes for path and commits them: true when path now holds exactly bytes; on false
// path is as it was.
[[nodiscard]] bool ReplaceFile(const std::filesystem::path& path, std::string_view bytes);

// Whether an entry of a folder being replaced is part of what is replaced (true) or belongs
// to someone else and is carried over into the new folder (false).
using TReplacedEntry = bool (*)(const std::filesystem::path& name);

// A folder replaced whole: its new contents are written into a staging folder beside it
// (".NAME.new-" and eight random characters, locked while this object lives), which then
// takes the target's place in one step where the file system can exchange two names
// (Linux), so that a process killed at any moment leaves the old folder or the new one. Where
// it cannot, the old folder is first moved aside to ".NAME.old"; a process killed between the
// two moves leaves no target, and RestoreInterruptedFolder puts the old folder back. What a
// killed replacement left beside the target is removed by the next one.
class TFolderReplacement
{
public:
    explicit TFolderReplacement(const std::filesystem::path& target);
    ~TFolderReplacement();
    TFolderReplacement(const TFolderReplacement&) = delete;
    TFolderReplacement& operator=(const TFolderReplacement&) = delete;

    const std::filesystem::path& TargetPath() const { return Target; }
    // Empty until Begin made the staging folder.
    const std::filesystem::path& StagingPath() const { return Staging; }

    // Makes the target's parent when missing, clears what killed replacements left beside the
    // target and makes the empty staging folder. False when any of that failed.
    [[nodiscard]] bool Begin();

    // Puts the staging folder in the target's place. The old folder's regular files and links
    // for which replaced says false are carried over first (as further names of the same
    // files); an old folder holding a folder or anything else that is not replaced cannot be
    // replaced whole, and Commit then fails. On false the target is as it was and the staging
    // folder is removed. exchange false takes the two-move way even where one would do.
    [[nodiscard]] bool Commit(TReplacedEntry replaced, bool exchange = true);

    // Removes the staging folder, if any; the target stays as it was.
    void Discard();

private:
    std::filesystem::path Target, Staging;
    int Descriptor = -1; // the staging folder, open and locked from Begin until the end
};

// Where a folder replaced the two-move way has no target but the moved-aside old folder,
// moves it back; a no-op otherwise. Called before a data folder is read or replaced.
void RestoreInterruptedFolder(const std::filesystem::path& target);
