#include "io/ProgramFolder.h"

#include <cstdlib>

namespace wavory::detail {

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

// The folder followed by exactly one "/" and then `child` (may be empty).
std::string joinFolder(std::string folder, std::string_view child) {
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    folder += child;
    return folder;
}

} // namespace

std::string programFolder() {
    if (auto home = environment("WAVORY_HOME"); !home.empty())
        return joinFolder(home, "");
    // The XDG rules ignore a relative XDG_CONFIG_HOME.
    if (auto config = environment("XDG_CONFIG_HOME"); !config.empty() && config.front() == '/')
        return joinFolder(config, "wavory/");
    const std::string user = environment("HOME");
    return joinFolder(user.empty() ? std::string(".") : user, ".config/wavory/");
}

std::string resolveInProgramFolder(std::string_view name) {
    if (!name.empty() && name.front() == '/')
        return std::string(name);
    std::string path = programFolder();
    path += name;
    return path;
}

} // namespace wavory::detail
