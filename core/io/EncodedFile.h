#pragma once
// Runs an encoder into an atomically written file and turns what happened into a
// codec result code: the target folder refused -> 1, a write, sync or rename
// failure -> 2, the encoder itself failed or memory ran out -> 255. On any failure
// the temporary file is removed and an existing target is left as it was.

#include "io/CodecResult.h"

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

namespace wavory::codec {

struct EncodeOutcome {
    enum class Status { Ok, WriteFailed, EncoderFailed };
    Status status = Status::Ok;
    std::string message;
};

using StreamEncoder = std::function<EncodeOutcome(std::FILE* out)>;

Result writeEncodedFile(const std::filesystem::path& target, const StreamEncoder& encode);

// The text shown when memory runs out inside the codec layer.
extern const char* const kOutOfMemoryText;

} // namespace wavory::codec
