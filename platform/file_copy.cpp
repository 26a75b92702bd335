#include "file_copy.h"

#include "folder_handle.h"
#include "path_text.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#ifdef __linux__
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/sysmacros.h>
#endif

#include <algorithm>
#include <cerrno>
#include <string>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace platform {

namespace {

std::error_code lastError() {
    return {errno, std::generic_category()};
}

// Closes a descriptor on every way out of the copy.
class Fd {
  public:
    explicit Fd(int fd) : fd_(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Fd& operator=(Fd&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }
    int get() const { return fd_; }
    // Some file systems report a failed write only when the file is closed.
    std::error_code close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0 ? std::error_code{} : lastError();
    }

  private:
    int fd_;
};

std::error_code copyByReadWrite(int from, int to) {
    static thread_local std::vector<char> buffer(256 * 1024);
    for (;;) {
        const ssize_t got = ::read(from, buffer.data(), buffer.size());
        if (got == 0)
            return {};
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return lastError();
        }
        for (ssize_t done = 0; done < got;) {
            const ssize_t put = ::write(to, buffer.data() + done, static_cast<size_t>(got - done));
            if (put < 0 && errno == EINTR)
                continue;
            if (put < 0)
                return lastError();
            done += put;
        }
    }
}

// The kernel copies without bringing the data into this process; where it refuses (another
// file system on older kernels, file systems without support), plain reads and writes do. The
// size taken when the source was opened bounds the copy, which saves the call that would only
// report the end of the file.
std::error_code copyContents(int from, int to, off_t size) {
#ifdef __linux__
    off_t left = size;
    bool first = true;
    while (left > 0) {
        const auto chunk = static_cast<size_t>(std::min<off_t>(left, off_t{1} << 30));
        const ssize_t n = ::copy_file_range(from, nullptr, to, nullptr, chunk, 0);
        if (n > 0) {
            left -= n;
            first = false;
            continue;
        }
        if (n == 0) // shorter than it was, or a file system that copies nothing this way
            return copyByReadWrite(from, to);
        if (errno == EINTR)
            continue;
        const bool refused = errno == EXDEV || errno == EINVAL || errno == ENOSYS ||
                             errno == EOPNOTSUPP || errno == EBADF;
        if (first && refused)
            return copyByReadWrite(from, to);
        return lastError();
    }
    // Files that report no size (some virtual file systems) are read to their end.
    return size == 0 ? copyByReadWrite(from, to) : std::error_code{};
#else
    (void)size;
    return copyByReadWrite(from, to);
#endif
}

// Fills the new file out from the source and gives it the source's times; the caller removes
// out's name on failure.
std::error_code fill(int from, const struct stat& sourceStat, Fd& out) {
    std::error_code ec = copyContents(from, out.get(), sourceStat.st_size);
    const timespec times[2] = {sourceStat.st_atim, sourceStat.st_mtim};
    if (!ec && ::futimens(out.get(), times) != 0)
        ec = lastError();
    const std::error_code closed = out.close();
    return ec ? ec : closed;
}

// Non-blocking, so that a pipe among the files cannot stall the installation. Reading a file
// would also stamp its access time, one more inode write per file; only the owner may ask the
// system not to, so after the first refusal the copy stops asking.
int openSource(int dir, const char* source) {
    constexpr int flags = O_RDONLY | O_NONBLOCK | O_CLOEXEC;
#ifdef O_NOATIME
    static bool noAccessTime = true;
    if (noAccessTime) {
        const int fd = ::openat(dir, source, flags | O_NOATIME);
        if (fd >= 0 || errno != EPERM)
            return fd;
        noAccessTime = false;
    }
#endif
    return ::openat(dir, source, flags);
}

int createExclusive(int dir, const char* path, mode_t mode) {
    return ::openat(dir, path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
}

// Where a call finds an entry: by its name in a folder held open, or by its path (dir is then
// AT_FDCWD, which takes name as the path).
struct Place {
    int dir = AT_FDCWD;
    const char* name = nullptr;
};

// The folder held open, or none where it could not be opened.
int heldOrNone(const FolderHandle* folder) {
    return folder && folder->isOpen() ? folder->fd() : -1;
}

#ifdef __linux__
constexpr int lockAttributes = FS_IMMUTABLE_FL | FS_APPEND_FL;

// Reads the attribute flags of path; fails where the file system has none.
bool readAttributes(int fd, int& flags) {
    return ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
}

std::error_code writeAttributes(int fd, int flags) {
    return ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0 ? std::error_code{} : lastError();
}

int openForAttributes(Place entry) {
    // Non-blocking, so that a pipe standing there cannot stall the call.
    return ::openat(entry.dir, entry.name, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
}
#endif

// Clears the lock attributes of the file that is about to be replaced; remembers them so that
// a failed replacement can put them back.
class AttributeGuard {
  public:
    AttributeGuard() = default;
    AttributeGuard(const AttributeGuard&) = delete;
    AttributeGuard& operator=(const AttributeGuard&) = delete;

    std::error_code clear([[maybe_unused]] Place entry) {
#ifdef __linux__
        fd_ = openForAttributes(entry);
        if (fd_ < 0)
            return lastError();
        if (!readAttributes(fd_, flags_) || (flags_ & lockAttributes) == 0)
            return {};
        if (std::error_code ec = writeAttributes(fd_, flags_ & ~lockAttributes))
            return ec;
        cleared_ = true;
#endif
        return {};
    }
    void restore() {
#ifdef __linux__
        if (cleared_)
            writeAttributes(fd_, flags_);
        cleared_ = false;
#endif
    }
    ~AttributeGuard() {
        if (fd_ >= 0)
            ::close(fd_);
    }

  private:
    int fd_ = -1;
    int flags_ = 0;
    bool cleared_ = false;
};

struct EntryState {
    mode_t mode = 0;
    dev_t device = 0;
    ino_t inode = 0;
    bool locked = false; // by the attributes only; permissions do not stop a rename
};

std::error_code lookAt(Place entry, bool followLinks, EntryState& state) {
#ifdef __linux__
    struct statx sx {};
    if (::statx(entry.dir, entry.name, followLinks ? 0 : AT_SYMLINK_NOFOLLOW,
                STATX_TYPE | STATX_MODE | STATX_INO, &sx) != 0)
        return lastError();
    state.mode = sx.stx_mode;
    state.device = makedev(sx.stx_dev_major, sx.stx_dev_minor);
    state.inode = sx.stx_ino;
    state.locked = (sx.stx_attributes & sx.stx_attributes_mask &
                    (STATX_ATTR_IMMUTABLE | STATX_ATTR_APPEND)) != 0;
#else
    struct stat st {};
    if (::fstatat(entry.dir, entry.name, &st, followLinks ? 0 : AT_SYMLINK_NOFOLLOW) != 0)
        return lastError();
    state.mode = st.st_mode;
    state.device = st.st_dev;
    state.inode = st.st_ino;
#endif
    return {};
}

// The entry a copy writes: where the calls find it, and its path for the result.
struct Target {
    Place place;
    std::string path;
};

FileCopyResult replace(int in, const struct stat& sourceStat, const Target& target) {
    EntryState there;
    if (std::error_code ec = lookAt(target.place, false, there))
        return {ec, target.path};
    if (S_ISDIR(there.mode))
        return {std::make_error_code(std::errc::is_a_directory), target.path};
    if (there.device == sourceStat.st_dev && there.inode == sourceStat.st_ino)
        return {};

    AttributeGuard attributes;
    if (there.locked && S_ISREG(there.mode)) {
        if (std::error_code ec = attributes.clear(target.place))
            return {ec, target.path};
    }
    // Beside the target: by its name in the held folder, else by its path.
    const std::string temporary = target.place.dir == AT_FDCWD
                                      ? temporaryNameFor(target.path).native()
                                      : std::string(".").append(target.place.name).append(".part");
    const Place part{target.place.dir, temporary.c_str()};
    const mode_t mode = sourceStat.st_mode & 0777;
    Fd out(createExclusive(part.dir, part.name, mode));
    if (out.get() < 0 && errno == EEXIST) {
        // Left behind by a run that was killed mid-copy.
        ::unlinkat(part.dir, part.name, 0);
        out = Fd(createExclusive(part.dir, part.name, mode));
    }
    if (out.get() < 0) {
        const std::error_code ec = lastError();
        attributes.restore();
        return {ec, target.path};
    }
    std::error_code ec = fill(in, sourceStat, out);
    if (!ec && ::renameat(part.dir, part.name, target.place.dir, target.place.name) != 0)
        ec = lastError();
    if (ec) {
        ::unlinkat(part.dir, part.name, 0);
        attributes.restore();
        return {ec, target.path};
    }
    return {};
}

} // namespace

fs::path temporaryNameFor(const fs::path& target) {
    const fs::path name = target.filename();
    std::string hidden;
    hidden.reserve(name.native().size() + 6);
    hidden.append(".").append(name.native()).append(".part");
    return target.parent_path() / hidden;
}

FileCopyResult copyFileInto(const std::string& source, const std::string& folder,
                            const FolderHandle* sourceFolder, const FolderHandle* heldFolder) {
    // The name is the tail of the path, so it ends where the path ends.
    const char* name = source.c_str() + (source.size() - lastName(source).size());
    const int sourceDir = heldOrNone(sourceFolder);
    Fd in(sourceDir >= 0 ? openSource(sourceDir, name) : openSource(AT_FDCWD, source.c_str()));
    if (in.get() < 0)
        return {lastError(), source};
    struct stat sourceStat {};
    if (::fstat(in.get(), &sourceStat) != 0)
        return {lastError(), source};
    if (S_ISDIR(sourceStat.st_mode))
        return {std::make_error_code(std::errc::is_a_directory), source};
    if (!S_ISREG(sourceStat.st_mode))
        return {std::make_error_code(std::errc::not_supported), source};

    Target target{{heldOrNone(heldFolder), name}, joinPath(folder, name)};
    if (target.place.dir < 0)
        target.place = {AT_FDCWD, target.path.c_str()};
    // Most files land where nothing stands yet: the final name is tried first, which spares a
    // look-up per file.
    Fd out(createExclusive(target.place.dir, target.place.name, sourceStat.st_mode & 0777));
    if (out.get() >= 0) {
        if (std::error_code ec = fill(in.get(), sourceStat, out)) {
            ::unlinkat(target.place.dir, target.place.name, 0);
            return {ec, target.path};
        }
        return {};
    }
    if (errno != EEXIST)
        return {lastError(), target.path};
    return replace(in.get(), sourceStat, target);
}

FileCopyResult copyFileInto(const std::string& source, const std::string& folder) {
    return copyFileInto(source, folder, nullptr, nullptr);
}

FileCopyResult copyFileInto(const fs::path& source, const fs::path& folder) {
    return copyFileInto(source.native(), folder.native());
}

bool isLocked(const fs::path& path, std::error_code& error) {
    EntryState state;
    error = lookAt({AT_FDCWD, path.c_str()}, true, state);
    return !error && ((state.mode & S_IWUSR) == 0 || state.locked);
}

std::error_code unlock(const fs::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return lastError();
#ifdef __linux__
    // The attributes first: while they are set, not even the permissions can change.
    Fd fd(openForAttributes({AT_FDCWD, path.c_str()}));
    int flags = 0;
    if (fd.get() >= 0 && readAttributes(fd.get(), flags) && (flags & lockAttributes) != 0) {
        if (std::error_code ec = writeAttributes(fd.get(), flags & ~lockAttributes))
            return ec;
    }
#endif
    if ((st.st_mode & S_IWUSR) == 0 && ::chmod(path.c_str(), (st.st_mode | S_IWUSR) & 07777) != 0)
        return lastError();
    return {};
}

std::error_code lock(const fs::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return lastError();
    if (::chmod(path.c_str(), st.st_mode & 07777 & ~S_IWUSR) != 0)
        return lastError();
    return {};
}

bool identityOf(const fs::path& path, FileIdentity& identity) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return false;
    identity = {static_cast<unsigned long long>(st.st_dev),
                static_cast<unsigned long long>(st.st_ino)};
    return true;
}

} // namespace platform
