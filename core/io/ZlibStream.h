#pragma once
// Compresses a whole buffer into one zlib stream (RFC 1950), as a PNG's image data needs.
//
// Two codings compete. Matching (libdeflate, which is faster and smaller than zlib's
// levels) wins on smooth pictures; on noisy ones, where short matches cost more than
// they save, plain Huffman coding of the bytes (HuffmanDeflate) is smaller and many
// times faster. A few
// samples spread over the buffer decide which one the whole buffer gets. Either runs on
// every core: the buffer is cut into fixed parts (the same on every machine, so the same
// picture gives the same file) that each end on a byte boundary without ending the
// stream, so they join into one valid stream.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace wavory::codec {

enum class DeflateEffort {
    Fastest,  // the quickest matching; FLEVEL 0
    Standard, // a balance of time and size; FLEVEL 2
    Smallest, // the smallest matching within reason; FLEVEL 3
};

// Throws std::bad_alloc when memory runs out, std::runtime_error when a compressor fails.
std::vector<std::uint8_t> compressZlib(std::span<const std::uint8_t> data, DeflateEffort effort);

} // namespace wavory::codec
