#pragma once
// Raw deflate (RFC 1951) that codes every byte as a literal, with a Huffman code fitted
// to each block: what zlib's Huffman-only strategy makes, at several times its speed.
// For noisy image rows, where matches cost more than they save, it is also the smallest.

#include <cstdint>
#include <span>
#include <vector>

namespace wavory::codec {

// The deflate blocks for `data`. With `last` they end the stream (padded to a byte);
// otherwise they end with an empty stored block, on a byte boundary, so that more blocks
// can follow (a sync flush).
std::vector<std::uint8_t> huffmanDeflate(std::span<const std::uint8_t> data, bool last);

} // namespace wavory::codec
