#pragma once

#include <cstddef>
#include <filesystem>
#include <system_error>
#include <vector>

namespace Modul1 {

// One entry that could not be created, replaced or copied, with the system's reason.
struct CopyFailure {
    std::filesystem::path path;
    std::error_code reason;
};

// What a copy run could not do. Only the first failures are kept with their paths, so a run
// in which every file fails (a full disk) does not grow without bound.
class CopyReport {
  public:
    static constexpr std::size_t keptFailures = 50;

    void fail(const std::filesystem::path& path, std::error_code reason);
    void merge(const CopyReport& other);

    std::size_t failureCount() const { return count_; }
    const std::vector<CopyFailure>& firstFailures() const { return first_; }
    bool ok() const { return count_ == 0; }

  private:
    std::vector<CopyFailure> first_;
    std::size_t count_ = 0;
};

} // namespace Modul1
