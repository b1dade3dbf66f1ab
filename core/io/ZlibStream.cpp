#include "io/ZlibStream.h"

#include "io/ParallelParts.h"

#include <algorithm>
#include <memory>
#include <new>

#include <libdeflate.h>
#include <zlib.h>

namespace wavory::codec {

namespace {

// Huffman coding restarts its statistics every part: a part must be large enough that
// its code tables cost nothing, and small enough to spread over the cores.
constexpr std::size_t kHuffmanPartBytes = std::size_t{1} << 20;

// The choice between the codings looks at this many windows of this size.
constexpr std::size_t kSampleCount = 8;
constexpr std::size_t kSampleBytes = std::size_t{128} << 10;

struct EffortSettings {
    int libdeflateLevel;
    int flevel; // the zlib header's compression level field
};

EffortSettings settingsFor(DeflateEffort effort) {
    switch (effort) {
    case DeflateEffort::Fastest:
        return {1, 0};
    case DeflateEffort::Standard:
        return {6, 2};
    case DeflateEffort::Smallest:
        break;
    }
    return {9, 3};
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

// Raw deflate with matching, appended to `out`.
void appendMatched(std::span<const std::uint8_t> data, int level, std::vector<std::uint8_t>& out) {
    const Compressor compressor = makeCompressor(level);
    const std::size_t start = out.size();
    out.resize(start + libdeflate_deflate_compress_bound(compressor.get(), data.size()));
    const std::size_t written = libdeflate_deflate_compress(compressor.get(), data.data(),
                                                            data.size(), out.data() + start,
                                                            out.size() - start);
    // The bound always suffices; 0 would mean it did not.
    if (written == 0)
        throw std::bad_alloc();
    out.resize(start + written);
}

struct DeflateStreamEnd {
    void operator()(z_stream* z) const { deflateEnd(z); }
};

// One part of a Huffman-coded raw deflate stream: the last part ends the stream, every
// other ends on a byte boundary with an empty stored block so the next can follow it.
std::vector<std::uint8_t> huffmanPart(std::span<const std::uint8_t> data, bool last) {
    z_stream z{};
    if (deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -15, 9, Z_HUFFMAN_ONLY) != Z_OK)
        throw std::bad_alloc();
    const std::unique_ptr<z_stream, DeflateStreamEnd> end(&z);
    std::vector<std::uint8_t> out(deflateBound(&z, static_cast<uLong>(data.size())) + 16);
    z.next_in = const_cast<Bytef*>(data.data()); // zlib only reads it
    z.avail_in = static_cast<uInt>(data.size());
    const int flush = last ? Z_FINISH : Z_SYNC_FLUSH;
    for (;;) {
        z.next_out = out.data() + z.total_out;
        z.avail_out = static_cast<uInt>(out.size() - z.total_out);
        const int status = deflate(&z, flush);
        if (status == Z_STREAM_END || (!last && status == Z_OK && z.avail_out > 0))
            break;
        if (status != Z_OK && status != Z_BUF_ERROR)
            throw std::bad_alloc(); // only a broken state gets here; treat as a failure
        out.resize(out.size() * 2);
    }
    out.resize(z.total_out);
    return out;
}

void appendHuffman(std::span<const std::uint8_t> data, std::vector<std::uint8_t>& out) {
    const std::size_t parts = std::max<std::size_t>(
        1, (data.size() + kHuffmanPartBytes - 1) / kHuffmanPartBytes);
    std::vector<std::vector<std::uint8_t>> coded(parts);
    forEachPart(parts, [&](std::size_t i) {
        const std::size_t begin = i * kHuffmanPartBytes;
        const std::size_t size = std::min(kHuffmanPartBytes, data.size() - begin);
        coded[i] = huffmanPart(data.subspan(begin, size), i + 1 == parts);
    });
    for (const auto& part : coded)
        out.insert(out.end(), part.begin(), part.end());
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
    forEachPart(windows, [&](std::size_t i) {
        const std::size_t begin = (data.size() - windowBytes) / std::max<std::size_t>(1, windows - 1) * i;
        const auto window = data.subspan(begin, windowBytes);
        std::vector<std::uint8_t> out;
        appendMatched(window, level, out);
        matched[i] = out.size();
        huffman[i] = huffmanPart(window, true).size();
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
    if (huffmanIsSmaller(data, settings.libdeflateLevel))
        appendHuffman(data, out);
    else
        appendMatched(data, settings.libdeflateLevel, out);
    appendBigEndian32(static_cast<std::uint32_t>(libdeflate_adler32(1, data.data(), data.size())),
                      out);
    return out;
}

} // namespace wavory::codec
