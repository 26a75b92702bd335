#include "folder_item.h"

#include "file_copy.h"
#include "folder_handle.h"
#include "launcher.h"
#include "path_text.h"

#include <QCoreApplication>
#include <QDir>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include <chrono>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace platform {

namespace {

fs::path& programFolderOverride() {
    static fs::path folder;
    return folder;
}

struct DirStamp {
    timespec mtime{};
    timespec ctime{};
    bool operator==(const DirStamp& o) const {
        return mtime.tv_sec == o.mtime.tv_sec && mtime.tv_nsec == o.mtime.tv_nsec &&
               ctime.tv_sec == o.ctime.tv_sec && ctime.tv_nsec == o.ctime.tv_nsec;
    }
};

// dir is the folder held open, or -1 to go by the path.
bool readStamp(const char* folder, int dir, DirStamp& stamp) {
    struct stat st {};
    if ((dir >= 0 ? ::fstat(dir, &st) : ::stat(folder, &st)) != 0)
        return false;
    stamp = {st.st_mtim, st.st_ctim};
    return true;
}

// File systems stamp a folder with a coarse clock: a change made within the same tick as our
// listing can leave the stamp unchanged. A stamp that recent is not trusted.
bool stampIsRecent(const DirStamp& stamp) {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    const auto ns = [](const timespec& t) { return t.tv_sec * 1'000'000'000LL + t.tv_nsec; };
    return ns(now) - std::max(ns(stamp.mtime), ns(stamp.ctime)) < 50'000'000LL;
}

fs::file_type typeOfMode(mode_t mode) {
    switch (mode & S_IFMT) {
    case S_IFREG:
        return fs::file_type::regular;
    case S_IFDIR:
        return fs::file_type::directory;
    case S_IFLNK:
        return fs::file_type::symlink;
    case S_IFIFO:
        return fs::file_type::fifo;
    case S_IFSOCK:
        return fs::file_type::socket;
    case S_IFCHR:
        return fs::file_type::character;
    case S_IFBLK:
        return fs::file_type::block;
    default:
        return fs::file_type::unknown;
    }
}

// The entry types come with the listing on most file systems; only where they do not is the
// entry looked at.
fs::file_type typeOf(DIR* dir, const dirent& entry) {
    if (entry.d_type != DT_UNKNOWN)
        return typeOfMode(DTTOIF(entry.d_type));
    struct stat st {};
    if (::fstatat(::dirfd(dir), entry.d_name, &st, AT_SYMLINK_NOFOLLOW) != 0)
        return fs::file_type::none;
    return typeOfMode(st.st_mode);
}

// The held folder is only a handle for look-ups; its entries are read through a descriptor of
// its own.
DIR* openListing(const char* folder, int heldDir) {
    if (heldDir < 0)
        return ::opendir(folder);
    const int fd = ::openat(heldDir, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    DIR* dir = ::fdopendir(fd);
    if (!dir) {
        const int error = errno;
        ::close(fd);
        errno = error;
    }
    return dir;
}

int heldOrNone(const std::shared_ptr<FolderHandle>& folder) {
    return folder && folder->isOpen() ? folder->fd() : -1;
}

} // namespace

struct FolderItem::Listing {
    // The names one after the other, each ended by a zero; a folder of 50,000 entries costs
    // about a megabyte, not one allocation per entry.
    std::string names;
    std::vector<std::size_t> starts;
    std::vector<fs::file_type> types;
    DirStamp stamp;
    std::error_code error;
    bool valid = false;
    bool racy = false;

    std::size_t size() const { return starts.size(); }
    std::string_view name(std::size_t i) const {
        return std::string_view(names.data() + starts[i]);
    }

    // Keeps the numbering of entries already seen and appends new ones, so that an index
    // handed out earlier still names the same entry.
    void refresh(const char* folder, int heldDir) {
        DirStamp now;
        const bool haveStamp = readStamp(folder, heldDir, now);
        if (valid && haveStamp && now == stamp && !racy)
            return;
        // Names already listed are looked up in place; new ones wait beside them until the end,
        // as appending would move the text the look-up points into. A first listing has nothing
        // to look up and is written in place at once.
        const bool first = starts.empty();
        std::unordered_set<std::string_view> known;
        known.reserve(size());
        for (std::size_t i = 0; i < size(); ++i)
            known.insert(name(i));
        std::string added;
        std::vector<std::size_t> addedStarts;
        std::string& text = first ? names : added;
        std::vector<std::size_t>& textStarts = first ? starts : addedStarts;
        error.clear();
        DIR* dir = openListing(folder, heldDir);
        if (!dir) {
            error.assign(errno, std::generic_category());
        } else {
            // The entry types come with the listing on most file systems; only where they do
            // not is each entry looked at.
            for (;;) {
                errno = 0;
                const dirent* entry = ::readdir(dir);
                if (!entry) {
                    if (errno != 0)
                        error.assign(errno, std::generic_category());
                    break;
                }
                const std::string_view entryName(entry->d_name);
                if (entryName == "." || entryName == ".." || known.count(entryName))
                    continue;
                types.push_back(typeOf(dir, *entry));
                textStarts.push_back((first ? 0 : names.size()) + text.size());
                text.append(entryName);
                text.push_back('\0');
            }
            ::closedir(dir);
        }
        if (!first) {
            names += added;
            starts.insert(starts.end(), addedStarts.begin(), addedStarts.end());
        }
        stamp = now;
        valid = true;
        racy = haveStamp && stampIsRecent(now);
    }
};

FolderItem::FolderItem(fs::path path) : native_(path.native()), path_(std::move(path)) {}

FolderItem::FolderItem(std::string path, fs::file_type knownType,
                       std::shared_ptr<FolderHandle> parent)
    : native_(std::move(path)), knownType_(knownType), parent_(std::move(parent)) {}

const fs::path& FolderItem::path() const {
    if (!path_)
        path_.emplace(native_);
    return *path_;
}

QString FolderItem::nativePath() const {
    return QString::fromStdString(native_);
}

QString FolderItem::Name() const {
    const std::string_view name = lastName(native_);
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

bool FolderItem::Exists() const {
    struct stat st {};
    return ::stat(native_.c_str(), &st) == 0;
}

bool FolderItem::Directory() const {
    // The type the listing saw is trusted, except for a link, which may point to a folder.
    switch (knownType_) {
    case fs::file_type::directory:
        return true;
    case fs::file_type::none:
    case fs::file_type::not_found:
    case fs::file_type::unknown:
    case fs::file_type::symlink:
        break;
    default:
        return false;
    }
    struct stat st {};
    return ::stat(native_.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool FolderItem::IsLink() const {
    struct stat st {};
    return ::lstat(native_.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

bool FolderItem::Locked() const {
    std::error_code ec;
    return isLocked(path(), ec);
}

std::error_code FolderItem::SetLocked(bool locked) const {
    return locked ? lock(path()) : unlock(path());
}

int FolderItem::Count() const {
    if (!listing_)
        listing_ = std::make_shared<Listing>();
    listing_->refresh(native_.c_str(), heldOrNone(held_));
    return static_cast<int>(listing_->size());
}

std::error_code FolderItem::ListError() const {
    return listing_ ? listing_->error : std::error_code{};
}

FolderItem FolderItem::Item(int index) const {
    if (!listing_ || index < 1 || index > static_cast<int>(listing_->size()))
        throw NullObjectException("folder entry out of range");
    const auto i = static_cast<std::size_t>(index - 1);
    // A listed name is one name, never a path, so the held folder reaches it.
    return FolderItem(joinPath(native_, listing_->name(i)), listing_->types[i],
                      heldOrNone(held_) >= 0 ? held_ : nullptr);
}

FolderItem FolderItem::Child(const QString& name) const {
    return FolderItem(joinPath(native_, name.toStdString()), fs::file_type::none);
}

std::error_code FolderItem::CreateAsFolder() const {
    if (::mkdir(native_.c_str(), 0777) != 0)
        return {errno, std::generic_category()};
    return {};
}

std::error_code FolderItem::Delete() const {
    struct stat st {};
    if (::lstat(native_.c_str(), &st) != 0)
        return {errno, std::generic_category()};
    if (S_ISDIR(st.st_mode))
        return std::make_error_code(std::errc::is_a_directory);
    if (::unlink(native_.c_str()) != 0)
        return {errno, std::generic_category()};
    return {};
}

std::error_code FolderItem::CopyFileTo(const FolderItem& folder, fs::path* failedPath) const {
    FileCopyResult result =
        copyFileInto(native_, folder.native_, parent_.get(), folder.held_.get());
    if (failedPath)
        *failedPath = std::move(result.failedPath);
    return result.error;
}

FolderItem::Hold::Hold(const FolderItem& folder)
    : folder_(folder), own_(std::make_shared<FolderHandle>(folder.native_.c_str())),
      previous_(std::exchange(folder.held_, own_)) {}

FolderItem::Hold::~Hold() {
    own_->close();
    // Unless the item was given another value meanwhile.
    if (folder_.held_ == own_)
        folder_.held_ = std::move(previous_);
}

bool FolderItem::Launch() const {
    return launchDocument(*this);
}

fs::path programFolder() {
    if (!programFolderOverride().empty())
        return programFolderOverride();
    QDir dir(QCoreApplication::applicationDirPath());
#ifdef Q_OS_MACOS
    // Inside an app bundle the executable sits in Name.app/Contents/MacOS; the delivery folder
    // is the one that holds the bundle.
    if (dir.path().endsWith(QLatin1String(".app/Contents/MacOS"))) {
        dir.cdUp();
        dir.cdUp();
        dir.cdUp();
    }
#endif
    return fs::path(dir.absolutePath().toStdString());
}

std::optional<FolderItem> GetFolderItem(const QString& path) {
    const fs::path relative(path.toStdString());
    if (path.isEmpty())
        return FolderItem(programFolder());
    if (relative.is_absolute())
        return FolderItem(relative);
    return FolderItem(programFolder() / relative);
}

const FolderItem& require(const std::optional<FolderItem>& item, const char* what) {
    if (!item)
        throw NullObjectException(what);
    return *item;
}

void testing::setProgramFolder(const fs::path& folder) {
    programFolderOverride() = folder;
}

} // namespace platform
