#include "history/HistoryFile.h"

#include "colorsets/ColorSetCollection.h"
#include "common/UiText.h"
#include "image/Thumbnail.h"
#include "io/AtomicFile.h"

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <optional>

namespace wavory {

namespace {

constexpr std::string_view kMagic = "WAVORY-HISTORY 1\n";
// No entry comes near this: a length beyond it is damage, not an entry.
constexpr std::uint32_t kMaxEntryBytes = 1024 * 1024;
constexpr std::size_t kMaxTextBytes = 4096;
// The bytes checksummed while reading one file, the search for an entry after damage
// included: far more than any file holds, and few enough that no file makes the reading
// slow (a search tries every position).
constexpr std::size_t kMaxSearchedBytes = 256u * 1024 * 1024;

class Writer {
  public:
    void u8(std::uint8_t v) { out_.push_back(static_cast<char>(v)); }
    void u16(std::uint16_t v) { bytes(v, 2); }
    void u32(std::uint32_t v) { bytes(v, 4); }
    void i32(std::int32_t v) { bytes(static_cast<std::uint32_t>(v), 4); }
    void i64(std::int64_t v) { bytes(static_cast<std::uint64_t>(v), 8); }
    void text(std::string_view s) {
        const std::size_t n = std::min(s.size(), kMaxTextBytes);
        u16(static_cast<std::uint16_t>(n));
        out_.append(s.substr(0, n));
    }
    void raw(std::string_view s) { out_.append(s); }
    std::string& out() { return out_; }

  private:
    void bytes(std::uint64_t v, int count) {
        for (int i = 0; i < count; ++i)
            out_.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    }
    std::string out_;
};

// Reads within its bytes only; any read past the end marks it failed and gives 0.
class Reader {
  public:
    explicit Reader(std::string_view in) : in_(in) {}
    std::uint8_t u8() { return static_cast<std::uint8_t>(bytes(1)); }
    std::uint16_t u16() { return static_cast<std::uint16_t>(bytes(2)); }
    std::uint32_t u32() { return static_cast<std::uint32_t>(bytes(4)); }
    std::int32_t i32() { return static_cast<std::int32_t>(static_cast<std::uint32_t>(bytes(4))); }
    std::int64_t i64() { return static_cast<std::int64_t>(bytes(8)); }
    std::string text() {
        const std::size_t n = u16();
        return std::string(raw(n > kMaxTextBytes ? in_.size() + 1 : n));
    }
    std::string_view raw(std::size_t n) {
        if (failed_ || n > in_.size() - pos_) {
            failed_ = true;
            return {};
        }
        const std::string_view s = in_.substr(pos_, n);
        pos_ += n;
        return s;
    }
    bool ok() const { return !failed_; }
    bool atEnd() const { return pos_ == in_.size(); }

  private:
    std::uint64_t bytes(int count) {
        const std::string_view s = raw(static_cast<std::size_t>(count));
        std::uint64_t v = 0;
        for (std::size_t i = 0; i < s.size(); ++i)
            v |= static_cast<std::uint64_t>(static_cast<unsigned char>(s[i])) << (8 * i);
        return v;
    }
    std::string_view in_;
    std::size_t pos_ = 0;
    bool failed_ = false;
};

std::uint32_t checksum(std::string_view bytes) {
    return static_cast<std::uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
}

void writeFields(Writer& w, const ParamFields& f) {
    std::uint8_t switches = 0;
    for (int i = 0; i < kComponentCount; ++i)
        switches |= static_cast<std::uint8_t>(f.componentOn[static_cast<std::size_t>(i)] << i);
    w.u8(switches);
    for (const std::string& value : f.values)
        w.text(value);
    w.text(f.center[0]);
    w.text(f.center[1]);
    w.text(f.bleed);
    w.i32(f.width);
    w.i32(f.height);
    w.i32(f.colorSetIndex);
    w.i32(f.phase);
    w.u8(static_cast<std::uint8_t>(f.mode));
    w.u8(f.frame.enabled ? 1 : 0);
    w.i32(f.frame.color);
    w.i32(f.frame.senmei);
    w.i32(f.frame.shadow);
    w.i32(f.frame.line);
    w.text(f.frame.width);
    w.text(f.frame.height);
}

bool within(std::int64_t v, std::int64_t low, std::int64_t high) {
    return v >= low && v <= high;
}

bool readFields(Reader& r, ParamFields& f) {
    const std::uint8_t switches = r.u8();
    for (int i = 0; i < kComponentCount; ++i)
        f.componentOn[static_cast<std::size_t>(i)] = (switches >> i) & 1;
    for (std::string& value : f.values)
        value = r.text();
    f.center[0] = r.text();
    f.center[1] = r.text();
    f.bleed = r.text();
    f.width = r.i32();
    f.height = r.i32();
    f.colorSetIndex = r.i32();
    f.phase = r.i32();
    const int mode = r.u8();
    const int enabled = r.u8();
    f.frame.enabled = enabled == 1;
    f.frame.color = r.i32();
    f.frame.senmei = r.i32();
    f.frame.shadow = r.i32();
    f.frame.line = r.i32();
    f.frame.width = r.text();
    f.frame.height = r.text();
    f.mode = static_cast<DrawMode>(mode);
    return r.ok() && within(f.width, kMinImageSide, kMaxImageSide) &&
           within(f.height, kMinImageSide, kMaxImageSide) &&
           within(f.colorSetIndex, 0, ColorSetCollection::kCapacity - 1) &&
           within(f.phase, 0, kMaxPhase) && within(mode, 0, 3) && within(enabled, 0, 1) &&
           within(f.frame.color, 0, 0xFFFFFF) && within(f.frame.senmei, 0, kFrameSliderMax) &&
           within(f.frame.shadow, 0, kFrameSliderMax) && within(f.frame.line, 0, kFrameSliderMax);
}

void writeColorSet(Writer& w, const GColor& set) {
    w.text(set.name);
    w.u16(static_cast<std::uint16_t>(set.colorCount));
    w.u16(static_cast<std::uint16_t>(set.colorLevelCount));
    for (int i = 0; i < kMaxColorPoints; ++i) {
        const auto p = static_cast<std::size_t>(i);
        w.u8(static_cast<std::uint8_t>(set.r[p]));
        w.u8(static_cast<std::uint8_t>(set.g[p]));
        w.u8(static_cast<std::uint8_t>(set.b[p]));
    }
}

bool readColorSet(Reader& r, GColor& set) {
    set.name = r.text();
    set.colorCount = static_cast<std::int16_t>(r.u16());
    set.colorLevelCount = static_cast<std::int16_t>(r.u16());
    for (int i = 0; i < kMaxColorPoints; ++i) {
        const auto p = static_cast<std::size_t>(i);
        set.r[p] = r.u8();
        set.g[p] = r.u8();
        set.b[p] = r.u8();
    }
    return r.ok() && set.drawable() && within(set.colorLevelCount, 0, 8);
}

void writeThumbnail(Writer& w, const Canvas& thumbnail) {
    const auto* data = reinterpret_cast<const Bytef*>(thumbnail.data());
    const auto size = static_cast<uLong>(thumbnail.rowBytes() * thumbnail.height());
    std::string packed(compressBound(size), '\0');
    uLongf packedSize = packed.size();
    if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize, data, size, 6) != Z_OK)
        packedSize = 0;
    packed.resize(packedSize);
    w.u16(static_cast<std::uint16_t>(thumbnail.width()));
    w.u16(static_cast<std::uint16_t>(thumbnail.height()));
    w.u32(static_cast<std::uint32_t>(packed.size()));
    w.raw(packed);
}

bool readThumbnail(Reader& r, Canvas& thumbnail) {
    const int width = r.u16();
    const int height = r.u16();
    const std::string_view packed = r.raw(r.u32());
    if (!r.ok() || !within(width, 1, kHistoryThumbnailSide) ||
        !within(height, 1, kHistoryThumbnailSide))
        return false;
    thumbnail.resize(width, height);
    uLongf size = static_cast<uLongf>(thumbnail.rowBytes() * height);
    const uLongf expected = size;
    return uncompress(thumbnail.data(), &size, reinterpret_cast<const Bytef*>(packed.data()),
                      static_cast<uLong>(packed.size())) == Z_OK &&
           size == expected;
}

// What follows the thumbnail: a version number, then the fields added in each version
// up to it. Entries written before there was one end with the thumbnail; fields of later
// versions, behind those known here, are skipped.
constexpr std::uint8_t kExtrasVersion = 1;

void writeExtras(Writer& w, const HistoryEntry& entry) {
    w.u8(kExtrasVersion);
    // Version 1: the bleed noise's key, when known.
    w.u8(entry.noiseKey ? 1 : 0);
    w.i64(static_cast<std::int64_t>(entry.noiseKey.value_or(0)));
}

bool readExtras(Reader& r, HistoryEntry& entry) {
    if (r.atEnd())
        return true;
    if (r.u8() < 1)
        return false;
    const std::uint8_t hasKey = r.u8();
    const auto key = static_cast<std::uint64_t>(r.i64());
    if (!r.ok() || hasKey > 1)
        return false;
    if (hasKey)
        entry.noiseKey = key;
    return true;
}

std::string encodeEntry(const HistoryEntry& entry) {
    Writer w;
    w.i64(entry.time);
    writeFields(w, entry.fields);
    writeColorSet(w, entry.colorSet);
    writeThumbnail(w, entry.thumbnail);
    writeExtras(w, entry);
    return std::move(w.out());
}

std::optional<HistoryEntry> decodeEntry(std::string_view bytes) {
    Reader r(bytes);
    HistoryEntry entry;
    entry.time = r.i64();
    if (!readFields(r, entry.fields) || !readColorSet(r, entry.colorSet) ||
        !readThumbnail(r, entry.thumbnail) || !readExtras(r, entry))
        return std::nullopt;
    return entry;
}

// The entry framed at `pos` of the file's body (after the magic): its length within
// bounds and the body, its checksum holding and its fields valid. `next` is then where
// the following entry starts. Every byte checksummed is taken from `budget`; an exhausted
// budget finds no entry.
std::optional<HistoryEntry> entryAt(std::string_view body, std::size_t pos, std::size_t& next,
                                    std::size_t& budget) {
    if (body.size() - pos < 8)
        return std::nullopt;
    Reader frame(body.substr(pos, 8));
    const std::uint32_t length = frame.u32();
    const std::uint32_t sum = frame.u32();
    if (length > kMaxEntryBytes || length > body.size() - pos - 8 || length > budget)
        return std::nullopt;
    budget -= length;
    const std::string_view payload = body.substr(pos + 8, length);
    if (checksum(payload) != sum)
        return std::nullopt;
    next = pos + 8 + length;
    return decodeEntry(payload);
}

} // namespace

std::string encodeHistory(const std::deque<HistoryEntry>& entries, std::size_t maxEntries) {
    Writer w;
    w.raw(kMagic);
    const std::size_t count = std::min(entries.size(), maxEntries);
    for (std::size_t i = 0; i < count; ++i) {
        const std::string payload = encodeEntry(entries[i]);
        w.u32(static_cast<std::uint32_t>(payload.size()));
        w.u32(checksum(payload));
        w.raw(payload);
    }
    return std::move(w.out());
}

DecodedHistory decodeHistory(std::string_view bytes, std::size_t maxEntries) {
    DecodedHistory result;
    if (bytes.substr(0, kMagic.size()) != kMagic) {
        result.damaged = !bytes.empty();
        return result;
    }
    const std::string_view body = bytes.substr(kMagic.size());
    std::size_t pos = 0;
    std::size_t budget = kMaxSearchedBytes;
    // The newest entries come first: once the count is reached the rest is never read.
    while (pos < body.size() && result.entries.size() < maxEntries) {
        std::size_t next = 0;
        std::optional<HistoryEntry> entry = entryAt(body, pos, next, budget);
        if (!entry) {
            // A damaged entry, or damage in its length: the reading goes on at the next
            // position where an entry's length and checksum hold.
            result.damaged = true;
            ++pos;
            continue;
        }
        result.entries.push_back(std::move(*entry));
        pos = next;
    }
    return result;
}

std::error_code writeHistoryFile(const std::filesystem::path& path,
                                 const std::deque<HistoryEntry>& entries) {
    return writeFileAtomically(path, encodeHistory(entries));
}

DecodedHistory readHistoryFile(const std::filesystem::path& path) {
    std::error_code exists;
    if (!std::filesystem::exists(path, exists))
        return {};
    // The newest entries are at the start: a file larger than the cap gives those.
    std::string bytes;
    if (readFileHead(path, bytes, kMaxHistoryFileBytes)) {
        DecodedHistory failed;
        failed.damaged = true;
        return failed;
    }
    return decodeHistory(bytes);
}

UserMessage historyWriteFailureMessage(const std::filesystem::path& path,
                                       const std::error_code& ec) {
    return {MessageIcon::Critical, fillText(UiText::tr("履歴を保存できませんでした。\r\n%1\r\n%2"),
                                            {path.string(), systemErrorText(ec)})};
}

} // namespace wavory
