#pragma once
// Names around a saved image: the file format follows from the end of the name the user
// typed, and the parameter text file written beside an image takes the image's name
// with ".txt" in place of its extension.

#include <string>
#include <string_view>

namespace wavory {

enum class ImageFileFormat { Bmp, Jpeg, Png };

// Case-insensitive, characters only (no dot needed): "...jpeg" or "...jpg" is JPEG,
// otherwise "...png" is PNG, anything else BMP ("mypng" is PNG, ".jpe" and ".gif" BMP).
ImageFileFormat imageFormatForName(std::string_view fileName);

// "/a/wave.jpg" gives "/a/wave.txt"; "/a/wave" gives "/a/wave.txt".
std::string companionTextName(std::string_view imageName);

} // namespace wavory
