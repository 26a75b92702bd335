#pragma once

#include <string>
#include <string_view>

namespace platform {

// Paths as plain text, for the per-file work of a copy, where building path objects would cost
// more than the system calls. Same results as std::filesystem for the paths used there.

// The last part of path: "b" for "a/b", "" for "a/".
inline std::string_view lastName(std::string_view path) {
    const auto slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// folder/name, with one separator.
inline std::string joinPath(std::string_view folder, std::string_view name) {
    std::string joined;
    joined.reserve(folder.size() + 1 + name.size());
    joined.append(folder);
    if (!folder.empty() && folder.back() != '/')
        joined.push_back('/');
    joined.append(name);
    return joined;
}

} // namespace platform
