#pragma once

// Whole files in and out: the one way the program reads a file into memory, and the one way
// it replaces a file so that a failure midway never leaves it half-written.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

enum class TFileRead
{
    Ok,
    Missing,    // nothing at the path
    Unreadable, // a folder or anything else that is no regular file, or the open or the read failed
};

// Reads the whole regular file at path into bytes. The size is asked of the file system
// before anything is allocated, so a folder or a device in a file's place is refused rather
// than read from its end position.
[[nodiscard]] TFileRead ReadWholeFile(const std::filesystem::path& path, std::string& bytes);
[[nodiscard]] TFileRead ReadWholeFile(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes);

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
