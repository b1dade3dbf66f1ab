#pragma once
// The memory one drawing takes beside its canvas, worked out from its parameters before
// anything is allocated, so that a picture too large for the machine can be refused
// instead of ending the program half-way: the symmetric terms' tables (the same extent
// ColumnSynthesizer::prepare() gives them), the ribbon's tables, the pattern values kept
// for the next drawing, the staging image of a watched AND, OR or XOR drawing over the
// canvas itself, the terms by row, column and ring, and every thread's scratch.

#include "params/DrawParams.h"

#include <cstdint>

namespace wavory {

// The pairs a side of the plus and ripple tables covers: `pairs` shrunk until `tables`
// tables of them take at most 3.5 bytes a pixel of the picture; beyond them the terms
// are computed directly.
std::int64_t pairTableExtent(std::int64_t pairs, int tables, int width, int height);

// Whether the ribbon's terms of every pair m in [loX, hiX], b in [loY, hiY] are kept: with
// the center in the picture, when they take at most 2.5 bytes a pixel (a centered picture:
// 2) and 128 MiB. Otherwise the ribbon's table of the pairs up to half of hiX and hiY.
bool keepsRibbonTerms(std::int64_t loX, std::int64_t hiX, std::int64_t loY, std::int64_t hiY,
                      int width, int height);

// The bytes of each pixel's pattern value kept for the next drawing: 2, or 4 when the
// amplitudes add up to more than 32765, 0 (none kept) beyond 31 bits or 128 MiB.
int keptValueBytes(const DrawParams& params);

// `threads` as DrawOptions takes them (0: one per core); `staged`: a watched AND, OR or
// XOR drawing onto the canvas it reads.
std::uint64_t drawingWorkingBytes(const DrawParams& params, unsigned threads, bool staged);

} // namespace wavory
