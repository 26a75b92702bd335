#pragma once

#include <filesystem>
#include <string>
#include <system_error>

namespace platform {

// What a single-file copy could not do: the system's reason and the entry it concerns (the
// source when it could not be read, otherwise the entry in the receiving folder).
struct FileCopyResult {
    std::error_code error;
    std::filesystem::path failedPath;
    explicit operator bool() const { return !error; }
};

// Copies the regular file source into folder under its own name, keeping its modification time.
// - Nothing there yet: the file is written under its final name and removed again if the
//   copy fails.
// - A file or a link there: the new file is written beside it under a temporary name and moved
//   over it only when complete, so a failed copy keeps the old file and a link is replaced
//   itself, never written through. A locked file is unlocked first and locked again when the
//   copy fails.
// - A folder there: nothing is touched; the answer is is_a_directory.
// - The source is that very file already: nothing to do.
// A source that is not a regular file (a pipe, a device) is refused with not_supported.
FileCopyResult copyFileInto(const std::filesystem::path& source,
                            const std::filesystem::path& folder);
// The same for callers that hold the paths as text.
FileCopyResult copyFileInto(const std::string& source, const std::string& folder);

class FolderHandle;
// The same, reaching the entries by name through folders held open where they are given:
// sourceFolder holds source, heldFolder is folder itself. Either may be null or closed, and the
// paths are taken instead; the result names the entries by their paths either way.
FileCopyResult copyFileInto(const std::string& source, const std::string& folder,
                            const FolderHandle* sourceFolder, const FolderHandle* heldFolder);

// The name a replacement is written under before it is moved into place.
std::filesystem::path temporaryNameFor(const std::filesystem::path& target);

// The platform's write protection of an entry (links followed): a missing owner-write
// permission, and on Linux also the immutable and append-only attributes, which stop even the
// administrator.
bool isLocked(const std::filesystem::path& path, std::error_code& error);
// Clears all of it; the attributes need the administrator's rights.
std::error_code unlock(const std::filesystem::path& path);
// Takes the owner-write permission away.
std::error_code lock(const std::filesystem::path& path);

// Identifies a folder however it is reached: through links, or by another path.
struct FileIdentity {
    unsigned long long device = 0;
    unsigned long long inode = 0;
    bool operator==(const FileIdentity&) const = default;
};
// Follows links; fails for an entry that does not exist.
bool identityOf(const std::filesystem::path& path, FileIdentity& identity);

} // namespace platform
