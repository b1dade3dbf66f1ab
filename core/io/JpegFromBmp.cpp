#include "io/JpegFromBmp.h"

#include "io/AtomicFile.h"
#include "io/BmpReader.h"
#include "io/EncodedFile.h"
#include "io/JpegEncoder.h"

#include <new>
#include <string>

namespace wavory::codec {

Result saveJpegFromBmpFile(const std::filesystem::path& bmpFile,
                           const std::filesystem::path& target, int quality, bool progressive) {
    try {
        std::string bytes;
        if (auto ec = readWholeFile(bmpFile, bytes))
            return {kCannotOpen, systemErrorText(ec)};
        const std::optional<Canvas> picture = decodeBmp(bytes);
        if (!picture || picture->empty())
            return {kFormatError, "not a 24-bit BMP file"};
        bytes = std::string(); // the source bytes are no longer needed
        return saveJpegFile(*picture, target, quality, progressive);
    } catch (const std::bad_alloc&) {
        return {kInternalError, kOutOfMemoryText};
    }
}

} // namespace wavory::codec
