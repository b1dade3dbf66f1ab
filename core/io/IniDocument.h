#pragma once
// The lines of an INI file as the private-profile functions see them. Every line of the
// file is kept as it was (comments, blank lines, keys nobody asks for), so rewriting the
// file after changing one key changes only that key's line.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace wavory {

// Section and key names match without regard to ASCII letter case; bytes of multibyte
// characters are compared as they are.
bool iniNamesEqual(std::string_view a, std::string_view b);

// Blanks the INI syntax ignores around names, "=" and values.
std::string_view trimIniBlanks(std::string_view text);

class IniDocument {
  public:
    // Decoded (UTF-8) text; CR LF and LF line ends are both accepted.
    static IniDocument parse(std::string_view text);

    // The lines joined with CR LF after every line.
    std::string text() const;
    bool empty() const { return lines_.empty(); }
    void clear() {
        lines_.clear();
        sectionLines_.clear();
    }

    // The value of the first matching key, blanks around it removed (quotes are left to
    // the reader). Nothing when the section or the key is missing.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;

    // Replaces the value of the first matching key, or appends the key after the last
    // non-blank line of the first matching section, or appends the section at the end.
    // The value is written exactly as given. False (and nothing changed) when a name
    // cannot be written without changing the file's structure: an empty name, a line
    // break or NUL in a name, a "]" in a section name, a "=" in a key name, or a key name
    // starting with ";" or "[". A value is cut at its first line break or NUL, which is
    // where a reader would stop anyway.
    bool setValue(std::string_view section, std::string_view key, std::string_view value);

  private:
    enum class Kind : std::uint8_t { Other, Section, Key };
    // Positions inside the line's own text, not copies: a file of many short lines then
    // takes a few times its size in memory, not ten times.
    struct Line {
        std::string text;
        std::uint32_t nameBegin = 0; // section or key name, blanks trimmed
        std::uint32_t nameLength = 0;
        std::uint32_t valueBegin = 0; // key lines: the trimmed value
        std::uint32_t valueLength = 0;
        Kind kind = Kind::Other;

        std::string_view name() const {
            return std::string_view(text).substr(nameBegin, nameLength);
        }
    };

    static Line classify(std::string text);
    // Index of the first key line matching `key` in any section named `section`.
    std::optional<std::size_t> findKey(std::string_view section, std::string_view key) const;
    // Rebuilds sectionLines_ after lines were added or removed.
    void indexSections();

    std::vector<Line> lines_;
    // Section name (ASCII letters lowered) -> its section lines in file order, so that a
    // lookup reads only the sections of that name: reading a file key by key stays
    // linear in its size instead of quadratic.
    std::unordered_map<std::string, std::vector<std::size_t>> sectionLines_;
};

} // namespace wavory
