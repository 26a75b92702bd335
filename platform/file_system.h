#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <system_error>
#include <utility>
#include <vector>

namespace platform {

// What copying needs on one volume, and what that volume has free right now.
struct VolumeSpace {
    std::filesystem::path folder; // an existing receiving folder on that volume
    std::uintmax_t needed = 0;    // bytes, in whole blocks of the volume
    std::uintmax_t available = 0; // bytes an ordinary user may still write; unknown: the most
    bool enough() const { return needed <= available; }
};

// Adds up, volume by volume, the room that copies into existing folders will take, counted the
// way the installation copies: a folder merges into the folder of its name (created when
// missing), files whose names begin with "." are left out, and a file of the same name is
// replaced by writing the new one beside it and renaming it over the old one. Every receiving
// folder is followed through links to the volume that really holds it.
//
// A volume needs the growth of every file (never less than nothing: a file that shrinks frees
// its room only once it is replaced, perhaps after the others have grown), one block per new
// folder, and room for the largest file written beside the one it replaces.
class SpaceNeeds {
  public:
    // Counts copying source, a file or a folder with its tree, into the existing folder
    // destination. Entries that cannot be examined are left out: the copy will report them.
    void addCopy(const std::filesystem::path& source, const std::filesystem::path& destination);

    // Every volume that receives something, with its free space read now. A volume whose free
    // space cannot be read counts as having enough: the copy itself will tell.
    std::vector<VolumeSpace> volumes() const;

  private:
    struct Volume {
        std::filesystem::path folder;
        std::uintmax_t blockSize = 4096;
        std::uintmax_t growth = 0;
        std::uintmax_t largestTemporary = 0;
    };
    Volume& volumeOf(const std::filesystem::path& existingFolder);
    // folderExists false: the receiving folder is still to be made, so nothing is replaced.
    void addFile(const std::filesystem::path& source, const std::filesystem::path& folder,
                 Volume& volume, bool folderExists);
    void addFolder(const std::filesystem::path& source, const std::filesystem::path& destination,
                   Volume& volume,
                   std::vector<std::pair<std::uintmax_t, std::uintmax_t>>& ancestors);

    std::map<std::uintmax_t, Volume> volumes_;
};

// Bytes that an ordinary user may still write on the volume that holds path.
std::error_code freeSpace(const std::filesystem::path& path, std::uintmax_t& bytes);

// Writes everything the system still holds in memory for the file system that holds path to
// the disk, and waits for it; a failed write that the disk reported only now is returned.
std::error_code flushFileSystem(const std::filesystem::path& path);

struct FlushFailure {
    std::filesystem::path folder;
    std::error_code reason;
};

// Flushes the file system of every folder given, each file system once however many of the
// folders it holds.
std::vector<FlushFailure> flushFileSystems(const std::vector<std::filesystem::path>& folders);

} // namespace platform
