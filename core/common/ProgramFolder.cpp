#include "common/ProgramFolder.h"

#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <system_error>
#include <unistd.h>

namespace wavory {

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::string homeFolder() {
    std::string home = environment("HOME");
    if (!home.empty())
        return home;
    // A session without HOME (a service, a stripped environment) still has a passwd entry.
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir)
        return entry->pw_dir;
    return ".";
}

std::string withoutTrailingSeparators(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

std::string programFolderWithoutSeparator() {
    if (std::string home = environment("WAVORY_HOME"); !home.empty())
        return home;
    const std::string config = environment("XDG_CONFIG_HOME");
    // Relative values are invalid for XDG and ignored.
    if (!config.empty() && config.front() == '/')
        return withoutTrailingSeparators(config) + "/wavory";
    return homeFolder() + "/.config/wavory";
}

} // namespace

std::string programFolder() {
    std::string folder = withoutTrailingSeparators(programFolderWithoutSeparator());
    if (folder.back() != '/')
        folder += '/';
    return folder;
}

std::error_code ensureProgramFolder() {
    std::error_code error;
    std::filesystem::create_directories(programFolder(), error);
    return error;
}

std::string resolveInProgramFolder(std::string_view name) {
    if (!name.empty() && name.front() == '/') return std::string(name);
    return programFolder() + std::string(name);
}

} // namespace wavory
