#include "io/ZlibStream.h"

#include "common/WorkPool.h"
#include "io/HuffmanDeflate.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>
#include <stdexcept>

#include <libdeflate.h>
#include <zlib.h>

namespace wavory::codec {

namespace {

// Parts of Huffman coding share nothing; they only need to spread over the cores.
constexpr std::size_t kHuffmanPartBytes = std::size_t{1} << 20;
// Matching loses only its 32 KiB of history at a part's start; fewer, larger parts keep
// that loss and the joining small.
constexpr std::size_t kMatchedPartBytes = std::size_t{4} << 20;

// The choice between the codings looks at this many windows of this size.
constexpr std::size_t kSampleCount = 8;
constexpr std::size_t kSampleBytes = std::size_t{128} << 10;

struct EffortSettings {
    int libdeflateLevel;
    int flevel; // the zlib header's compression level field
    std::size_t matchedPartBytes;
};

// The fastest matching takes about as long as walking its blocks to join parts: it
// runs as one part.
constexpr std::size_t kWholeBuffer = SIZE_MAX;

EffortSettings settingsFor(DeflateEffort effort) {
    switch (effort) {
    case DeflateEffort::Fastest:
        return {1, 0, kWholeBuffer};
    case DeflateEffort::Standard:
        return {6, 2, kMatchedPartBytes};
    case DeflateEffort::Smallest:
        break;
    }
    return {9, 3, kMatchedPartBytes};
}

struct CompressorDeleter {
    void operator()(libdeflate_compressor* c) const { libdeflate_free_compressor(c); }
};
using Compressor = std::unique_ptr<libdeflate_compressor, CompressorDeleter>;

Compressor makeCompressor(int level) {
    Compressor compressor(libdeflate_alloc_compressor(level));
    if (!compressor)
        throw std::bad_alloc();
    return compressor;
}

// Raw deflate with matching.
std::vector<std::uint8_t> matchedPart(std::span<const std::uint8_t> data, int level) {
    const Compressor compressor = makeCompressor(level);
    std::vector<std::uint8_t> out(libdeflate_deflate_compress_bound(compressor.get(), data.size()));
    const std::size_t written = libdeflate_deflate_compress(compressor.get(), data.data(),
                                                            data.size(), out.data(), out.size());
    // The bound always suffices; 0 would mean it did not.
    if (written == 0)
        throw std::runtime_error("libdeflate: output larger than its bound");
    out.resize(written);
    return out;
}

struct InflateStreamEnd {
    void operator()(z_stream* z) const { inflateEnd(z); }
};

// libdeflate ends every stream with a final block. For another part to follow, the
// final-block bit is cleared and an empty stored block carries the part to a byte
// boundary, as zlib's own sync flush ends a part. Where that bit lies is found by
// walking the blocks with zlib's inflate, which stops at every block boundary when asked.
void makeJoinable(std::vector<std::uint8_t>& part) {
    z_stream z{};
    if (inflateInit2(&z, -15) != Z_OK)
        throw std::bad_alloc();
    const std::unique_ptr<z_stream, InflateStreamEnd> end(&z);
    z.next_in = part.data();
    z.avail_in = static_cast<uInt>(part.size());
    // Each block header starts with its final-block bit; the first is bit 0 of byte 0.
    std::size_t finalByte = 0;
    std::uint8_t finalMask = 1;
    bool finalFound = (part[0] & 1) != 0;
    std::vector<std::uint8_t> discard(std::size_t{64} << 10);
    unsigned unusedAtEnd = 0;
    for (;;) {
        z.next_out = discard.data();
        z.avail_out = static_cast<uInt>(discard.size());
        const int status = inflate(&z, Z_BLOCK);
        if ((status != Z_OK && status != Z_BUF_ERROR) || (status == Z_BUF_ERROR && z.avail_in == 0))
            throw std::runtime_error("zlib: cannot walk the deflate blocks");
        if (!(z.data_type & 128))
            continue;
        // At a block boundary; `unused` bits of the last byte taken are still unread.
        const unsigned unused = static_cast<unsigned>(z.data_type & 7);
        const std::size_t consumed = static_cast<std::size_t>(z.next_in - part.data());
        if (z.data_type & 64) { // the final block has just ended
            unusedAtEnd = unused;
            break;
        }
        // The next block's header starts right after the bits read.
        finalByte = unused ? consumed - 1 : consumed;
        finalMask = static_cast<std::uint8_t>(unused ? 0x100u >> unused : 1u);
        finalFound = finalByte < part.size() && (part[finalByte] & finalMask) != 0;
    }
    if (!finalFound || z.avail_in != 0)
        throw std::runtime_error("zlib: no final deflate block");
    part[finalByte] = static_cast<std::uint8_t>(part[finalByte] & ~finalMask);
    // The stored block's three header bits are zero, as is the padding after them: they
    // fit in the unused bits of the last byte, or need one more byte.
    if (unusedAtEnd < 3)
        part.push_back(0);
    part.insert(part.end(), {0x00, 0x00, 0xFF, 0xFF});
}

// Codes the buffer in parts of `partBytes` on every core and joins them in order.
template <class CodePart>
void appendParts(std::span<const std::uint8_t> data, std::size_t partBytes, const CodePart& code,
                 std::vector<std::uint8_t>& out) {
    const std::size_t parts =
        std::max<std::size_t>(1, data.size() / partBytes + (data.size() % partBytes != 0));
    std::vector<std::vector<std::uint8_t>> coded(parts);
    WorkPool::shared().forEach(parts, [&](std::size_t i) {
        const std::size_t begin = i * partBytes;
        const std::size_t size = std::min(partBytes, data.size() - begin);
        coded[i] = code(data.subspan(begin, size), i + 1 == parts);
    });
    std::size_t total = out.size();
    for (const std::vector<std::uint8_t>& part : coded)
        total += part.size();
    out.reserve(total + 4); // and the checksum after the parts
    for (std::vector<std::uint8_t>& part : coded) {
        out.insert(out.end(), part.begin(), part.end());
        std::vector<std::uint8_t>().swap(part);
    }
}

// Whether Huffman coding alone makes the buffer smaller than matching, judged on
// samples spread evenly over it (the whole buffer when it is small).
bool huffmanIsSmaller(std::span<const std::uint8_t> data, int level) {
    std::size_t windows = kSampleCount;
    std::size_t windowBytes = kSampleBytes;
    if (data.size() <= kSampleCount * kSampleBytes) {
        windows = 1;
        windowBytes = data.size();
    }
    std::vector<std::size_t> matched(windows), huffman(windows);
    WorkPool::shared().forEach(windows, [&](std::size_t i) {
        const std::size_t begin =
            (data.size() - windowBytes) / std::max<std::size_t>(1, windows - 1) * i;
        const auto window = data.subspan(begin, windowBytes);
        matched[i] = matchedPart(window, level).size();
        huffman[i] = huffmanDeflate(window, true).size();
    });
    std::size_t matchedTotal = 0, huffmanTotal = 0;
    for (std::size_t i = 0; i < windows; ++i) {
        matchedTotal += matched[i];
        huffmanTotal += huffman[i];
    }
    return huffmanTotal < matchedTotal;
}

void appendBigEndian32(std::uint32_t v, std::vector<std::uint8_t>& out) {
    out.push_back(static_cast<std::uint8_t>(v >> 24));
    out.push_back(static_cast<std::uint8_t>(v >> 16));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
    out.push_back(static_cast<std::uint8_t>(v));
}

} // namespace

std::vector<std::uint8_t> compressZlib(std::span<const std::uint8_t> data, DeflateEffort effort) {
    const EffortSettings settings = settingsFor(effort);
    std::vector<std::uint8_t> out;
    // Header: deflate with a 32 KiB window, no preset dictionary, FCHECK making the
    // 16-bit value a multiple of 31.
    const unsigned cmf = 0x78;
    unsigned flg = static_cast<unsigned>(settings.flevel) << 6;
    flg += (31 - (cmf * 256 + flg) % 31) % 31;
    out.push_back(static_cast<std::uint8_t>(cmf));
    out.push_back(static_cast<std::uint8_t>(flg));
    if (huffmanIsSmaller(data, settings.libdeflateLevel)) {
        appendParts(data, kHuffmanPartBytes, huffmanDeflate, out);
    } else {
        const int level = settings.libdeflateLevel;
        appendParts(
            data, settings.matchedPartBytes,
            [level](std::span<const std::uint8_t> part, bool last) {
                std::vector<std::uint8_t> coded = matchedPart(part, level);
                if (!last)
                    makeJoinable(coded);
                return coded;
            },
            out);
    }
    appendBigEndian32(static_cast<std::uint32_t>(libdeflate_adler32(1, data.data(), data.size())),
                      out);
    return out;
}

} // namespace wavory::codec
