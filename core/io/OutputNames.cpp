#include "io/OutputNames.h"

namespace wavory {

namespace {

bool endsWithNoCase(std::string_view text, std::string_view lowerSuffix) {
    if (text.size() < lowerSuffix.size())
        return false;
    const auto tail = text.substr(text.size() - lowerSuffix.size());
    for (std::size_t i = 0; i < tail.size(); ++i) {
        char c = tail[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != lowerSuffix[i])
            return false;
    }
    return true;
}

// The path without its extension: everything from the last "." of the last path element
// is cut, unless that "." is the path's first character.
std::string trimDirFname(std::string_view path) {
    const auto cut = path.find_last_of("./");
    if (cut == std::string_view::npos || cut == 0 || path[cut] != '.')
        return std::string(path);
    return std::string(path.substr(0, cut));
}

} // namespace

ImageFileFormat imageFormatForName(std::string_view name) {
    if (endsWithNoCase(name, "jpeg") || endsWithNoCase(name, "jpg"))
        return ImageFileFormat::Jpeg;
    if (endsWithNoCase(name, "png"))
        return ImageFileFormat::Png;
    return ImageFileFormat::Bmp;
}

std::string companionTextName(std::string_view imageName) {
    return trimDirFname(imageName) + ".txt";
}

} // namespace wavory
