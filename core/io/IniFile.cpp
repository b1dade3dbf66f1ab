#include "io/IniFile.h"

#include "common/Numbers.h"
#include "io/AtomicFile.h"
#include "common/ProgramFolder.h"
#include "io/TextCodec.h"

#include <charconv>
#include <cmath>
#include <filesystem>
#include <limits>
#include <type_traits>

namespace wavory {

namespace {

// Reads and decodes the file; a missing file is an empty document.
std::error_code loadDocument(const std::string& path, IniDocument& doc) {
    std::string bytes;
    if (const auto ec = readWholeFile(path, bytes)) {
        if (ec == std::errc::no_such_file_or_directory) {
            doc = IniDocument();
            return {};
        }
        return ec;
    }
    const std::string text = textcodec::decodeFileText(bytes);
    std::string().swap(bytes); // the file's bytes are not needed while the lines are built
    doc = IniDocument::parse(text);
    return {};
}

std::error_code storeDocument(const std::string& path, const IniDocument& doc) {
    return writeFileAtomically(path, textcodec::encodeFileText(doc.text()));
}

// The first `limit` code points of a UTF-8 text.
std::string_view firstCodePoints(std::string_view text, std::size_t limit) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if ((byte & 0xC0) != 0x80) { // a lead byte starts a new character
            if (count == limit)
                return text.substr(0, i);
            ++count;
        }
    }
    return text;
}

// A single in its shortest form: at most 7 significant digits, so that 0.1f
// is written as 0.1 and not as the double nearest to it. to_chars/from_chars do not
// depend on the locale.
std::string floatDecimal(float value) {
    char buffer[32];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 7);
    double rounded = value;
    std::from_chars(buffer, written.ptr, rounded);
    return plainDecimal(rounded);
}

template <typename Number> std::string numberText(Number value) {
    if constexpr (std::is_same_v<Number, float>) {
        return floatDecimal(value);
    } else if constexpr (std::is_same_v<Number, double>) {
        return plainDecimal(value);
    } else {
        return plainDecimal(static_cast<std::int64_t>(value));
    }
}

// Stores a number read from the file with the target's own conversion; false when the
// value does not fit (the target keeps its value).
template <typename Number> bool storeNumber(double value, Number& target) {
    // The tolerant reader gives the largest double for a number too large to read.
    if (!std::isfinite(value) || std::fabs(value) == std::numeric_limits<double>::max())
        return false;
    if constexpr (std::is_floating_point_v<Number>) {
        if (std::fabs(value) > static_cast<double>(std::numeric_limits<Number>::max()))
            return false;
        target = static_cast<Number>(value);
    } else {
        const double rounded = roundHalfEven(value);
        if (rounded < static_cast<double>(std::numeric_limits<Number>::min()) ||
            rounded > static_cast<double>(std::numeric_limits<Number>::max()))
            return false;
        target = static_cast<Number>(rounded);
    }
    return true;
}

} // namespace

std::optional<bool> parseIniBoolean(std::string_view text) {
    text = trimIniBlanks(text);
    if (text.empty())
        return std::nullopt;
    if (iniNamesEqual(text, "true"))
        return true;
    if (iniNamesEqual(text, "false"))
        return false;
    if (const auto number = strictNumber(text))
        return *number != 0.0;
    return std::nullopt;
}

void IniFile::initFile(std::string_view iniFileName) {
    batch_.reset();
    iniPath_ = resolveInProgramFolder(iniFileName);
}

std::error_code IniFile::clearAll() {
    if (batch_) {
        batch_->clear();
        return {};
    }
    return writeFileAtomically(iniPath_, {});
}

void IniFile::setArchiveAttribute() {
    std::error_code ignored;
    std::filesystem::permissions(iniPath_, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add, ignored);
}

std::error_code IniFile::beginBatch() {
    IniDocument doc;
    if (const auto ec = loadDocument(iniPath_, doc))
        return ec;
    batch_ = std::move(doc);
    return {};
}

std::error_code IniFile::commitBatch() {
    if (!batch_)
        return {};
    const auto ec = storeDocument(iniPath_, *batch_);
    batch_.reset();
    return ec;
}

std::optional<std::string> IniFile::rawValue(std::string_view appName, std::string_view keyName) {
    if (batch_)
        return batch_->value(appName, keyName);
    IniDocument doc;
    // An unreadable file reads like a missing one: every key is missing.
    if (loadDocument(iniPath_, doc))
        return std::nullopt;
    return doc.value(appName, keyName);
}

std::string IniFile::readValue(std::string_view appName, std::string_view keyName) {
    const auto raw = rawValue(appName, keyName);
    if (!raw)
        return {};
    std::string_view text = *raw;
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        text = text.substr(1, text.size() - 2);
    text = text.substr(0, text.find('\0'));
    return std::string(firstCodePoints(text, kIniReadLimit));
}

bool IniFile::writeText(std::string_view appName, std::string_view keyName, std::string_view text) {
    if (batch_)
        return batch_->setValue(appName, keyName, text);
    IniDocument doc;
    // A file that exists but cannot be read is not replaced: its keys would be lost.
    if (loadDocument(iniPath_, doc))
        return false;
    if (!doc.setValue(appName, keyName, text))
        return false;
    return !storeDocument(iniPath_, doc);
}

std::string IniFile::valueText(std::string_view appName, std::string_view keyName,
                           std::string_view vDefault) {
    std::string text = readValue(appName, keyName);
    if (text.empty())
        return std::string(vDefault);
    return text;
}

template <typename Number>
bool IniFile::accessNumber(std::string_view appName, std::string_view keyName, Number& rValue,
                          bool vWriteMode) {
    if (vWriteMode)
        return writeText(appName, keyName, numberText(rValue));
    return storeNumber(leadingNumber(readValue(appName, keyName)), rValue);
}

bool IniFile::accessValue(std::string_view appName, std::string_view keyName, std::uint8_t& rValue,
                       bool vWriteMode) {
    return accessNumber(appName, keyName, rValue, vWriteMode);
}

bool IniFile::accessValue(std::string_view appName, std::string_view keyName, std::int16_t& rValue,
                       bool vWriteMode) {
    return accessNumber(appName, keyName, rValue, vWriteMode);
}

bool IniFile::accessValue(std::string_view appName, std::string_view keyName, std::int32_t& rValue,
                       bool vWriteMode) {
    return accessNumber(appName, keyName, rValue, vWriteMode);
}

bool IniFile::accessValue(std::string_view appName, std::string_view keyName, float& rValue,
                       bool vWriteMode) {
    return accessNumber(appName, keyName, rValue, vWriteMode);
}

bool IniFile::accessValue(std::string_view appName, std::string_view keyName, double& rValue,
                       bool vWriteMode) {
    return accessNumber(appName, keyName, rValue, vWriteMode);
}

bool IniFile::accessValue(std::string_view appName, std::string_view keyName, bool& rValue,
                       bool vWriteMode) {
    if (vWriteMode)
        return writeText(appName, keyName, iniBooleanText(rValue));
    const std::string text = readValue(appName, keyName);
    if (text.empty())
        return true;
    const auto value = parseIniBoolean(text);
    if (!value)
        return false;
    rValue = *value;
    return true;
}

bool IniFile::accessValue(std::string_view appName, std::string_view keyName, std::string& rValue,
                       bool vWriteMode) {
    if (vWriteMode)
        return writeText(appName, keyName, rValue);
    rValue = readValue(appName, keyName);
    return true;
}

} // namespace wavory
