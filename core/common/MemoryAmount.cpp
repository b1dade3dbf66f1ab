#include "common/MemoryAmount.h"

#include "common/UiText.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace wavory {

std::string sizeText(std::uint64_t bytes) {
    char text[32];
    const double mb = static_cast<double>(bytes) / (1024.0 * 1024.0);
    if (mb >= 1024.0)
        std::snprintf(text, sizeof text, "%.1f GB", mb / 1024.0);
    else
        std::snprintf(text, sizeof text, "%.0f MB", std::ceil(mb));
    return text;
}

std::optional<std::uint64_t> memAvailableIn(std::string_view meminfo) {
    constexpr std::string_view kKey = "MemAvailable:";
    std::size_t at = 0;
    while (at < meminfo.size()) {
        std::size_t end = meminfo.find('\n', at);
        if (end == std::string_view::npos)
            end = meminfo.size();
        std::string_view line = meminfo.substr(at, end - at);
        at = end + 1;
        if (!line.starts_with(kKey))
            continue;
        line.remove_prefix(kKey.size());
        while (!line.empty() && line.front() == ' ')
            line.remove_prefix(1);
        std::uint64_t kib = 0;
        const auto [ptr, ec] = std::from_chars(line.data(), line.data() + line.size(), kib);
        // The kernel counts in kB (KiB); a number without a unit is not trusted.
        if (ec != std::errc() || std::string_view(ptr, line.data() + line.size()) != " kB" ||
            kib > UINT64_MAX / 1024)
            return std::nullopt;
        return kib * 1024;
    }
    return std::nullopt;
}

std::optional<std::uint64_t> availableMemory() {
    std::ifstream meminfo("/proc/meminfo");
    std::ostringstream text;
    text << meminfo.rdbuf();
    return memAvailableIn(text.str());
}

Result memoryRefusal(std::uint64_t needed, std::optional<std::uint64_t> available) {
    if (!available || needed <= *available)
        return {};
    return Result::failure(
        MessageIcon::Critical,
        fillText(UiText::tr("メモリが足りないため描画できません。\r\n"
                            "この画像には約 %1 のメモリが必要ですが、使えるのは %2 です。\r\n"
                            "画像サイズを小さくして下さい。"),
                 {sizeText(needed), sizeText(*available)}));
}

} // namespace wavory
