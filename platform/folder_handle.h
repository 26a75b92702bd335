#pragma once

#include <fcntl.h>
#include <unistd.h>

namespace platform {

// A folder held open. Calls made relative to it look up one name instead of walking the whole
// path again, work that a copy of many small files would otherwise repeat for every file; and
// they keep reaching the folder that was opened, even if another one is put in its place.
class FolderHandle {
  public:
    explicit FolderHandle(const char* path) : fd_(::open(path, flags)) {}
    FolderHandle(const FolderHandle&) = delete;
    FolderHandle& operator=(const FolderHandle&) = delete;
    ~FolderHandle() { close(); }

    bool isOpen() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    void close() {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }

  private:
#ifdef O_PATH
    // A handle for look-ups only: like the paths it stands for, it needs no read permission on
    // the folder, just the right to pass through it.
    static constexpr int flags = O_PATH | O_DIRECTORY | O_CLOEXEC;
#else
    static constexpr int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
#endif
    int fd_;
};

} // namespace platform
