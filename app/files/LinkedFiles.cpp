#include "LinkedFiles.h"

#include "platform/FileDialogs.h"
#include "platform/QtText.h"

#include "io/BmpWriter.h"

namespace wavory {

namespace {

// Far more numbered files than anyone keeps; beyond that the folder counts as full.
constexpr int kMaxLinkedFileNumber = 100000;

} // namespace

std::string linkedFileName(std::string_view folder, int n) {
    return std::string(folder) + toStd(Ui::tr(kUntitledName)) + std::to_string(n) + ".bmp";
}

LinkedFileWrite writeLinkedFile(std::string_view folder, const Canvas& picture) {
    for (int n = 1; n <= kMaxLinkedFileNumber; ++n) {
        std::string name = linkedFileName(folder, n);
        std::error_code ec;
        const bool taken = std::filesystem::exists(std::filesystem::path(name), ec);
        if (ec)
            return {{}, ec};
        if (taken)
            continue;
        if (const std::error_code written = writeBmp(name, picture))
            return {{}, written};
        return {std::move(name), {}};
    }
    return {{}, std::make_error_code(std::errc::file_exists)};
}

bool LinkedFileList::record(const std::filesystem::path& path) {
    std::error_code ec;
    const auto time = std::filesystem::last_write_time(path, ec);
    if (ec)
        return false;
    files_.push_back({path, time});
    return true;
}

void LinkedFileList::deleteUnchanged() {
    for (const LinkedFile& f : files_) {
        std::error_code ec;
        const auto now = std::filesystem::last_write_time(f.path, ec);
        if (ec || now != f.time)
            continue;
        std::filesystem::remove(f.path, ec);
    }
    files_.clear();
}

} // namespace wavory
