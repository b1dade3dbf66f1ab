#include "io/OutputNames.h"

#include "common/PathText.h"

namespace wavory {

ImageFileFormat imageFormatForName(std::string_view name) {
    if (endsWithNoCase(name, "jpeg") || endsWithNoCase(name, "jpg"))
        return ImageFileFormat::Jpeg;
    if (endsWithNoCase(name, "png"))
        return ImageFileFormat::Png;
    return ImageFileFormat::Bmp;
}

std::string companionTextName(std::string_view imageName) {
    return withoutExtension(imageName) + ".txt";
}

} // namespace wavory
