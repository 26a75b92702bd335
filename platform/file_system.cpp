#include "file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <limits>
#include <utility>

namespace fs = std::filesystem;

namespace platform {

namespace {

std::error_code lastError() {
    return {errno, std::generic_category()};
}

std::uintmax_t roundUp(std::uintmax_t bytes, std::uintmax_t block) {
    return (bytes + block - 1) / block * block;
}

bool leftOut(const fs::path& file) {
    const std::string name = file.filename().string();
    return !name.empty() && name.front() == '.';
}

std::uintmax_t blockSizeOf(const fs::path& folder) {
    struct statvfs info {};
    if (::statvfs(folder.c_str(), &info) == 0 && info.f_frsize > 0)
        return info.f_frsize;
    return 4096;
}

} // namespace

SpaceNeeds::Volume& SpaceNeeds::volumeOf(const fs::path& existingFolder) {
    struct stat st {};
    const std::uintmax_t id =
        ::stat(existingFolder.c_str(), &st) == 0 ? static_cast<std::uintmax_t>(st.st_dev) : 0;
    auto [it, inserted] = volumes_.try_emplace(id);
    if (inserted) {
        it->second.folder = existingFolder;
        it->second.blockSize = blockSizeOf(existingFolder);
    }
    return it->second;
}

void SpaceNeeds::addCopy(const fs::path& source, const fs::path& destination) {
    Volume& volume = volumeOf(destination);
    struct stat st {};
    if (::stat(source.c_str(), &st) != 0)
        return;
    if (S_ISDIR(st.st_mode)) {
        std::vector<std::pair<std::uintmax_t, std::uintmax_t>> ancestors;
        addFolder(source, destination, volume, ancestors);
    } else {
        addFile(source, destination, volume, true);
    }
}

void SpaceNeeds::addFile(const fs::path& source, const fs::path& folder, Volume& volume,
                         bool folderExists) {
    if (leftOut(source))
        return;
    struct stat st {};
    if (::stat(source.c_str(), &st) != 0 || S_ISDIR(st.st_mode))
        return;
    const std::uintmax_t size = roundUp(static_cast<std::uintmax_t>(st.st_size), volume.blockSize);

    struct stat old {};
    if (!folderExists || ::lstat((folder / source.filename()).c_str(), &old) != 0) {
        volume.growth += size;
        return;
    }
    if (S_ISDIR(old.st_mode))
        return; // the copy refuses to replace a folder by a file
    // Replacing a link or one of several names of a file frees nothing.
    const std::uintmax_t freed = S_ISREG(old.st_mode) && old.st_nlink == 1
                                     ? static_cast<std::uintmax_t>(old.st_blocks) * 512
                                     : 0;
    if (size > freed)
        volume.growth += size - freed;
    volume.largestTemporary = std::max(volume.largestTemporary, size);
}

void SpaceNeeds::addFolder(const fs::path& source, const fs::path& destination, Volume& volume,
                           std::vector<std::pair<std::uintmax_t, std::uintmax_t>>& ancestors) {
    struct stat st {};
    if (::stat(source.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return;
    // A folder that contains itself through a link is counted once.
    const std::pair<std::uintmax_t, std::uintmax_t> self{st.st_dev, st.st_ino};
    if (std::find(ancestors.begin(), ancestors.end(), self) != ancestors.end())
        return;
    ancestors.push_back(self);

    const fs::path mirror = destination / source.filename();
    Volume* into = &volume;
    struct stat existing {};
    const bool mirrorExists = ::stat(mirror.c_str(), &existing) == 0;
    if (mirrorExists) {
        if (!S_ISDIR(existing.st_mode)) {
            ancestors.pop_back();
            return; // nothing can be copied into a file
        }
        into = &volumeOf(mirror);
    } else {
        volume.growth += volume.blockSize;
    }

    std::error_code ec;
    for (fs::directory_iterator it(source, ec), end; !ec && it != end; it.increment(ec)) {
        // The listing tells the entry's type; only links need a look of their own.
        std::error_code typeError;
        if (it->is_directory(typeError))
            addFolder(it->path(), mirror, *into, ancestors);
        else
            addFile(it->path(), mirror, *into, mirrorExists);
    }
    ancestors.pop_back();
}

std::vector<VolumeSpace> SpaceNeeds::volumes() const {
    std::vector<VolumeSpace> result;
    for (const auto& [id, volume] : volumes_) {
        VolumeSpace space;
        space.folder = volume.folder;
        space.needed = volume.growth + volume.largestTemporary;
        if (freeSpace(volume.folder, space.available))
            space.available = std::numeric_limits<std::uintmax_t>::max();
        result.push_back(std::move(space));
    }
    return result;
}

std::error_code freeSpace(const fs::path& path, std::uintmax_t& bytes) {
    struct statvfs info {};
    if (::statvfs(path.c_str(), &info) != 0)
        return lastError();
    bytes = static_cast<std::uintmax_t>(info.f_bavail) * info.f_frsize;
    return {};
}

std::error_code flushFileSystem(const fs::path& path) {
#ifdef __linux__
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return lastError();
    std::error_code ec;
    if (::syncfs(fd) != 0)
        ec = lastError();
    ::close(fd);
    return ec;
#else
    // Without a flush of one file system, flush them all.
    ::sync();
    return {};
#endif
}

std::vector<FlushFailure> flushFileSystems(const std::vector<fs::path>& folders) {
    std::vector<FlushFailure> failures;
    std::vector<dev_t> flushed;
    for (const fs::path& folder : folders) {
        // A folder that is not there received nothing; the copy has said why.
        struct stat st {};
        if (::stat(folder.c_str(), &st) != 0 ||
            std::find(flushed.begin(), flushed.end(), st.st_dev) != flushed.end())
            continue;
        flushed.push_back(st.st_dev);
        if (std::error_code ec = flushFileSystem(folder))
            failures.push_back({folder, ec});
    }
    return failures;
}

} // namespace platform
