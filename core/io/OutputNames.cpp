#include "io/OutputNames.h"

#include "common/PathText.h"

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

} // namespace

ImageFileFormat imageFormatForName(std::string_view name) {
    if (endsWithNoCase(name, "jpeg") || endsWithNoCase(name, "jpg"))
        return ImageFileFormat::Jpeg;
    if (endsWithNoCase(name, "png"))
        return ImageFileFormat::Png;
    return ImageFileFormat::Bmp;
}

std::string companionTextName(std::string_view imageName) {
    return TrimDirFname(imageName) + ".txt";
}

} // namespace wavory
