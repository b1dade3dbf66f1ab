#include "io/IniDocument.h"

#include <algorithm>

namespace wavory {

namespace {

bool isIniBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

char asciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool validSectionName(std::string_view name) {
    return !name.empty() &&
           name.find_first_of(std::string_view("]\r\n\0", 4)) == std::string_view::npos;
}

bool validKeyName(std::string_view name) {
    return !name.empty() && name.front() != ';' && name.front() != '[' &&
           name.find_first_of(std::string_view("=\r\n\0", 4)) == std::string_view::npos;
}

} // namespace

bool iniNamesEqual(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (asciiLower(a[i]) != asciiLower(b[i]))
            return false;
    return true;
}

namespace {
std::string lowerAscii(std::string_view name) {
    std::string result(name);
    for (char& c : result)
        c = asciiLower(c);
    return result;
}
} // namespace

std::string_view trimIniBlanks(std::string_view text) {
    while (!text.empty() && isIniBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isIniBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

namespace {
template <typename Line> void setName(Line& line, std::string_view name) {
    line.nameBegin = static_cast<std::uint32_t>(name.data() - line.text.data());
    line.nameLength = static_cast<std::uint32_t>(name.size());
}
} // namespace

IniDocument::Line IniDocument::classify(std::string text) {
    Line line;
    line.text = std::move(text);
    const std::string_view body = trimIniBlanks(line.text);
    if (body.empty() || body.front() == ';')
        return line; // blank line or comment
    if (body.front() == '[') {
        const auto close = body.find(']');
        if (close != std::string_view::npos) {
            line.kind = Kind::Section;
            setName(line, trimIniBlanks(body.substr(1, close - 1)));
        }
        return line;
    }
    const auto eq = body.find('=');
    if (eq == std::string_view::npos)
        return line; // a line without "=" names nothing
    line.kind = Kind::Key;
    setName(line, trimIniBlanks(body.substr(0, eq)));
    const std::string_view value = trimIniBlanks(body.substr(eq + 1));
    line.valueBegin = static_cast<std::uint32_t>(
        value.empty() ? line.text.size() : static_cast<std::size_t>(value.data() - line.text.data()));
    line.valueLength = static_cast<std::uint32_t>(value.size());
    return line;
}

IniDocument IniDocument::parse(std::string_view text) {
    IniDocument doc;
    // One record per line, each made straight from the text: no second list of lines.
    doc.lines_.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t nl = text.find('\n', start);
        const std::size_t end = (nl == std::string_view::npos) ? text.size() : nl;
        std::size_t lineEnd = end;
        if (lineEnd > start && text[lineEnd - 1] == '\r')
            --lineEnd;
        doc.lines_.push_back(classify(std::string(text.substr(start, lineEnd - start))));
        start = end + 1;
    }
    doc.indexSections();
    return doc;
}

void IniDocument::indexSections() {
    sectionLines_.clear();
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind == Kind::Section)
            sectionLines_[lowerAscii(lines_[i].name())].push_back(i);
    }
}

std::string IniDocument::text() const {
    std::string out;
    for (const auto& line : lines_) {
        out += line.text;
        out += "\r\n";
    }
    return out;
}

std::optional<std::size_t> IniDocument::findKey(std::string_view section,
                                                std::string_view key) const {
    const auto sections = sectionLines_.find(lowerAscii(section));
    if (sections == sectionLines_.end())
        return std::nullopt;
    // The sections of that name in file order, each up to the next section line.
    for (const std::size_t start : sections->second) {
        for (std::size_t i = start + 1; i < lines_.size() && lines_[i].kind != Kind::Section; ++i) {
            if (lines_[i].kind == Kind::Key && iniNamesEqual(lines_[i].name(), key))
                return i;
        }
    }
    return std::nullopt;
}

std::optional<std::string> IniDocument::value(std::string_view section,
                                              std::string_view key) const {
    section = trimIniBlanks(section);
    key = trimIniBlanks(key);
    if (!validSectionName(section) || !validKeyName(key))
        return std::nullopt;
    const auto index = findKey(section, key);
    if (!index)
        return std::nullopt;
    const Line& line = lines_[*index];
    return line.text.substr(line.valueBegin, line.valueLength);
}

bool IniDocument::setValue(std::string_view section, std::string_view key, std::string_view value) {
    section = trimIniBlanks(section);
    key = trimIniBlanks(key);
    if (!validSectionName(section) || !validKeyName(key))
        return false;
    value = value.substr(0, value.find_first_of(std::string_view("\r\n\0", 3)));

    if (const auto index = findKey(section, key)) {
        // Keep the key as the file spells it; only the value changes.
        Line& line = lines_[*index];
        std::string text = line.text.substr(0, line.text.find('=') + 1);
        text += value;
        line = classify(std::move(text));
        return true;
    }

    std::string text(key);
    text += '=';
    text += value;
    Line keyLine = classify(std::move(text));

    // The first section of that name, and the last non-blank line inside it.
    std::optional<std::size_t> insertAfter;
    if (const auto sections = sectionLines_.find(lowerAscii(section));
        sections != sectionLines_.end() && !sections->second.empty()) {
        const std::size_t i = sections->second.front();
        insertAfter = i;
        for (std::size_t j = i + 1; j < lines_.size() && lines_[j].kind != Kind::Section; ++j)
            if (!trimIniBlanks(lines_[j].text).empty())
                insertAfter = j;
    }
    if (insertAfter) {
        const std::size_t at = *insertAfter + 1;
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(keyLine));
        // The section lines after the new key moved down by one.
        for (auto& entry : sectionLines_)
            for (std::size_t& start : entry.second)
                if (start >= at)
                    ++start;
    } else {
        std::string header = "[";
        header += section;
        header += ']';
        lines_.push_back(classify(std::move(header)));
        sectionLines_[lowerAscii(lines_.back().name())].push_back(lines_.size() - 1);
        lines_.push_back(std::move(keyLine));
    }
    return true;
}

} // namespace wavory
