#pragma once
// The image files handed to the linked application: written as "名称未設定N.bmp" in a
// folder, recorded with their modification time, and deleted at exit unless the other
// application saved them again.

#include "image/Canvas.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace wavory {

struct LinkedFile {
    std::filesystem::path path;
    std::filesystem::file_time_type time; // right after writing
};

// folder + "名称未設定" (in the windows' language) + n + ".bmp"; an empty folder means
// the current folder.
std::string linkedFileName(std::string_view folder, int n);

struct LinkedFileWrite {
    std::string path;      // the file written, empty on failure
    std::error_code error; // why nothing was written
};

// Writes the picture as a BMP under the first name linkedFileName(folder, n), n = 1, 2, …,
// that is not taken yet.
LinkedFileWrite writeLinkedFile(std::string_view folder, const Canvas& picture);

class LinkedFileList {
  public:
    // Records the file with its current modification time; false (nothing recorded) when
    // the time cannot be read.
    bool record(const std::filesystem::path& path);
    const std::vector<LinkedFile>& files() const { return files_; }

    // Deletes, in the order of recording, every file whose modification time is still
    // the recorded one. A file changed since, already gone or not deletable is left alone.
    // The list is empty afterwards.
    void deleteUnchanged();

  private:
    std::vector<LinkedFile> files_;
};

} // namespace wavory
