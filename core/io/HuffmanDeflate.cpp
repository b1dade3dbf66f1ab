#include "io/HuffmanDeflate.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace wavory::codec {

namespace {

// Each block gets its own code: small enough to follow the picture's changes, large
// enough that the code's description (about 200 bytes) costs little.
constexpr std::size_t kBlockBytes = std::size_t{64} << 10;

constexpr int kLiteralSymbols = 257; // the 256 byte values and the end of block
constexpr int kEndOfBlock = 256;
constexpr int kMaxCodeBits = 15;
constexpr int kCodeLengthSymbols = 19;
constexpr int kMaxCodeLengthBits = 7;
// The order in which the code lengths of the code-length alphabet are sent.
constexpr std::array<int, kCodeLengthSymbols> kCodeLengthOrder = {
    16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};

// Deflate's bit order: least significant bit first, values packed from the low end.
class BitWriter {
  public:
    explicit BitWriter(std::uint8_t* out) : start_(out), out_(out) {}

    // n <= 32 bits of value; at most 31 bits are pending before, so 64 always suffice.
    void put(std::uint32_t value, unsigned n) {
        bits_ |= static_cast<std::uint64_t>(value) << count_;
        count_ += n;
        if (count_ >= 32) {
            for (int i = 0; i < 4; ++i)
                out_[i] = static_cast<std::uint8_t>(bits_ >> (8 * i));
            out_ += 4;
            bits_ >>= 32;
            count_ -= 32;
        }
    }

    // Pads with zero bits to the next byte boundary and writes what is pending.
    void alignToByte() {
        while (count_ > 0) {
            *out_++ = static_cast<std::uint8_t>(bits_);
            bits_ >>= 8;
            count_ = count_ >= 8 ? count_ - 8 : 0;
        }
        bits_ = 0;
    }

    void byte(std::uint8_t value) { put(value, 8); }

    std::size_t written() const { return static_cast<std::size_t>(out_ - start_); }

  private:
    std::uint8_t* start_;
    std::uint8_t* out_;
    std::uint64_t bits_ = 0;
    unsigned count_ = 0;
};

// Huffman code lengths of at most `limit` bits; unused symbols get 0. At least two
// symbols get a code, as decoders expect complete codes. Too long codes are avoided by
// flattening the frequencies and building again.
template <std::size_t N>
std::array<std::uint8_t, N> codeLengths(std::array<std::uint32_t, N> freq, int limit) {
    std::size_t used = static_cast<std::size_t>(
        std::count_if(freq.begin(), freq.end(), [](std::uint32_t f) { return f > 0; }));
    for (std::size_t s = 0; used < 2 && s < N; ++s) {
        if (freq[s] == 0) {
            freq[s] = 1;
            ++used;
        }
    }
    std::array<std::uint8_t, N> lengths{};
    for (;;) {
        // Two-queue construction over the leaves sorted by frequency: leaves are nodes
        // 0 .. m-1, merged nodes follow in the order they are made.
        std::array<int, N> symbols{};
        std::size_t m = 0;
        for (std::size_t s = 0; s < N; ++s) {
            if (freq[s] > 0)
                symbols[m++] = static_cast<int>(s);
        }
        std::stable_sort(symbols.begin(), symbols.begin() + m,
                         [&](int a, int b) { return freq[a] < freq[b]; });
        std::array<std::uint64_t, 2 * N> weight{};
        std::array<std::size_t, 2 * N> parent{};
        for (std::size_t i = 0; i < m; ++i)
            weight[i] = freq[symbols[i]];
        std::size_t nextLeaf = 0, nextMerged = m, made = m;
        auto takeSmallest = [&] {
            if (nextLeaf < m && (nextMerged == made || weight[nextLeaf] <= weight[nextMerged]))
                return nextLeaf++;
            return nextMerged++;
        };
        for (std::size_t k = 0; k + 1 < m; ++k) {
            const std::size_t a = takeSmallest();
            const std::size_t b = takeSmallest();
            weight[made] = weight[a] + weight[b];
            parent[a] = parent[b] = made;
            ++made;
        }
        std::array<int, 2 * N> depth{};
        int deepest = 0;
        for (std::size_t i = made - 1; i-- > 0;) {
            depth[i] = depth[parent[i]] + 1;
            deepest = std::max(deepest, depth[i]);
        }
        if (deepest <= limit) {
            for (std::size_t i = 0; i < m; ++i)
                lengths[static_cast<std::size_t>(symbols[i])] = static_cast<std::uint8_t>(depth[i]);
            return lengths;
        }
        for (std::uint32_t& f : freq) {
            if (f > 0)
                f = (f >> 1) | 1;
        }
    }
}

// Canonical codes for the lengths, bit-reversed for deflate's bit order.
template <std::size_t N>
std::array<std::uint32_t, N> canonicalCodes(const std::array<std::uint8_t, N>& lengths) {
    std::array<std::uint32_t, kMaxCodeBits + 2> count{};
    for (std::uint8_t l : lengths)
        ++count[l];
    count[0] = 0;
    std::array<std::uint32_t, kMaxCodeBits + 2> next{};
    std::uint32_t code = 0;
    for (int bits = 1; bits <= kMaxCodeBits; ++bits) {
        code = (code + count[static_cast<std::size_t>(bits - 1)]) << 1;
        next[static_cast<std::size_t>(bits)] = code;
    }
    std::array<std::uint32_t, N> codes{};
    for (std::size_t s = 0; s < N; ++s) {
        const int l = lengths[s];
        if (l == 0)
            continue;
        const std::uint32_t c = next[static_cast<std::size_t>(l)]++;
        std::uint32_t reversed = 0;
        for (int i = 0; i < l; ++i)
            reversed |= ((c >> i) & 1u) << (l - 1 - i);
        codes[s] = reversed;
    }
    return codes;
}

void writeBlock(BitWriter& out, std::span<const std::uint8_t> data, bool final) {
    std::array<std::uint32_t, kLiteralSymbols> freq{};
    for (std::uint8_t b : data)
        ++freq[b];
    freq[kEndOfBlock] = 1;
    const auto literalLengths = codeLengths(freq, kMaxCodeBits);
    const auto literalCodes = canonicalCodes(literalLengths);

    // Two distance codes of one bit: never used, but a complete code for every decoder.
    constexpr std::size_t kDistanceCodes = 2;
    std::array<std::uint8_t, kLiteralSymbols + kDistanceCodes> allLengths{};
    std::copy(literalLengths.begin(), literalLengths.end(), allLengths.begin());
    allLengths[kLiteralSymbols] = allLengths[kLiteralSymbols + 1] = 1;
    // The lengths go out as plain code-length symbols 0..15, without run lengths: it
    // costs a few dozen bytes a block and keeps the description simple.
    std::array<std::uint32_t, kCodeLengthSymbols> lengthFreq{};
    for (std::uint8_t l : allLengths)
        ++lengthFreq[l];
    const auto lengthLengths = codeLengths(lengthFreq, kMaxCodeLengthBits);
    const auto lengthCodes = canonicalCodes(lengthLengths);
    int sentLengthCodes = kCodeLengthSymbols;
    while (sentLengthCodes > 4 &&
           lengthLengths[static_cast<std::size_t>(kCodeLengthOrder[sentLengthCodes - 1])] == 0)
        --sentLengthCodes;

    out.put(final ? 1 : 0, 1);
    out.put(2, 2);                                               // dynamic Huffman codes
    out.put(kLiteralSymbols - 257, 5);                           // HLIT
    out.put(kDistanceCodes - 1, 5);                              // HDIST
    out.put(static_cast<std::uint32_t>(sentLengthCodes - 4), 4); // HCLEN
    for (int i = 0; i < sentLengthCodes; ++i)
        out.put(lengthLengths[static_cast<std::size_t>(kCodeLengthOrder[i])], 3);
    for (std::uint8_t l : allLengths)
        out.put(lengthCodes[l], lengthLengths[l]);

    for (std::uint8_t b : data)
        out.put(literalCodes[b], literalLengths[b]);
    out.put(literalCodes[kEndOfBlock], literalLengths[kEndOfBlock]);
}

} // namespace

std::vector<std::uint8_t> huffmanDeflate(std::span<const std::uint8_t> data, bool last) {
    const std::size_t blocks =
        std::max<std::size_t>(1, (data.size() + kBlockBytes - 1) / kBlockBytes);
    // At most 15 bits a byte, a description of under 300 bytes a block, and the ending.
    std::vector<std::uint8_t> out(data.size() * 2 + blocks * 300 + 16);
    BitWriter writer(out.data());
    for (std::size_t i = 0; i < blocks; ++i) {
        const std::size_t begin = i * kBlockBytes;
        const std::size_t size = std::min(kBlockBytes, data.size() - begin);
        writeBlock(writer, data.subspan(begin, size), last && i + 1 == blocks);
    }
    if (!last) {
        writer.put(0, 3); // an empty stored block: not final, type 00
        writer.alignToByte();
        for (std::uint8_t b : {0x00, 0x00, 0xFF, 0xFF})
            writer.byte(b);
    }
    writer.alignToByte();
    out.resize(writer.written());
    return out;
}

} // namespace wavory::codec
