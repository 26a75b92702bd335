#include "copy_report.h"

namespace Modul1 {

void CopyReport::fail(const std::filesystem::path& path, std::error_code reason) {
    if (first_.size() < keptFailures)
        first_.push_back({path, reason});
    ++count_;
}

void CopyReport::merge(const CopyReport& other) {
    for (const CopyFailure& failure : other.first_) {
        if (first_.size() < keptFailures)
            first_.push_back(failure);
    }
    count_ += other.count_;
}

} // namespace Modul1
