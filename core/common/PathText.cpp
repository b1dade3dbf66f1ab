#include "common/PathText.h"

namespace wavory {

namespace {

constexpr char kSeparator = '/';
constexpr std::string_view kFullWidthBlank = "\u3000";

bool isBlankText(std::string_view text) {
    return text.find_first_not_of(' ') == std::string_view::npos;
}

// Position of the extension dot of the last path element, or npos. A dot at the very
// start of the text is not an extension dot.
std::size_t extensionDot(std::string_view path) {
    const std::size_t last = path.find_last_of("./");
    if (last == std::string_view::npos || last == 0 || path[last] != '.') {
        return std::string_view::npos;
    }
    return last;
}

} // namespace

std::string withTrailingSlash(std::string_view vPath) {
    if (isBlankText(vPath))
        return {};
    std::string path(vPath);
    if (path.back() != kSeparator)
        path += kSeparator;
    return path;
}

std::string folderPart(std::string_view vStr) {
    if (isBlankText(vStr))
        return {};
    const std::size_t last = vStr.rfind(kSeparator);
    if (last == std::string_view::npos)
        return {};
    return std::string(vStr.substr(0, last + 1));
}

std::string fileNamePart(std::string_view vStr) {
    if (isBlankText(vStr))
        return {};
    const std::size_t last = vStr.rfind(kSeparator);
    if (last == std::string_view::npos)
        return std::string(vStr);
    return std::string(vStr.substr(last + 1));
}

std::string withoutExtension(std::string_view vStr) {
    if (isBlankText(vStr))
        return {};
    const std::size_t dot = extensionDot(vStr);
    return std::string(dot == std::string_view::npos ? vStr : vStr.substr(0, dot));
}

std::string extensionPart(std::string_view vStr) {
    if (isBlankText(vStr))
        return {};
    const std::size_t dot = extensionDot(vStr);
    return dot == std::string_view::npos ? std::string() : std::string(vStr.substr(dot + 1));
}

bool hasNoWildcards(std::string_view vPath) {
    if (isBlankText(vPath))
        return false;
    return vPath.find_first_of("*?") == std::string_view::npos;
}

std::string withoutBlanks(std::string_view rStr) {
    std::string result;
    result.reserve(rStr.size());
    for (std::size_t i = 0; i < rStr.size();) {
        if (rStr[i] == ' ') {
            ++i;
        } else if (rStr.substr(i, kFullWidthBlank.size()) == kFullWidthBlank) {
            i += kFullWidthBlank.size();
        } else {
            result += rStr[i++];
        }
    }
    return result;
}

std::string trimmedBeforeNul(std::string_view incoming) {
    std::string_view text = incoming.substr(0, incoming.find('\0'));
    const std::size_t begin = text.find_first_not_of(' ');
    if (begin == std::string_view::npos)
        return {};
    const std::size_t end = text.find_last_not_of(' ');
    return std::string(text.substr(begin, end - begin + 1));
}

bool endsWithNoCase(std::string_view text, std::string_view lowerSuffix) {
    if (text.size() < lowerSuffix.size())
        return false;
    const auto tail = text.substr(text.size() - lowerSuffix.size());
    for (std::size_t i = 0; i < tail.size(); ++i) {
        char c = tail[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != lowerSuffix[i])
            return false;
    }
    return true;
}

} // namespace wavory
