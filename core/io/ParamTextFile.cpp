#include "io/ParamTextFile.h"

#include "common/UiText.h"

#include "common/Numbers.h"
#include "io/AtomicFile.h"
#include "io/FieldStream.h"
#include "io/TextCodec.h"

#include <array>

namespace wavory {

namespace {

constexpr std::string_view kCrLf = "\r\n";

constexpr std::string_view kFormatHeader = "[書き出しフォーマット番号]";
// The format number in the file's fixed form: a sign position and a trailing blank.
constexpr std::string_view kFormatNumberLine = " 4 ";
static_assert(kParamTextFormat == 4);
constexpr std::string_view kPowerHeader = "[べき乗]";
constexpr std::string_view kCenterHeader = "[画像の中心]";
constexpr std::string_view kBleedHeader = "[にじみ]";
constexpr std::string_view kSizeHeader = "[画像サイズ]";
constexpr std::string_view kColorSetHeader = "[色セット]";
constexpr std::string_view kPhaseHeader = "[位相のずれ]";
constexpr std::string_view kFrameEnabledHeader = "[枠\\Enabled]";
constexpr std::string_view kFrameColorHeader = "[枠\\枠色]";
constexpr std::string_view kFrameSenmeiHeader = "[枠\\全体の色の濃さ]";
constexpr std::string_view kFrameShadowHeader = "[枠\\右下部分の色の濃さ]";
constexpr std::string_view kFrameLineHeader = "[枠\\境界の鮮明さ]";
constexpr std::string_view kFrameWidthHeader = "[枠\\横幅]";
constexpr std::string_view kFrameHeightHeader = "[枠\\縦幅]";

class TextBuilder {
  public:
    void line(std::string_view text) {
        out_ += text;
        out_ += kCrLf;
    }
    void line(std::initializer_list<std::string_view> values) {
        bool first = true;
        for (auto v : values) {
            if (!first)
                out_ += ',';
            out_ += v;
            first = false;
        }
        out_ += kCrLf;
    }
    std::string take() { return std::move(out_); }

  private:
    std::string out_;
};

std::string sectionHeader(std::string_view caption) {
    std::string header(1, '[');
    header.append(caption);
    header.push_back(']');
    return header;
}

// "On " or "Off": three characters of "OffOn " from position 3 x state.
std::string_view onOffText(bool on) {
    return std::string_view("OffOn ").substr(on ? 3 : 0, 3);
}

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

std::optional<int> strictInRange(std::string_view text, int low, int high) {
    const auto v = strictInt32(text);
    if (!v || *v < low || *v > high)
        return std::nullopt;
    return *v;
}

// When the bytes had to be cut at the size limit, drop the partial last line, so that
// the cut never splits a character (line ends are single ASCII bytes in both encodings).
std::string_view limitBytes(std::string_view bytes) {
    if (bytes.size() <= kMaxParamTextBytes)
        return bytes;
    bytes = bytes.substr(0, kMaxParamTextBytes);
    const auto lastEnd = bytes.find_last_of("\r\n");
    return lastEnd == std::string_view::npos ? std::string_view{} : bytes.substr(0, lastEnd + 1);
}

class ParamTextReader {
  public:
    ParamTextReader(std::string_view text, ParamFields& fields,
                    const std::vector<std::string>& colorSetNames)
        : in_(text), f_(fields), names_(colorSetNames) {}

    ParamReadResult read() {
        ParamReadResult result;
        result.status = readAll(result);
        return result;
    }

  private:
    // Every step returns false when the file ended early or a strict value failed.
    ParamReadStatus readAll(ParamReadResult& r) {
        std::string format;
        if (!skip() || !field(format))
            return ParamReadStatus::ReadFailed;
        r.formatNumber = roundToInt64(leadingNumber(format));
        if (r.formatNumber == 0 || r.formatNumber > kParamTextFormat)
            return ParamReadStatus::UnsupportedFormat;

        if (!readComponents(r.formatNumber) || !readPowerCenterBleed(r.formatNumber))
            return ParamReadStatus::ReadFailed;
        if (r.formatNumber < 3) {
            f_.frame.enabled = false;
            return ParamReadStatus::Ok;
        }
        if (!readSize(r) || !readColorSet(r) || !readPhaseAndFrame())
            return ParamReadStatus::ReadFailed;
        return ParamReadStatus::Ok;
    }

    bool readComponents(std::int64_t format) {
        for (int i = 0; i < kComponentCount; ++i) {
            std::string onOff;
            if (!skip() || !field(onOff))
                return false;
            f_.componentOn[i] = trimBlanks(onOff) == "On";

            std::string& period = f_.values[kPeriodSlot[i]];
            if (!field(period))
                return false;
            // Format 1 stored periods at two thirds of today's scale.
            if (format == 1)
                period = plainDecimal(leadingNumber(period) * 1.5);
            if (!field(f_.values[kAmplitudeSlot[i]]))
                return false;
            if (i == kCircleComponent && !field(f_.values[kCircleYPeriodSlot]))
                return false;
        }
        return true;
    }

    bool readPowerCenterBleed(std::int64_t format) {
        if (!skip() || !field(f_.values[kPowerSlot]))
            return false;
        if (!skip() || !field(f_.center[0]) || !field(f_.center[1]))
            return false;
        if (format < 2) {
            f_.bleed.assign(1, '0');
            return true;
        }
        return skip() && field(f_.bleed);
    }

    bool readSize(ParamReadResult& r) {
        std::string w, h;
        if (!skip() || !field(w) || !field(h))
            return false;
        f_.width = roundToInt32(leadingNumber(w));
        f_.height = roundToInt32(leadingNumber(h));
        r.sizeApplied = true;
        r.sizeOutOfRange = f_.width < kMinImageSide || f_.width > kMaxImageSide ||
                           f_.height < kMinImageSide || f_.height > kMaxImageSide;
        return true;
    }

    bool readColorSet(ParamReadResult& r) {
        std::string name;
        if (!skip() || !field(name))
            return false;
        // Every match is selected in turn, so the last set of that name stays selected.
        for (std::size_t i = 0; i < names_.size(); ++i) {
            if (names_[i] == name) {
                f_.colorSetIndex = static_cast<int>(i);
                r.colorSetSelected = true;
            }
        }
        if (!r.colorSetSelected) {
            r.outcome.warn(missingColorSetMessage(name));
            r.fieldsAtWarning = f_;
        }
        return true;
    }

    bool readPhaseAndFrame() {
        std::optional<int> phase, enabled, senmei, shadow, line;
        std::optional<std::int32_t> color;
        std::string text;

        if (!skip() || !field(text) || !(phase = strictInRange(text, 0, kMaxPhase)))
            return false;
        f_.phase = *phase;
        if (!skip() || !field(text) || !(enabled = strictInRange(text, 0, 1)))
            return false;
        f_.frame.enabled = *enabled == 1;
        if (!skip() || !field(text) || !(color = strictInt32(text)))
            return false;
        f_.frame.color = *color;
        if (!skip() || !field(text) || !(senmei = strictInRange(text, 0, kFrameSliderMax)))
            return false;
        f_.frame.senmei = *senmei;
        if (!skip() || !field(text) || !(shadow = strictInRange(text, 0, kFrameSliderMax)))
            return false;
        f_.frame.shadow = *shadow;
        if (!skip() || !field(text) || !(line = strictInRange(text, 0, kFrameSliderMax)))
            return false;
        f_.frame.line = *line;
        if (!skip() || !field(f_.frame.width))
            return false;
        return skip() && field(f_.frame.height);
    }

    // Reads one field into target (left untouched when the file has ended).
    bool field(std::string& target) {
        auto next = in_.next();
        if (!next)
            return false;
        target = std::move(*next);
        return true;
    }
    // A header: read and thrown away.
    bool skip() { return in_.next().has_value(); }

    FieldStream in_;
    ParamFields& f_;
    const std::vector<std::string>& names_;
};

// Reads at most one byte beyond the limit, so that limitBytes knows the file was cut.
bool readParamFileHead(const std::string& path, std::string& bytes) {
    return !readFileHead(path, bytes, kMaxParamTextBytes + 1);
}

} // namespace

UserMessage paramWriteFailureMessage(const std::string& errorText) {
    return {MessageIcon::Critical,
            fillText(UiText::tr("書き込み時にエラーが発生しました。\r\n%1"), {errorText})};
}

UserMessage paramReadFailureMessage(std::string_view fileName) {
    return {MessageIcon::Critical, fillText(UiText::tr("読み込み中にエラーが発生しました。\r\n"
                                                       "このファイルは読み込めません。\r\n\r\n%1"),
                                            {fileName})};
}

UserMessage unsupportedParamFormatMessage() {
    return {MessageIcon::Critical, UiText::tr("このファイルは読み込めません。")};
}

UserMessage missingColorSetMessage(std::string_view name) {
    return {MessageIcon::Exclamation,
            fillText(UiText::tr("色セット\"%1\"が存在しません。"), {name})};
}

std::string formatParamText(const ParamFields& f, std::string_view colorSetName) {
    TextBuilder out;
    out.line(kFormatHeader);
    out.line(kFormatNumberLine);
    for (int i = 0; i < kComponentCount; ++i) {
        out.line(sectionHeader(kComponentNames[i]));
        out.line(onOffText(f.componentOn[i]));
        if (i == kCircleComponent) {
            out.line({f.values[kPeriodSlot[i]], f.values[kAmplitudeSlot[i]],
                      f.values[kCircleYPeriodSlot]});
        } else {
            out.line({f.values[kPeriodSlot[i]], f.values[kAmplitudeSlot[i]]});
        }
    }
    out.line(kPowerHeader);
    out.line(f.values[kPowerSlot]);
    out.line(kCenterHeader);
    out.line({f.center[0], f.center[1]});
    out.line(kBleedHeader);
    out.line(f.bleed);
    out.line(kSizeHeader);
    out.line({plainDecimal(f.width), plainDecimal(f.height)});
    out.line(kColorSetHeader);
    out.line(colorSetName);
    out.line(kPhaseHeader);
    out.line(plainDecimal(f.phase));
    out.line(kFrameEnabledHeader);
    out.line(f.frame.enabled ? "1" : "0");
    out.line(kFrameColorHeader);
    out.line(plainDecimal(static_cast<std::int64_t>(f.frame.color)));
    out.line(kFrameSenmeiHeader);
    out.line(plainDecimal(f.frame.senmei));
    out.line(kFrameShadowHeader);
    out.line(plainDecimal(f.frame.shadow));
    out.line(kFrameLineHeader);
    out.line(plainDecimal(f.frame.line));
    out.line(kFrameWidthHeader);
    out.line(f.frame.width);
    out.line(kFrameHeightHeader);
    out.line(f.frame.height);
    return out.take();
}

Result writeParamTextFile(const std::string& path, const ParamFields& fields,
                          std::string_view colorSetName) {
    const std::string bytes = textcodec::encodeFileText(formatParamText(fields, colorSetName));
    if (const auto ec = writeFileAtomically(path, bytes))
        return Result::failure(paramWriteFailureMessage(systemErrorText(ec)));
    return {};
}

ParamReadResult parseParamText(std::string_view bytes, ParamFields& fields,
                               const std::vector<std::string>& colorSetNames) {
    const std::string text = textcodec::decodeFileText(limitBytes(bytes));
    return ParamTextReader(text, fields, colorSetNames).read();
}

ParamReadResult readParamTextFile(std::string_view path, ParamFields& fields,
                                  const std::vector<std::string>& colorSetNames) {
    std::string name;
    for (char c : path)
        if (c != '"')
            name += c;

    std::string bytes;
    if (!readParamFileHead(name, bytes)) {
        ParamReadResult unread;
        unread.outcome.fail(paramReadFailureMessage(name));
        return unread;
    }
    ParamReadResult result = parseParamText(bytes, fields, colorSetNames);
    if (result.status == ParamReadStatus::UnsupportedFormat)
        result.outcome.fail(unsupportedParamFormatMessage());
    else if (result.status == ParamReadStatus::ReadFailed)
        result.outcome.fail(paramReadFailureMessage(name));
    return result;
}

} // namespace wavory
