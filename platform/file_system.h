#pragma once

#include <filesystem>
#include <system_error>

namespace platform {
// Room for later work: free space and flushing of the target volume.
} // namespace platform
