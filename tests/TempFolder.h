#pragma once
// A fresh, empty folder of its own for one test, under the system's temporary folder, and
// removed with everything in it when the object goes (also after a test made parts of it
// read-only). Every test that touches files works inside one, so tests running in
// parallel processes never see each other's files. Window tests use it too.

#include <gtest/gtest.h>

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

namespace wavory::testing {

class TempFolder {
  public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "wavory-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            ADD_FAILURE() << "cannot create a temporary folder from " << pattern;
        path_ = pattern;
    }
    ~TempFolder() {
        std::error_code ec;
        const auto writable = std::filesystem::perms::owner_all;
        std::filesystem::permissions(path_, writable, std::filesystem::perm_options::add, ec);
        for (auto it = std::filesystem::recursive_directory_iterator(path_, ec);
             !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
            if (it->is_directory(ec))
                std::filesystem::permissions(it->path(), writable,
                                             std::filesystem::perm_options::add, ec);
        }
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::filesystem::path& name) const {
        return path_ / name;
    }
    std::string str() const { return path_.string(); }
    // The full name of `name` inside the folder.
    std::string file(const std::string& name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_;
};

// A temporary folder that is also the program folder (WAVORY_HOME) while it lives; the
// previous setting comes back afterwards.
class TempProgramFolder : public TempFolder {
  public:
    TempProgramFolder() {
        if (const char* previous = std::getenv("WAVORY_HOME"))
            previous_ = previous;
        ::setenv("WAVORY_HOME", str().c_str(), 1);
    }
    ~TempProgramFolder() {
        if (previous_)
            ::setenv("WAVORY_HOME", previous_->c_str(), 1);
        else
            ::unsetenv("WAVORY_HOME");
    }

  private:
    std::optional<std::string> previous_;
};

} // namespace wavory::testing
