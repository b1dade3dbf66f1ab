// The INI reader on arbitrary bytes: parsing, lookups by the names the input itself
// uses, typed reads, and the invariants a rewrite relies on (a document written out reads
// back with the same values; a value just set is the value read).
#include "io/IniDocument.h"
#include "io/TextCodec.h"
#include "io/IniFile.h"

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

using namespace wavory;

namespace {

// Section and key names as they appear in the text, a few of each.
std::vector<std::pair<std::string, std::string>> namesInText(std::string_view text) {
    std::vector<std::string> sections{"ColorSet", "App"};
    std::vector<std::string> keys{"Count", "ColorSetName"};
    for (const auto& line : textcodec::splitLines(text)) {
        const std::string_view body = trimIniBlanks(line);
        if (!body.empty() && body.front() == '[') {
            if (sections.size() < 5)
                sections.emplace_back(body.substr(1, body.find(']') - 1));
        } else if (const auto eq = body.find('='); eq != std::string_view::npos) {
            if (keys.size() < 5)
                keys.emplace_back(body.substr(0, eq));
        }
    }
    std::vector<std::pair<std::string, std::string>> pairs;
    for (const auto& s : sections)
        for (const auto& k : keys)
            pairs.emplace_back(s, k);
    return pairs;
}

// The lookup rule written plainly, line by line over the whole text, to hold the
// document's indexed lookup against.
std::optional<std::string> referenceValue(const std::vector<std::string>& lines,
                                          std::string_view section, std::string_view key) {
    section = trimIniBlanks(section);
    key = trimIniBlanks(key);
    if (section.empty() || section.find_first_of(std::string_view("]\r\n\0", 4)) != section.npos)
        return std::nullopt;
    if (key.empty() || key.front() == ';' || key.front() == '[' ||
        key.find_first_of(std::string_view("=\r\n\0", 4)) != key.npos)
        return std::nullopt;
    bool inSection = false;
    for (const auto& line : lines) {
        const std::string_view body = trimIniBlanks(line);
        if (body.empty() || body.front() == ';')
            continue;
        if (body.front() == '[') {
            if (const auto close = body.find(']'); close != body.npos)
                inSection = iniNamesEqual(trimIniBlanks(body.substr(1, close - 1)), section);
            continue;
        }
        const auto eq = body.find('=');
        if (inSection && eq != body.npos && iniNamesEqual(trimIniBlanks(body.substr(0, eq)), key))
            return std::string(trimIniBlanks(body.substr(eq + 1)));
    }
    return std::nullopt;
}

void check(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string text = textcodec::decodeFileText(bytes);
    IniDocument doc = IniDocument::parse(text);
    const IniDocument again = IniDocument::parse(doc.text());
    check(again.text() == doc.text());
    (void)textcodec::encodeFileText(doc.text());

    const auto pairs = namesInText(text);
    IniFile ini;
    ini.beginBatchWith(doc);
    const auto lines = textcodec::splitLines(text);
    for (const auto& [section, key] : pairs) {
        check(doc.value(section, key) == referenceValue(lines, section, key));
        check(doc.value(section, key) == again.value(section, key));
        (void)ini.valueText(section, key, "default");
        std::int16_t i16 = 7;
        std::int32_t i32 = 7;
        std::uint8_t u8 = 7;
        float f = 7;
        double d = 7;
        bool b = true;
        std::string s;
        ini.accessValue(section, key, i16, false);
        ini.accessValue(section, key, i32, false);
        ini.accessValue(section, key, u8, false);
        ini.accessValue(section, key, f, false);
        ini.accessValue(section, key, d, false);
        ini.accessValue(section, key, b, false);
        ini.accessValue(section, key, s, false);
        check(s.size() <= kIniReadLimit * 4);
    }

    // Writing a key into the document, under names taken from the input (each edit
    // copies the document, so only a few).
    for (std::size_t i = 0; i < pairs.size(); i += 3) {
        const auto& [section, key] = pairs[i];
        IniDocument edited = doc;
        if (edited.setValue(section, key, "fuzz value")) {
            check(edited.value(section, key) == std::string("fuzz value"));
            check(IniDocument::parse(edited.text()).value(section, key) ==
                  std::string("fuzz value"));
        }
    }
    return 0;
}
