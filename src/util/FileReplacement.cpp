// The replacement of a file or a folder whole, declared in Files.h.

#include "util/Files.h"

#include <array>
#include <chrono>
#include <random>
#include <system_error>
#include <utility>

#ifdef _WIN32
#include <fstream>
#else
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

constexpr std::size_t RandomLength = 8;

std::string RandomName()
{
    static constexpr std::string_view Letters = "0123456789abcdefghijklmnopqrstuvwxyz";
    // Seeded from the system's entropy and the clock, so that processes started at once differ.
    thread_local std::mt19937_64 generator(
        std::random_device{}() ^
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
    std::string name(RandomLength, '0');
    for (char& c : name)
        c = Letters[generator() % Letters.size()];
    return name;
}

// The hidden names a replacement of name stages under: ".NAME" + mark + random characters.
fs::path StagingPrefix(const fs::path& target, std::string_view mark)
{
    fs::path prefix(".");
    prefix += target.filename();
    prefix += std::string(mark);
    return prefix;
}

fs::path FolderOf(const fs::path& path)
{
    return path.has_parent_path() ? path.parent_path() : fs::path(".");
}

// The file a chain of symbolic links ends at, so that replacing it keeps the links; the path
// itself when it is no link or the chain does not end.
fs::path FinalTarget(const fs::path& path)
{
    std::error_code error;
    fs::path current = path;
    for (int depth = 0; depth < 40; ++depth) {
        if (!fs::is_symlink(current, error)) return current;
        const fs::path link = fs::read_symlink(current, error);
        if (error) return path;
        current = link.is_absolute() ? link : current.parent_path() / link;
    }
    return path;
}

#ifndef _WIN32

bool IsStagingName(const std::string& name, const std::string& prefix)
{
    return name.size() == prefix.size() + RandomLength && name.starts_with(prefix);
}

void Close(int& descriptor)
{
    if (descriptor >= 0) ::close(std::exchange(descriptor, -1));
}

// Whether path still names the open file: a cleaner may have removed it between its making
// and its locking.
bool StillNamed(int descriptor, const fs::path& path)
{
    struct stat opened
    {
    }, named{};
    return ::fstat(descriptor, &opened) == 0 && ::lstat(path.c_str(), &named) == 0 && opened.st_dev == named.st_dev &&
           opened.st_ino == named.st_ino;
}

// Locks a staging entry for its writer's lifetime. A file system without locks still lets the
// save go on; its leftovers are then never taken for abandoned.
bool LockAsWriter(int descriptor, const fs::path& path)
{
    while (::flock(descriptor, LOCK_EX) != 0)
        if (errno != EINTR) break;
    return StillNamed(descriptor, path);
}

// Makes a new staging entry (a file, or a folder when folder) under prefix in where, exclusively,
// and returns it open and locked; -1 when none could be made.
int MakeStaging(const fs::path& where, const std::string& prefix, bool folder, fs::path& made)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate = where / (prefix + RandomName());
        int descriptor = -1;
        if (folder) {
            if (::mkdir(candidate.c_str(), 0777) == 0)
                descriptor = ::open(candidate.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOFOLLOW);
        } else {
            descriptor = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        }
        if (descriptor < 0) {
            if (errno == EEXIST || errno == ENOENT) continue; // taken, or removed by a cleaner at once
            return -1;
        }
        if (LockAsWriter(descriptor, candidate)) {
            made = candidate;
            return descriptor;
        }
        ::close(descriptor);
    }
    return -1;
}

// Removes the staging entries under prefix in where that no living writer holds: a process
// that was killed released its lock with its life. The old ".tmp" name of earlier versions is
// taken for one too.
void RemoveAbandoned(const fs::path& where, const std::string& prefix, bool folders, const std::string& legacy = {})
{
    std::error_code error;
    for (fs::directory_iterator entry(where, error), end; !error && entry != end; entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (!IsStagingName(name, prefix) && (legacy.empty() || name != legacy)) continue;
        const int flags = O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | (folders ? O_DIRECTORY : 0);
        int descriptor = ::open(entry->path().c_str(), flags);
        if (descriptor < 0) continue;
        struct stat status
        {
        };
        const bool kind =
            ::fstat(descriptor, &status) == 0 && (folders ? S_ISDIR(status.st_mode) : S_ISREG(status.st_mode));
        if (kind && ::flock(descriptor, LOCK_EX | LOCK_NB) == 0 && StillNamed(descriptor, entry->path())) {
            std::error_code ignored;
            if (folders)
                fs::remove_all(entry->path(), ignored);
            else
                ::unlink(entry->path().c_str());
        }
        ::close(descriptor);
    }
}

bool WriteAll(int descriptor, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t wrote = ::write(descriptor, data, std::min<std::size_t>(size, std::size_t(1) << 30));
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) return false;
        data += wrote;
        size -= static_cast<std::size_t>(wrote);
    }
    return true;
}

// A rename is on the disk only once the folder holding the name is; some file systems refuse
// to flush a folder, which then has nothing to flush.
void SyncFolder(const fs::path& folder)
{
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) return;
    (void)::fsync(descriptor);
    ::close(descriptor);
}

// Swaps the two names in one step; false where the file system or the system cannot.
bool ExchangeNames(const fs::path& a, const fs::path& b)
{
#if defined(__linux__) && defined(RENAME_EXCHANGE)
    return ::renameat2(AT_FDCWD, a.c_str(), AT_FDCWD, b.c_str(), RENAME_EXCHANGE) == 0;
#else
    (void)a;
    (void)b;
    return false;
#endif
}

#endif

// Gives the staging folder the entries of the old one that are not replaced. False for an
// entry that cannot be carried: a folder, a device, or a file that can be neither linked
// nor copied.
bool CarryOver(const fs::path& from, const fs::path& to, TReplacedEntry replaced)
{
    std::error_code error;
    for (fs::directory_iterator entry(from, error), end; entry != end; entry.increment(error)) {
        if (error) return false;
        const fs::path name = entry->path().filename();
        if (replaced(name) || fs::exists(fs::symlink_status(to / name))) continue;
        const fs::file_status status = entry->symlink_status(error);
        if (fs::is_symlink(status)) {
            fs::copy_symlink(entry->path(), to / name, error);
        } else if (fs::is_regular_file(status)) {
            fs::create_hard_link(entry->path(), to / name, error);
            if (error) fs::copy_file(entry->path(), to / name, error);
        } else {
            return false;
        }
        if (error) return false;
    }
    return !error;
}

fs::path MovedAsidePath(const fs::path& target)
{
    return FolderOf(target) / StagingPrefix(target, ".old");
}

fs::path FolderTarget(const fs::path& target)
{
    std::error_code error;
    fs::path path = fs::weakly_canonical(fs::absolute(target, error), error);
    if (error) path = fs::absolute(target, error).lexically_normal();
    if (!path.has_filename() && path.has_parent_path() && path != path.root_path()) path = path.parent_path();
    return path;
}

} // namespace

TFileReplacement::TFileReplacement(const fs::path& target) : Target(FinalTarget(target)) {}

TFileReplacement::TFileReplacement(TFileReplacement&& other) noexcept
    : Target(std::move(other.Target)), Staging(std::move(other.Staging)),
      Descriptor(std::exchange(other.Descriptor, -1))
{
    other.Staging.clear();
}

TFileReplacement::~TFileReplacement()
{
    Discard();
}

bool TFileReplacement::Stage(std::span<const std::uint8_t> bytes)
{
    return Stage(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

#ifndef _WIN32

bool TFileReplacement::Stage(std::string_view bytes)
{
    Discard();
    const fs::path folder = FolderOf(Target);
    const std::string prefix = StagingPrefix(Target, ".tmp-").native();
    RemoveAbandoned(folder, prefix, false, Target.filename().string() + ".tmp");
    Descriptor = MakeStaging(folder, prefix, false, Staging);
    if (Descriptor < 0) {
        Staging.clear();
        return false;
    }
    struct stat old
    {
    };
    bool written = ::stat(Target.c_str(), &old) != 0 || ::fchmod(Descriptor, old.st_mode & 07777) == 0;
    // The content is on the disk before any rename can make it the file's.
    written = written && WriteAll(Descriptor, bytes.data(), bytes.size()) && ::fsync(Descriptor) == 0;
    if (!written) Discard();
    return written;
}

bool TFileReplacement::Commit()
{
    if (Descriptor < 0) return false;
    if (::rename(Staging.c_str(), Target.c_str()) != 0) {
        Discard();
        return false;
    }
    Close(Descriptor);
    Staging.clear();
    SyncFolder(FolderOf(Target));
    return true;
}

void TFileReplacement::Discard()
{
    if (Descriptor < 0) return;
    // Still locked while removed, so no cleaner takes the name for another's meanwhile.
    ::unlink(Staging.c_str());
    Close(Descriptor);
    Staging.clear();
}

#else

// Windows has no advisory lock that outlives a rename; a unique name still keeps two saves
// apart, and the old file is only ever replaced by a complete one.
bool TFileReplacement::Stage(std::string_view bytes)
{
    Discard();
    Staging = FolderOf(Target) / StagingPrefix(Target, ".tmp-");
    Staging += RandomName();
    Descriptor = 0;
    std::ofstream out(Staging, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (out.fail()) {
        Discard();
        return false;
    }
    return true;
}

bool TFileReplacement::Commit()
{
    if (Descriptor < 0) return false;
    std::error_code error;
    fs::rename(Staging, Target, error);
    if (error) {
        Discard();
        return false;
    }
    Descriptor = -1;
    Staging.clear();
    return true;
}

void TFileReplacement::Discard()
{
    if (Descriptor < 0) return;
    std::error_code error;
    fs::remove(Staging, error);
    Descriptor = -1;
    Staging.clear();
}

#endif

bool ReplaceFile(const fs::path& path, std::string_view bytes)
{
    TFileReplacement replacement(path);
    return replacement.Stage(bytes) && replacement.Commit();
}

void RestoreInterruptedFolder(const fs::path& target)
{
    const fs::path folder = FolderTarget(target);
    const fs::path aside = MovedAsidePath(folder);
    std::error_code error;
    if (fs::exists(fs::symlink_status(folder, error)) || !fs::is_directory(fs::symlink_status(aside, error))) return;
    fs::rename(aside, folder, error);
}

TFolderReplacement::TFolderReplacement(const fs::path& target) : Target(FolderTarget(target)) {}

TFolderReplacement::~TFolderReplacement()
{
    Discard();
}

#ifndef _WIN32

bool TFolderReplacement::Begin()
{
    Discard();
    const fs::path parent = FolderOf(Target);
    std::error_code error;
    fs::create_directories(parent, error);
    if (error || !Target.has_filename()) return false;
    RestoreInterruptedFolder(Target);
    // An old folder moved aside while the target is there again is one a killed replacement
    // did not get to remove.
    const fs::path aside = MovedAsidePath(Target);
    if (fs::exists(fs::symlink_status(Target, error)) && fs::is_directory(fs::symlink_status(aside, error)))
        fs::remove_all(aside, error);
    const std::string prefix = StagingPrefix(Target, ".new-").native();
    RemoveAbandoned(parent, prefix, true);
    Descriptor = MakeStaging(parent, prefix, true, Staging);
    if (Descriptor < 0) Staging.clear();
    return Descriptor >= 0;
}

bool TFolderReplacement::Commit(TReplacedEntry replaced, bool exchange)
{
    if (Descriptor < 0) return false;
    std::error_code error;
    const fs::file_status old = fs::symlink_status(Target, error);
    const bool hadOld = fs::exists(old);
    if ((hadOld && !fs::is_directory(old)) || (hadOld && !CarryOver(Target, Staging, replaced))) {
        Discard();
        return false;
    }
    (void)::fsync(Descriptor);
    const fs::path parent = FolderOf(Target);
    bool placed = false;
    if (!hadOld) {
        placed = ::rename(Staging.c_str(), Target.c_str()) == 0;
    } else if (exchange && ExchangeNames(Staging, Target)) {
        placed = true; // the staging name now holds the old folder
    } else {
        const fs::path aside = MovedAsidePath(Target);
        fs::remove_all(aside, error);
        if (::rename(Target.c_str(), aside.c_str()) == 0) {
            SyncFolder(parent);
            placed = ::rename(Staging.c_str(), Target.c_str()) == 0;
            if (!placed) ::rename(aside.c_str(), Target.c_str());
        }
        if (placed) fs::remove_all(aside, error);
    }
    if (!placed) {
        Discard();
        return false;
    }
    SyncFolder(parent);
    // After an exchange the staging name holds the old folder; after a move it names nothing.
    fs::remove_all(Staging, error);
    Close(Descriptor);
    Staging.clear();
    return true;
}

void TFolderReplacement::Discard()
{
    if (Descriptor < 0) return;
    std::error_code error;
    fs::remove_all(Staging, error);
    Close(Descriptor);
    Staging.clear();
}

#else

bool TFolderReplacement::Begin()
{
    Discard();
    std::error_code error;
    fs::create_directories(FolderOf(Target), error);
    if (error || !Target.has_filename()) return false;
    RestoreInterruptedFolder(Target);
    const fs::path aside = MovedAsidePath(Target);
    if (fs::exists(Target, error)) fs::remove_all(aside, error);
    Staging = FolderOf(Target) / StagingPrefix(Target, ".new-");
    Staging += RandomName();
    if (!fs::create_directory(Staging, error) || error) {
        Staging.clear();
        return false;
    }
    Descriptor = 0;
    return true;
}

bool TFolderReplacement::Commit(TReplacedEntry replaced, bool)
{
    if (Descriptor < 0) return false;
    std::error_code error;
    const bool hadOld = fs::exists(Target, error);
    if (hadOld && (!fs::is_directory(Target, error) || !CarryOver(Target, Staging, replaced))) {
        Discard();
        return false;
    }
    const fs::path aside = MovedAsidePath(Target);
    if (hadOld) fs::rename(Target, aside, error);
    if (!error) fs::rename(Staging, Target, error);
    if (error) {
        if (hadOld) fs::rename(aside, Target, error);
        Discard();
        return false;
    }
    fs::remove_all(aside, error);
    Descriptor = -1;
    Staging.clear();
    return true;
}

void TFolderReplacement::Discard()
{
    if (Descriptor < 0) return;
    std::error_code error;
    fs::remove_all(Staging, error);
    Descriptor = -1;
    Staging.clear();
}

#endif
