#include "image/Thumbnail.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace wavory {

ThumbnailSize thumbnailSize(int width, int height, int longSide) {
    if (width <= 0 || height <= 0 || longSide <= 0)
        return {};
    const int longer = std::max(width, height);
    if (longer <= longSide)
        return {width, height};
    const auto scaled = [&](int side) {
        const auto n = (static_cast<std::int64_t>(side) * longSide + longer / 2) / longer;
        return static_cast<int>(std::max<std::int64_t>(n, 1));
    };
    return {scaled(width), scaled(height)};
}

Canvas makeThumbnail(const Canvas& picture, int longSide) {
    const ThumbnailSize size = thumbnailSize(picture.width(), picture.height(), longSide);
    Canvas small(size.width, size.height);
    if (small.empty())
        return small;
    const int w = picture.width();
    const int h = picture.height();
    const std::size_t rowBytes = picture.rowBytes();
    // Small pixel (tx, ty) averages the source block [x0, x1) x [y0, y1).
    const auto from = [](int t, int side, int total) {
        return static_cast<int>(static_cast<std::int64_t>(t) * total / side);
    };
    // The rows of a band of blocks are first added byte by byte (a loop the compiler
    // vectorises; 32 bits hold the sums of up to 16 million rows), then each
    // block adds its columns of those sums.
    std::vector<std::uint32_t> rowSums(rowBytes);
    for (int ty = 0; ty < size.height; ++ty) {
        const int y0 = from(ty, size.height, h);
        const int y1 = std::max(from(ty + 1, size.height, h), y0 + 1);
        std::fill(rowSums.begin(), rowSums.end(), 0u);
        for (int y = y0; y < y1; ++y) {
            const std::uint8_t* p = picture.data() + static_cast<std::size_t>(y) * rowBytes;
            for (std::size_t i = 0; i < rowBytes; ++i)
                rowSums[i] += p[i];
        }
        for (int tx = 0; tx < size.width; ++tx) {
            const int x0 = from(tx, size.width, w);
            const int x1 = std::max(from(tx + 1, size.width, w), x0 + 1);
            std::uint64_t r = 0, g = 0, b = 0;
            for (int x = x0; x < x1; ++x) {
                const std::uint32_t* s = rowSums.data() + static_cast<std::size_t>(x) * 3;
                r += s[0];
                g += s[1];
                b += s[2];
            }
            const std::uint64_t n = static_cast<std::uint64_t>(x1 - x0) * (y1 - y0);
            small.setPixel(tx, ty,
                           {static_cast<std::uint8_t>((r + n / 2) / n),
                            static_cast<std::uint8_t>((g + n / 2) / n),
                            static_cast<std::uint8_t>((b + n / 2) / n)});
        }
    }
    return small;
}

} // namespace wavory
