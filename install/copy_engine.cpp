#include "modul1.h"

#include "../platform/app_control.h"
#include "../platform/file_copy.h"
#include "../platform/progress.h"

#include <utility>
#include <vector>

namespace fs = std::filesystem;
using platform::FileIdentity;
using platform::FolderItem;

namespace Modul1 {

namespace {

// What one copy run carries down its recursion.
class Walk {
  public:
    CopyReport report;

    void fail(const fs::path& path, std::error_code reason) { report.fail(path, reason); }
    void fail(const fs::path& path, std::errc reason) { fail(path, std::make_error_code(reason)); }

    // The folders on the way from the top of the run to the folder being copied, on the
    // reading and on the writing side, and the destination the run fills. A source folder that
    // is one of them would send the copy round in a circle.
    enum class Side { read, written };
    void enter(const FileIdentity& id, Side side) { path_.emplace_back(id, side); }
    void leave(std::size_t count) { path_.resize(path_.size() - count); }
    const Side* sideOf(const FileIdentity& id) const {
        for (const auto& [known, side] : path_) {
            if (known == id)
                return &side;
        }
        return nullptr;
    }

  private:
    std::vector<std::pair<FileIdentity, Side>> path_;
};

// A folder the run writes into. Its lock is cleared before the first change in it, since a
// locked folder would refuse every entry, and once more after files were copied into it.
class Receiving {
  public:
    explicit Receiving(const FolderItem& folder) : folder_(folder) {}
    Receiving(const Receiving&) = delete;
    Receiving& operator=(const Receiving&) = delete;

    const FolderItem& folder() const { return folder_; }
    void beforeChange() {
        if (checked_)
            return;
        checked_ = true;
        if (folder_.Locked())
            folder_.SetLocked(false); // a failure shows in the entries that follow
    }
    void fileCopied() { copied_ = true; }
    void finish() {
        if (copied_ && folder_.Locked())
            folder_.SetLocked(false);
    }

  private:
    const FolderItem& folder_;
    bool checked_ = false;
    bool copied_ = false;
};

bool identityOf(const FolderItem& item, FileIdentity& id) {
    return platform::identityOf(item.path(), id);
}

// Files whose names begin with "." are not installed, and one of that name in the receiving
// folder is removed. A folder of that name is the user's and stays.
void removeDotEntry(const FolderItem& existing, Receiving& into, Walk& walk) {
    const bool link = existing.IsLink();
    if (!link && (!existing.Exists() || existing.Directory()))
        return;
    into.beforeChange();
    // A link's lock is its target's, which is not the installer's to change.
    if (!link && existing.Locked())
        existing.SetLocked(false);
    if (std::error_code ec = existing.Delete())
        walk.fail(existing.path(), ec);
}

void copyFile(const FolderItem& file, Receiving& into, Walk& walk) {
    const QString name = file.Name();
    if (name.startsWith(u'.')) {
        removeDotEntry(into.folder().Child(name), into, walk);
        return;
    }
    into.beforeChange();
    // Whatever stands under the name is replaced only once the new file is complete; a folder
    // there is the user's and is never removed to make room.
    fs::path failedPath;
    if (std::error_code ec = file.CopyFileTo(into.folder(), &failedPath)) {
        walk.fail(failedPath, ec);
        return;
    }
    into.fileCopied();
    platform::showProgressName(name);
}

// Makes sure the mirror folder exists; a link to a folder serves as the folder it points to.
std::error_code prepareMirror(const FolderItem& mirror, Receiving& parent) {
    if (mirror.Directory())
        return {};
    if (mirror.IsLink()) // pointing nowhere, perhaps to a drive that is not attached
        return std::make_error_code(mirror.Exists() ? std::errc::not_a_directory
                                                    : std::errc::no_such_file_or_directory);
    if (mirror.Exists())
        return std::make_error_code(std::errc::not_a_directory);
    parent.beforeChange();
    std::error_code ec = mirror.CreateAsFolder();
    if (ec == std::errc::file_exists && mirror.Directory())
        return {};
    return ec;
}

void copyFolder(const FolderItem& source, Receiving& parent, Walk& walk) {
    FileIdentity sourceId;
    if (!identityOf(source, sourceId)) {
        walk.fail(source.path(), std::errc::no_such_file_or_directory);
        return;
    }
    if (const Walk::Side* side = walk.sideOf(sourceId)) {
        // A link back to a folder above, or a folder the run is writing into.
        walk.fail(source.path(), *side == Walk::Side::read
                                     ? std::errc::too_many_symbolic_link_levels
                                     : std::errc::invalid_argument);
        return;
    }
    const FolderItem mirror = parent.folder().Child(source.Name());
    if (std::error_code ec = prepareMirror(mirror, parent)) {
        walk.fail(mirror.path(), ec);
        return;
    }
    FileIdentity mirrorId;
    if (!identityOf(mirror, mirrorId)) {
        walk.fail(mirror.path(), std::errc::no_such_file_or_directory);
        return;
    }
    if (mirrorId == sourceId) // the destination already is this very folder
        return;

    walk.enter(sourceId, Walk::Side::read);
    walk.enter(mirrorId, Walk::Side::written);
    Receiving into(mirror);
    // Both folders stay open for the loop: each file is then reached by its name alone.
    const FolderItem::Hold heldSource(source);
    const FolderItem::Hold heldMirror(mirror);
    // The count is read before every pass, so entries that turn up meanwhile are taken too.
    for (int i = 1; !platform::quitRequested() && i <= source.Count(); ++i) {
        const FolderItem entry = source.Item(i);
        if (entry.Directory())
            copyFolder(entry, into, walk);
        else
            copyFile(entry, into, walk);
        platform::yieldToBackground();
    }
    if (std::error_code ec = source.ListError())
        walk.fail(source.path(), ec);
    into.finish();
    walk.leave(2);
}

} // namespace

CopyReport CopyFileOrFolder(const FolderItem& source, const FolderItem& destination) {
    Walk walk;
    FileIdentity destinationId;
    if (identityOf(destination, destinationId))
        walk.enter(destinationId, Walk::Side::written);
    // A quit asked for in one of the yields ends the run before the next entry, never inside a
    // file.
    if (!platform::quitRequested()) {
        Receiving into(destination);
        if (source.Directory())
            copyFolder(source, into, walk);
        else
            copyFile(source, into, walk);
        into.finish();
    }
    // The name line is drawn at most every few milliseconds: the last name must not be lost.
    platform::flushProgressName();
    return std::move(walk.report);
}

} // namespace Modul1
