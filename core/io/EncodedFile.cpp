#include "io/EncodedFile.h"

#include "common/UiText.h"

#include "io/AtomicFile.h"

#include <cerrno>
#include <new>

namespace wavory::codec {

const char* const kOutOfMemoryText = UiText::trNoop("メモリが不足しています。");

Result writeEncodedFile(const std::filesystem::path& target, const StreamEncoder& encode) {
    try {
        // A name ending in a separator names a folder, never a file.
        if (target.empty() || !target.has_filename())
            return {kCannotOpen, systemErrorText({EISDIR, std::generic_category()})};
        AtomicFileWriter writer(target);
        if (auto ec = writer.open())
            return {kCannotOpen, systemErrorText(ec)};
        EncodeOutcome outcome = encode(writer.stream());
        switch (outcome.status) {
        case EncodeOutcome::Status::WriteFailed:
            return {kCannotWrite, std::move(outcome.message)};
        case EncodeOutcome::Status::EncoderFailed:
            return {kInternalError, std::move(outcome.message)};
        case EncodeOutcome::Status::Ok:
            break;
        }
        if (auto ec = writer.commit())
            return {kCannotWrite, systemErrorText(ec)};
        return {};
    } catch (const std::bad_alloc&) {
        return {kInternalError, UiText::tr(kOutOfMemoryText)};
    }
}

} // namespace wavory::codec
