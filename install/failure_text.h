#pragma once

#include "copy_report.h"

#include <QString>

#include <cstdint>
#include <filesystem>
#include <system_error>

// The German sentences that tell the user what went wrong in an installation and what to do.
namespace Modul1 {

// The system's reason for a failure as a short German phrase.
QString reasonText(std::error_code reason);

// One message for everything the copy could not install: how many entries, the first few with
// their reasons (paths below base are shown relative to it), and what to do. Empty when nothing
// failed.
QString copyFailureText(const CopyReport& report, const std::filesystem::path& base);

// The installation needs more room than the volume of folder has free; nothing was written.
QString notEnoughSpaceText(std::uintmax_t neededBytes, std::uintmax_t availableBytes,
                           const std::filesystem::path& folder);

} // namespace Modul1
