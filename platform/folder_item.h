#pragma once

#include <QString>

#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <system_error>

namespace platform {

class FolderHandle;

// Raised where an empty file item, window or control is used.
class NullObjectException : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A handle to one entry of the file system, file or folder, whether the entry exists or not.
// Operations that change the file system hand back the system's reason when they fail; the
// caller decides whether that matters.
class FolderItem {
  public:
    explicit FolderItem(std::filesystem::path path);

    const std::filesystem::path& path() const;
    QString nativePath() const;

    QString Name() const;
    bool Exists() const;    // follows links
    bool Directory() const; // follows links; false for an entry that does not exist
    bool IsLink() const;    // the entry itself is a symbolic link, dangling or not

    // The platform's own write protection: the locked flag on macOS, the read-only attribute on
    // Windows, a missing owner-write permission elsewhere, on Linux also the immutable and
    // append-only attributes. Clearing it clears all of these.
    bool Locked() const;
    std::error_code SetLocked(bool locked) const;

    // The entries of a folder, numbered from 1. Count looks at the folder again on every call,
    // so entries added meanwhile are taken; the listing itself is kept between calls, so walking
    // a large folder stays linear.
    int Count() const;
    FolderItem Item(int index) const;
    // Why the last Count could not read the folder (or all of it); empty when it could.
    std::error_code ListError() const;

    FolderItem Child(const QString& name) const;

    std::error_code CreateAsFolder() const;
    std::error_code Delete() const; // a file or a link; never a folder's contents
    // Copies this file into folder under its own name. A file already there is replaced only
    // once the new one is complete; a failed copy leaves the old file as it was. On failure,
    // failedPath (when given) names the entry concerned: this file when it could not be read,
    // otherwise the entry in folder.
    std::error_code CopyFileTo(const FolderItem& folder,
                               std::filesystem::path* failedPath = nullptr) const;
    bool Launch() const; // opens the document with the application the desktop associates

    // Keeps a folder open while it lives. Meanwhile its Count, and CopyFileTo of the entries
    // its Item hands out or into the folder, reach the entries by name instead of walking the
    // whole path on every call, and keep to the folder that was opened. Where the folder cannot
    // be opened, all goes by path as before.
    class Hold {
      public:
        explicit Hold(const FolderItem& folder);
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;
        ~Hold();

      private:
        const FolderItem& folder_;
        std::shared_ptr<FolderHandle> own_;
        std::shared_ptr<FolderHandle> previous_;
    };

  private:
    struct Listing;
    FolderItem(std::string path, std::filesystem::file_type knownType,
               std::shared_ptr<FolderHandle> parent = nullptr);

    // A copy walks tens of thousands of entries, and a path object splits its text into parts
    // each time one is made: the text is kept, the object made only when asked for.
    std::string native_;
    mutable std::optional<std::filesystem::path> path_;
    std::filesystem::file_type knownType_ = std::filesystem::file_type::none;
    mutable std::shared_ptr<Listing> listing_;
    // This folder while a Hold keeps it open, and the held folder an entry was listed from;
    // entries that outlive the Hold find the handle closed and go by path.
    mutable std::shared_ptr<FolderHandle> held_;
    std::shared_ptr<FolderHandle> parent_;
};

// The folder that holds the program (on macOS the folder that holds the app bundle).
std::filesystem::path programFolder();

// "" yields the program folder; a relative path resolves against the program folder, never
// against the current working directory.
std::optional<FolderItem> GetFolderItem(const QString& path);

// Throws NullObjectException for an empty item.
const FolderItem& require(const std::optional<FolderItem>& item, const char* what);
// The item would die with the temporary before the caller could use it.
const FolderItem& require(std::optional<FolderItem>&& item, const char* what) = delete;

namespace testing {
// Lets tests lay out a delivery folder anywhere; an empty path restores the real one.
void setProgramFolder(const std::filesystem::path& folder);
} // namespace testing

} // namespace platform
