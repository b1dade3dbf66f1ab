#include "common/UiText.h"

#include <atomic>

namespace wavory {

namespace {
// Read by worker threads while the windows run.
std::atomic<TextTranslator> gTranslator{nullptr};
} // namespace

void setTextTranslator(TextTranslator translator) {
    gTranslator.store(translator);
}

std::string UiText::tr(std::string_view japanese) {
    const TextTranslator translator = gTranslator.load();
    return translator ? translator(japanese) : std::string(japanese);
}

std::string fillText(std::string_view pattern, std::initializer_list<std::string_view> args) {
    std::string out;
    out.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
            const auto k = static_cast<std::size_t>(pattern[i + 1] - '1');
            if (k < args.size()) {
                out += *(args.begin() + k);
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

} // namespace wavory
