#include "file_copy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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
// file system on older kernels, special files), plain reads and writes do.
std::error_code copyContents(int from, int to) {
#ifdef __linux__
    bool first = true;
    for (;;) {
        const ssize_t n = ::copy_file_range(from, nullptr, to, nullptr, 1 << 30, 0);
        if (n == 0)
            return {};
        if (n > 0) {
            first = false;
            continue;
        }
        if (errno == EINTR)
            continue;
        const bool refused = errno == EXDEV || errno == EINVAL || errno == ENOSYS ||
                             errno == EOPNOTSUPP || errno == EBADF;
        if (first && refused)
            return copyByReadWrite(from, to);
        return lastError();
    }
#else
    return copyByReadWrite(from, to);
#endif
}

std::error_code writeCopy(int from, const struct stat& sourceStat, const fs::path& to) {
    Fd out(::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, sourceStat.st_mode & 0777));
    if (out.get() < 0)
        return lastError();
    std::error_code ec = copyContents(from, out.get());
    const timespec times[2] = {sourceStat.st_atim, sourceStat.st_mtim};
    if (!ec && ::futimens(out.get(), times) != 0)
        ec = lastError();
    const std::error_code closed = out.close();
    if (!ec)
        ec = closed;
    if (ec)
        ::unlink(to.c_str());
    return ec;
}

} // namespace

fs::path temporaryNameFor(const fs::path& target) {
    return target.parent_path() / ("." + target.filename().string() + ".part");
}

std::error_code copyFileInto(const fs::path& source, const fs::path& folder) {
    Fd in(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
    if (in.get() < 0)
        return lastError();
    struct stat sourceStat {};
    if (::fstat(in.get(), &sourceStat) != 0)
        return lastError();
    if (S_ISDIR(sourceStat.st_mode))
        return std::make_error_code(std::errc::is_a_directory);

    const fs::path target = folder / source.filename();
    struct stat targetStat {};
    if (::lstat(target.c_str(), &targetStat) != 0) {
        if (errno != ENOENT)
            return lastError();
        return writeCopy(in.get(), sourceStat, target);
    }
    if (S_ISDIR(targetStat.st_mode))
        return std::make_error_code(std::errc::is_a_directory);

    const fs::path temporary = temporaryNameFor(target);
    ::unlink(temporary.c_str()); // left behind by a run that was killed mid-copy
    if (std::error_code ec = writeCopy(in.get(), sourceStat, temporary))
        return ec;
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        const std::error_code ec = lastError();
        ::unlink(temporary.c_str());
        return ec;
    }
    return {};
}

} // namespace platform
