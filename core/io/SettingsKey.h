#pragma once
// One key of a settings section: its name in the file and how its member is written and
// read back. A section is a table of these, and the same table serves the writer and the
// reader, so a key can never be written without being read, or the other way round.
//
// Every kind writes in the form the file has always had and reads strictly: a missing or
// unconvertible value leaves its member as it was, unless the kind says otherwise.

#include "common/Numbers.h"
#include "io/FormPosition.h"
#include "io/IniFile.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

namespace wavory::settings {

// One section of the file being written or read.
class SectionIo {
  public:
    SectionIo(IniFile& ini, std::string_view section) : ini_(ini), section_(section) {}

    // Numbers and Booleans in the INI object's own form.
    template <typename Value> void write(std::string_view key, Value value) {
        ini_.accessValue(section_, key, value, true);
    }
    void writeText(std::string_view key, std::string_view text) {
        ini_.writeText(section_, key, text);
    }
    std::string text(std::string_view key, std::string_view fallback = {}) {
        return ini_.valueText(section_, key, fallback);
    }
    // Read by the INI object's own conversion (a number prefix counts).
    template <typename Value> void readLoose(std::string_view key, Value& target) {
        ini_.accessValue(section_, key, target, false);
    }

  private:
    IniFile& ini_;
    std::string_view section_;
};

// The strict conversions: the whole value must be one number within the bounds.
inline std::optional<float> strictSingle(std::string_view text) {
    const auto number = strictNumber(text);
    if (!number || std::fabs(*number) > static_cast<double>(std::numeric_limits<float>::max()))
        return std::nullopt;
    return static_cast<float>(*number);
}

template <typename Int>
std::optional<Int> strictIntIn(std::string_view text, std::int64_t low, std::int64_t high) {
    const auto number = strictNumber(text);
    if (!number)
        return std::nullopt;
    const double rounded = roundHalfEven(*number);
    if (rounded < static_cast<double>(low) || rounded > static_cast<double>(high))
        return std::nullopt;
    return static_cast<Int>(rounded);
}

template <typename Section> struct SettingsKey {
    std::string_view name;
    std::string_view secondName; // the second key of a pair (top, height)
    std::int64_t low = 0;        // numbers: the accepted range
    std::int64_t high = 0;
    std::string_view fallback; // texts: what a missing or empty value reads as
    void (*write)(SectionIo&, const SettingsKey&, const Section&) = nullptr;
    void (*read)(SectionIo&, const SettingsKey&, Section&) = nullptr;
};

template <auto Member> struct MemberOf;
template <typename S, typename V, V S::*Member> struct MemberOf<Member> {
    using Section = S;
    using Value = V;
};

template <auto Member> using KeyOf = SettingsKey<typename MemberOf<Member>::Section>;

// ---- the kinds -----------------------------------------------------------------------

// Text as it is; a missing or empty value reads as the fallback.
template <auto Member>
constexpr KeyOf<Member> text(std::string_view name, std::string_view fallback = {}) {
    return {
        name,
        {},
        0,
        0,
        fallback,
        [](SectionIo& io, const auto& key, const auto& s) { io.writeText(key.name, s.*Member); },
        [](SectionIo& io, const auto& key, auto& s) {
            s.*Member = io.text(key.name, key.fallback);
        }};
}

// Text that a missing or empty value leaves as it was.
template <auto Member> constexpr KeyOf<Member> keptText(std::string_view name) {
    return {
        name,
        {},
        0,
        0,
        {},
        [](SectionIo& io, const auto& key, const auto& s) { io.writeText(key.name, s.*Member); },
        [](SectionIo& io, const auto& key, auto& s) {
            if (auto value = io.text(key.name); !value.empty())
                s.*Member = std::move(value);
        }};
}

// A folder, taken only while it exists.
template <auto Member> constexpr KeyOf<Member> existingFolder(std::string_view name) {
    return {
        name,
        {},
        0,
        0,
        {},
        [](SectionIo& io, const auto& key, const auto& s) { io.writeText(key.name, s.*Member); },
        [](SectionIo& io, const auto& key, auto& s) {
            auto value = io.text(key.name);
            std::error_code ec;
            if (!value.empty() && std::filesystem::is_directory(value, ec))
                s.*Member = std::move(value);
        }};
}

// "True"/"False" written; a Boolean word or a number read.
template <auto Member> constexpr KeyOf<Member> boolean(std::string_view name) {
    return {name,
            {},
            0,
            0,
            {},
            [](SectionIo& io, const auto& key, const auto& s) { io.write(key.name, s.*Member); },
            [](SectionIo& io, const auto& key, auto& s) {
                if (const auto value = parseIniBoolean(io.text(key.name)))
                    s.*Member = *value;
            }};
}

// A window shown unless the value says "False" (or 0): a missing or unreadable value
// shows it, and nothing read hides a window already shown.
template <auto Member> constexpr KeyOf<Member> shownUnlessFalse(std::string_view name) {
    return {name,
            {},
            0,
            0,
            {},
            [](SectionIo& io, const auto& key, const auto& s) { io.write(key.name, s.*Member); },
            [](SectionIo& io, const auto& key, auto& s) {
                if (parseIniBoolean(io.text(key.name)).value_or(true))
                    s.*Member = true;
            }};
}

// An integer in plain decimal form, read only within [low, high].
template <auto Member>
constexpr KeyOf<Member> numberIn(std::string_view name, std::int64_t low, std::int64_t high) {
    using Value = typename MemberOf<Member>::Value;
    return {name,
            {},
            low,
            high,
            {},
            [](SectionIo& io, const auto& key, const auto& s) { io.write(key.name, s.*Member); },
            [](SectionIo& io, const auto& key, auto& s) {
                if (const auto value = strictIntIn<Value>(io.text(key.name), key.low, key.high))
                    s.*Member = *value;
            }};
}

// An integer within the range of its type.
template <auto Member> constexpr KeyOf<Member> number(std::string_view name) {
    using Value = typename MemberOf<Member>::Value;
    return numberIn<Member>(name, std::numeric_limits<Value>::min(),
                            std::numeric_limits<Value>::max());
}

// A text box holding a number: written as it is, read as a 16-bit integer given back as
// decimal text ("12.0" becomes "12").
template <auto Member> constexpr KeyOf<Member> numberText(std::string_view name) {
    return {
        name,
        {},
        0,
        0,
        {},
        [](SectionIo& io, const auto& key, const auto& s) { io.writeText(key.name, s.*Member); },
        [](SectionIo& io, const auto& key, auto& s) {
            constexpr auto low = std::numeric_limits<std::int16_t>::min();
            constexpr auto high = std::numeric_limits<std::int16_t>::max();
            if (const auto value = strictIntIn<std::int16_t>(io.text(key.name), low, high))
                s.*Member = plainDecimal(static_cast<std::int64_t>(*value));
        }};
}

// Any value read by the INI object's own conversion, which takes a number's prefix.
template <auto Member> constexpr KeyOf<Member> loose(std::string_view name) {
    return {name,
            {},
            0,
            0,
            {},
            [](SectionIo& io, const auto& key, const auto& s) { io.write(key.name, s.*Member); },
            [](SectionIo& io, const auto& key, auto& s) { io.readLoose(key.name, s.*Member); }};
}

// Element `index` of an array of flags, read as `loose` reads.
template <auto Member, std::size_t index> constexpr KeyOf<Member> looseFlag(std::string_view name) {
    return {name,
            {},
            0,
            0,
            {},
            [](SectionIo& io, const auto& key, const auto& s) {
                io.write(key.name, (s.*Member)[index]);
            },
            [](SectionIo& io, const auto& key, auto& s) {
                io.readLoose(key.name, (s.*Member)[index]);
            }};
}

// A window's place: left and top in twips with a sign position; read only when both
// are numbers. A window without a known place leaves what the file says.
template <auto Member>
constexpr KeyOf<Member> windowPosition(std::string_view left, std::string_view top) {
    using Place = typename MemberOf<Member>::Value::value_type;
    return {left,
            top,
            0,
            0,
            {},
            [](SectionIo& io, const auto& key, const auto& s) {
                const auto& position = s.*Member;
                if (!position)
                    return;
                io.writeText(key.name, signPositionForm(pixelsToTwips(position->left)));
                io.writeText(key.secondName, signPositionForm(pixelsToTwips(position->top)));
            },
            [](SectionIo& io, const auto& key, auto& s) {
                const auto x = strictSingle(io.text(key.name));
                const auto y = strictSingle(io.text(key.secondName));
                if (x && y)
                    s.*Member = Place{twipsToPixels(*x), twipsToPixels(*y)};
            }};
}

// A width and a height with a sign position, taken only together and within [low, high].
template <auto Width, auto Height>
constexpr KeyOf<Width> sizePair(std::string_view width, std::string_view height, std::int64_t low,
                                std::int64_t high) {
    using Value = typename MemberOf<Width>::Value;
    return {width,
            height,
            low,
            high,
            {},
            [](SectionIo& io, const auto& key, const auto& s) {
                io.writeText(key.name, signPositionForm(s.*Width));
                io.writeText(key.secondName, signPositionForm(s.*Height));
            },
            [](SectionIo& io, const auto& key, auto& s) {
                const auto w = strictIntIn<Value>(io.text(key.name), key.low, key.high);
                const auto h = strictIntIn<Value>(io.text(key.secondName), key.low, key.high);
                if (w && h) {
                    s.*Width = *w;
                    s.*Height = *h;
                }
            }};
}

// A section: its name, where it lives in the whole, its keys in the file's order and what
// holds after reading them.
template <typename Whole, typename Section, std::size_t N> struct SectionTable {
    std::string_view name;
    Section Whole::*member;
    std::array<SettingsKey<Section>, N> keys;
    void (*afterRead)(Section&) = nullptr;
};

// True when every key of the table was made by a kind (each gives a name and both
// directions): a table declared longer than its entries fails this.
template <typename Whole, typename Section, std::size_t N>
constexpr bool complete(const SectionTable<Whole, Section, N>& table) {
    for (const auto& key : table.keys)
        if (key.name.empty())
            return false;
    return true;
}

template <typename Whole, typename Section, std::size_t N>
void writeSection(IniFile& ini, const SectionTable<Whole, Section, N>& table, const Whole& whole) {
    SectionIo io(ini, table.name);
    for (const auto& key : table.keys)
        key.write(io, key, whole.*table.member);
}

template <typename Whole, typename Section, std::size_t N>
void readSection(IniFile& ini, const SectionTable<Whole, Section, N>& table, Whole& whole) {
    SectionIo io(ini, table.name);
    Section& section = whole.*table.member;
    for (const auto& key : table.keys)
        key.read(io, key, section);
    if (table.afterRead)
        table.afterRead(section);
}

} // namespace wavory::settings
