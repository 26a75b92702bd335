#pragma once

#include <filesystem>
#include <system_error>

namespace platform {

// Copies the file source into folder under its own name, keeping its modification time.
// - Nothing there yet: the file is written under its final name and removed again if the
//   copy fails.
// - A file or a link there: the new file is written beside it under a temporary name and moved
//   over it only when complete, so a failed copy keeps the old file and a link is replaced
//   itself, never written through.
// - A folder there: nothing is touched; the answer is is_a_directory.
std::error_code copyFileInto(const std::filesystem::path& source,
                             const std::filesystem::path& folder);

// The name a replacement is written under before it is moved into place.
std::filesystem::path temporaryNameFor(const std::filesystem::path& target);

} // namespace platform
