#pragma once

// Real folder trees for the copy tests, written and read as lines of text:
//   "a/b/"                 a folder
//   "a/b/c.txt=text"       a file holding text ("=@300k": 300 KiB of filler)
//   "a/link->target"       a symbolic link
//   "a/pipe|fifo"          a named pipe
//   "a/sock|socket"        a Unix domain socket
// An entry may carry flags after " | ": "immutable" (the attribute that stops even the
// administrator) or "readonly" (no write permission for anyone). Paths are relative to the
// tree's root; missing parent folders are made on the way.

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace tree {

namespace fs = std::filesystem;

// Built files carry one of these modification times, so that a copy that keeps the source's
// time can be told from one that does not, and from the file that was there before.
inline constexpr timespec sourceTime{981'173'106, 0};      // 3 February 2001
inline constexpr timespec destinationTime{662'774'400, 0}; // 1 January 1991

inline int setImmutable(const fs::path& path, bool on) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return errno;
    int flags = 0;
    int error = 0;
    if (::ioctl(fd, FS_IOC_GETFLAGS, &flags) != 0) {
        error = errno;
    } else {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        if (::ioctl(fd, FS_IOC_SETFLAGS, &flags) != 0)
            error = errno;
    }
    ::close(fd);
    return error;
}

inline bool isImmutable(const fs::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return false;
    int flags = 0;
    const bool on = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0 && (flags & FS_IMMUTABLE_FL) != 0;
    ::close(fd);
    return on;
}

// Why the immutable attribute cannot be used under folder; empty when it can.
inline QString immutableUnsupported(const fs::path& folder) {
    const fs::path probe = folder / "probe";
    { std::ofstream(probe) << "x"; }
    const int error = setImmutable(probe, true);
    setImmutable(probe, false);
    fs::remove(probe);
    if (error == 0)
        return {};
    return QStringLiteral("the immutable attribute cannot be set here (%1); it needs root and a "
                          "file system that has it, such as ext4")
        .arg(QString::fromLocal8Bit(std::strerror(error)));
}

inline std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline timespec modificationTime(const fs::path& path) {
    struct stat st {};
    ::lstat(path.c_str(), &st);
    return st.st_mtim;
}

// "@300k" stands for 300 KiB of filler, for files too large to spell out.
inline std::string contentOf(const std::string& value) {
    if (value.size() > 2 && value.front() == '@' && value.back() == 'k')
        return std::string(std::stoul(value.substr(1, value.size() - 2)) * 1024, 'x');
    return value;
}

struct Line {
    std::string path;
    enum Kind { folder, file, link, fifo, socket } kind = file;
    std::string value; // content or link target
    std::vector<std::string> flags;
};

inline Line parse(const QString& text) {
    Line line;
    QStringList parts = text.split(QStringLiteral(" | "));
    for (int i = 1; i < parts.size(); ++i)
        line.flags.push_back(parts[i].trimmed().toStdString());
    const QString entry = parts.front();
    if (const qsizetype arrow = entry.indexOf(QStringLiteral("->")); arrow >= 0) {
        line.kind = Line::link;
        line.path = entry.left(arrow).toStdString();
        line.value = entry.mid(arrow + 2).toStdString();
    } else if (entry.endsWith(QStringLiteral("|fifo"))) {
        line.kind = Line::fifo;
        line.path = entry.chopped(5).toStdString();
    } else if (entry.endsWith(QStringLiteral("|socket"))) {
        line.kind = Line::socket;
        line.path = entry.chopped(7).toStdString();
    } else if (const qsizetype equals = entry.indexOf(u'='); equals >= 0) {
        line.path = entry.left(equals).toStdString();
        line.value = entry.mid(equals + 1).toStdString();
    } else if (entry.endsWith(u'/')) {
        line.kind = Line::folder;
        line.path = entry.chopped(1).toStdString();
    } else {
        line.path = entry.toStdString(); // an empty file
    }
    return line;
}

// Sockets stay bound only while their descriptor is open; a tree keeps them for its lifetime.
class Tree {
  public:
    Tree() : dir_(QDir::tempPath() + QStringLiteral("/velmora-copy-XXXXXX")) {
        root_ = fs::path(dir_.path().toStdString());
    }
    Tree(const Tree&) = delete;
    Tree& operator=(const Tree&) = delete;
    ~Tree() {
        for (const fs::path& mount : mounts_)
            ::umount2(mount.c_str(), MNT_DETACH);
        for (int fd : sockets_)
            ::close(fd);
        releaseAll();
    }

    const fs::path& root() const { return root_; }
    fs::path operator/(const std::string& relative) const { return root_ / relative; }
    bool valid() const { return dir_.isValid(); }

    // Writes the lines; returns what went wrong, empty on success.
    QString build(const QStringList& lines, const timespec& time) {
        std::vector<Line> parsed;
        for (const QString& text : lines)
            parsed.push_back(parse(text));
        for (const Line& line : parsed) {
            const fs::path path = root_ / line.path;
            std::error_code ec;
            fs::create_directories(path.parent_path(), ec);
            switch (line.kind) {
            case Line::folder:
                fs::create_directories(path, ec);
                break;
            case Line::file: {
                std::ofstream(path, std::ios::binary | std::ios::trunc) << contentOf(line.value);
                const timespec times[2] = {time, time};
                ::utimensat(AT_FDCWD, path.c_str(), times, 0);
                break;
            }
            case Line::link:
                fs::create_symlink(line.value, path, ec);
                break;
            case Line::fifo:
                if (::mkfifo(path.c_str(), 0644) != 0)
                    return failure("mkfifo", path);
                break;
            case Line::socket:
                if (!bindSocket(path))
                    return failure("bind", path);
                break;
            }
            if (ec)
                return QStringLiteral("cannot make %1: %2")
                    .arg(QString::fromStdString(path.string()),
                         QString::fromStdString(ec.message()));
        }
        // Flags last, once everything inside a folder exists.
        for (auto line = parsed.rbegin(); line != parsed.rend(); ++line) {
            const fs::path path = root_ / line->path;
            for (const std::string& flag : line->flags) {
                if (flag == "readonly") {
                    std::error_code ec;
                    fs::permissions(path,
                                    fs::perms::owner_write | fs::perms::group_write |
                                        fs::perms::others_write,
                                    fs::perm_options::remove, ec);
                } else if (flag == "immutable") {
                    if (const int error = setImmutable(path, true))
                        return QStringLiteral("cannot make %1 immutable: %2")
                            .arg(QString::fromStdString(path.string()),
                                 QString::fromLocal8Bit(std::strerror(error)));
                } else {
                    return QStringLiteral("unknown flag %1").arg(QString::fromStdString(flag));
                }
            }
        }
        return {};
    }

    // Everything under the root except below the top-level folders named in leaveOut, as
    // sorted lines of the form build() takes, without flags.
    QStringList list(const QStringList& leaveOut = {}) const {
        QStringList lines;
        for (auto it = fs::recursive_directory_iterator(root_); it != fs::end(it); ++it) {
            const QString relative =
                QString::fromStdString(it->path().lexically_relative(root_).string());
            if (leaveOut.contains(relative.section(u'/', 0, 0))) {
                it.disable_recursion_pending();
                continue;
            }
            const fs::file_status status = it->symlink_status();
            if (fs::is_symlink(status))
                lines << relative + QStringLiteral("->") +
                             QString::fromStdString(fs::read_symlink(it->path()).string());
            else if (fs::is_directory(status))
                lines << relative + u'/';
            else if (fs::is_regular_file(status))
                lines << relative + u'=' + QString::fromStdString(readAll(it->path()));
            else if (fs::is_fifo(status))
                lines << relative + QStringLiteral("|fifo");
            else
                lines << relative + QStringLiteral("|socket");
        }
        lines.sort();
        return lines;
    }

    // Mounts a tmpfs of the given size on the folder at relative; returns what went wrong.
    QString mountTmpfs(const std::string& relative, const std::string& size) {
        const fs::path path = root_ / relative;
        fs::create_directories(path);
        const std::string options = "size=" + size;
        if (::mount("tmpfs", path.c_str(), "tmpfs", 0, options.c_str()) != 0)
            return failure("mount a tmpfs on", path);
        mounts_.push_back(path);
        return {};
    }

    // Clears every immutable attribute and gives folders back their write permission, so that
    // the temporary folder can be removed whatever a test left behind.
    void releaseAll() {
        if (root_.empty())
            return;
        setImmutable(root_, false);
        std::error_code ec;
        for (auto it = fs::recursive_directory_iterator(root_, ec); !ec && it != fs::end(it);
             it.increment(ec)) {
            const fs::file_status status = it->symlink_status(ec);
            if (fs::is_regular_file(status) || fs::is_directory(status))
                setImmutable(it->path(), false);
            if (fs::is_directory(status))
                fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
        }
    }

  private:
    static QString failure(const char* what, const fs::path& path) {
        return QStringLiteral("cannot %1 %2: %3")
            .arg(QString::fromLatin1(what), QString::fromStdString(path.string()),
                 QString::fromLocal8Bit(std::strerror(errno)));
    }

    bool bindSocket(const fs::path& path) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        if (path.native().size() >= sizeof(address.sun_path))
            return false;
        std::strcpy(address.sun_path, path.c_str());
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0)
            return false;
        if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0) {
            ::close(fd);
            return false;
        }
        sockets_.push_back(fd);
        return true;
    }

    QTemporaryDir dir_;
    fs::path root_;
    std::vector<fs::path> mounts_;
    std::vector<int> sockets_;
};

} // namespace tree
