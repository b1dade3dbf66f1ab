#pragma once
// PNG row filtering (filter method 0). Each row gets the one of the five filters whose
// output has the smallest sum of magnitudes, the bytes read as signed: a cheap guess at
// what deflate makes of it, and the choice common encoders make.

#include <cstddef>
#include <cstdint>

namespace wavory::codec {

// Filters `bytes` bytes of `row` against `prior` (the row above, all zero for the first
// row) with `bpp` bytes per pixel, writing the filter type byte and then the filtered
// bytes to out[0 .. bytes]. `scratch` holds 4 * bytes bytes of working space.
void filterRowAdaptive(const std::uint8_t* row, const std::uint8_t* prior, std::size_t bytes,
                       int bpp, std::uint8_t* out, std::uint8_t* scratch);

} // namespace wavory::codec
