#include "io/TextCodec.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <iconv.h>

namespace wavory::textcodec {

namespace {

class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts as much as possible; on an unconvertible or invalid sequence calls
    // onBad(position) which returns how many input bytes to skip and what to append,
    // or stops (returns false) when onBad gives 0.
    template <typename OnBad> bool convert(std::string_view in, std::string& out, OnBad onBad) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        std::array<char, 4096> buffer;
        while (srcLeft > 0) {
            char* dst = buffer.data();
            std::size_t dstLeft = buffer.size();
            const std::size_t rc = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            out.append(buffer.data(), buffer.size() - dstLeft);
            if (rc == static_cast<std::size_t>(-1)) {
                if (errno == E2BIG) continue;
                std::size_t skip = onBad(static_cast<std::size_t>(src - in.data()), out);
                if (skip == 0) return false;
                skip = std::min(skip, srcLeft);
                src += skip;
                srcLeft -= skip;
            }
        }
        return true;
    }

private:
    iconv_t cd_;
};

std::size_t utf8SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0) return 2;
    if ((lead & 0xF0) == 0xE0) return 3;
    if ((lead & 0xF8) == 0xF0) return 4;
    return 1;
}

// Length of the valid UTF-8 sequence at `i`, 0 when the bytes there are not one.
std::size_t validSequenceAt(std::string_view bytes, std::size_t i) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (c < 0x80) return 1;
    std::size_t len;
    std::uint32_t cp;
    if ((c & 0xE0) == 0xC0) { len = 2; cp = c & 0x1F; }
    else if ((c & 0xF0) == 0xE0) { len = 3; cp = c & 0x0F; }
    else if ((c & 0xF8) == 0xF0) { len = 4; cp = c & 0x07; }
    else return 0;
    if (i + len > bytes.size()) return 0;
    for (std::size_t k = 1; k < len; ++k) {
        const auto cc = static_cast<unsigned char>(bytes[i + k]);
        if ((cc & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (cc & 0x3F);
    }
    // Reject overlong forms, surrogates and values beyond U+10FFFF.
    if ((len == 2 && cp < 0x80) || (len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000) ||
        (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)
        return 0;
    return len;
}

} // namespace

bool isValidUtf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::size_t len = validSequenceAt(bytes, i);
        if (len == 0) return false;
        i += len;
    }
    return true;
}

std::string repairedUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::size_t len = validSequenceAt(bytes, i);
        if (len == 0) {
            out += "\uFFFD";
            ++i;
        } else {
            out.append(bytes.substr(i, len));
            i += len;
        }
    }
    return out;
}

std::string decodeFileText(std::string_view bytes) {
    if (isValidUtf8(bytes)) {
        if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
        return std::string(bytes);
    }
    std::string out;
    Converter cv("UTF-8", "CP932");
    if (!cv.valid()) return repairedUtf8(bytes);
    cv.convert(bytes, out, [&](std::size_t pos, std::string& o) -> std::size_t {
        o += "\uFFFD";
        // Skip a whole double-byte pair when the lead byte announces one.
        const auto lead = static_cast<unsigned char>(bytes[pos]);
        const bool doubleLead = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
        return (doubleLead && pos + 1 < bytes.size()) ? 2 : 1;
    });
    return out;
}

std::optional<std::string> toCp932(std::string_view utf8) {
    if (!isValidUtf8(utf8)) return std::nullopt;
    std::string out;
    Converter cv("CP932", "UTF-8");
    if (!cv.valid()) return std::nullopt;
    if (!cv.convert(utf8, out, [](std::size_t, std::string&) -> std::size_t { return 0; }))
        return std::nullopt;
    return out;
}

std::string encodeFileText(std::string_view text) {
    // Bytes that are no UTF-8 would make the file read back in the other encoding.
    const std::string repaired = isValidUtf8(text) ? std::string() : repairedUtf8(text);
    const std::string_view utf8 = repaired.empty() ? text : std::string_view(repaired);
    // Several characters share a CP932 code with another one (the wave dash and the
    // fullwidth tilde are both 0x8160, the yen sign becomes a backslash): such a text
    // would come back changed, so it is written in UTF-8. Reading the bytes back the way
    // every reader does is the one test that catches every such pair.
    if (auto cp932 = toCp932(utf8); cp932 && decodeFileText(*cp932) == utf8) return *cp932;
    return std::string(utf8);
}

std::size_t cp932ByteLength(std::string_view utf8) {
    std::size_t total = 0;
    Converter cv("CP932", "UTF-8");
    std::string out;
    cv.convert(utf8, out, [&](std::size_t pos, std::string&) -> std::size_t {
        total += 2;
        return utf8SequenceLength(static_cast<unsigned char>(utf8[pos]));
    });
    return total + out.size();
}

std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t nl = text.find('\n', start);
        std::size_t end = (nl == std::string_view::npos) ? text.size() : nl;
        std::size_t lineEnd = end;
        if (lineEnd > start && text[lineEnd - 1] == '\r') --lineEnd;
        lines.emplace_back(text.substr(start, lineEnd - start));
        if (nl == std::string_view::npos) break;
        start = nl + 1;
    }
    return lines;
}

} // namespace wavory::textcodec
