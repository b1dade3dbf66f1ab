#include "io/PngContainer.h"

#include "io/AtomicFile.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <vector>

#include <libdeflate.h>

namespace wavory::codec {

namespace {

// Large enough that the chunk framing costs nothing, small enough for any reader.
constexpr std::size_t kIdatBytes = std::size_t{1} << 20;

constexpr std::array<std::uint8_t, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

void putBigEndian32(std::uint32_t v, std::uint8_t* p) {
    p[0] = static_cast<std::uint8_t>(v >> 24);
    p[1] = static_cast<std::uint8_t>(v >> 16);
    p[2] = static_cast<std::uint8_t>(v >> 8);
    p[3] = static_cast<std::uint8_t>(v);
}

class ChunkWriter {
  public:
    explicit ChunkWriter(std::FILE* out) : out_(out) {}

    bool raw(const void* data, std::size_t size) {
        if (failed_)
            return false;
        if (size > 0 && std::fwrite(data, 1, size, out_) != size) {
            failed_ = true;
            error_ = errno;
        }
        return !failed_;
    }

    // Length, type, data, and the CRC over type and data.
    bool chunk(const char (&type)[5], std::span<const std::uint8_t> data) {
        std::uint8_t head[8];
        putBigEndian32(static_cast<std::uint32_t>(data.size()), head);
        std::memcpy(head + 4, type, 4);
        std::uint8_t crc[4];
        std::uint32_t sum = libdeflate_crc32(0, head + 4, 4);
        // A null buffer would restart the sum: an empty chunk adds nothing.
        if (!data.empty())
            sum = libdeflate_crc32(sum, data.data(), data.size());
        putBigEndian32(sum, crc);
        return raw(head, sizeof head) && raw(data.data(), data.size()) && raw(crc, sizeof crc);
    }

    void flush() {
        if (!failed_ && std::fflush(out_) != 0) {
            failed_ = true;
            error_ = errno;
        }
    }

    EncodeOutcome outcome() const {
        if (!failed_)
            return {};
        return {EncodeOutcome::Status::WriteFailed,
                systemErrorText({error_ ? error_ : EIO, std::generic_category()})};
    }

  private:
    std::FILE* out_;
    bool failed_ = false;
    int error_ = 0;
};

} // namespace

EncodeOutcome writePngContainer(std::FILE* out, const PngHeader& header,
                                std::span<const Rgb> palette,
                                std::span<const std::uint8_t> zlibStream) {
    ChunkWriter writer(out);
    writer.raw(kSignature.data(), kSignature.size());

    std::uint8_t ihdr[13];
    putBigEndian32(header.width, ihdr);
    putBigEndian32(header.height, ihdr + 4);
    ihdr[8] = header.bitDepth;
    ihdr[9] = header.colorType;
    ihdr[10] = 0; // deflate
    ihdr[11] = 0; // filter method 0
    ihdr[12] = 0; // not interlaced
    writer.chunk("IHDR", ihdr);

    if (!palette.empty()) {
        std::vector<std::uint8_t> plte;
        plte.reserve(palette.size() * 3);
        for (const Rgb& c : palette)
            plte.insert(plte.end(), {c.r, c.g, c.b});
        writer.chunk("PLTE", plte);
    }
    for (std::size_t at = 0; at < zlibStream.size(); at += kIdatBytes)
        writer.chunk("IDAT", zlibStream.subspan(at, std::min(kIdatBytes, zlibStream.size() - at)));
    writer.chunk("IEND", {});
    writer.flush();
    return writer.outcome();
}

} // namespace wavory::codec
