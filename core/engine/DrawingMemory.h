#pragma once
// The memory one drawing takes beside its canvas, worked out from its parameters before
// anything is allocated, so that a picture too large for the machine can be refused
// instead of ending the program half-way: the symmetric terms' tables (the same extent
// ColumnSynthesizer::prepare() gives them), the ribbon's table, the staging image of a
// watched AND, OR or XOR drawing over the canvas itself, the terms by row, column and
// ring, and every thread's scratch.

#include "params/DrawParams.h"

#include <cstdint>

namespace wavory {

// The pairs a side of the plus and ripple tables covers: `pairs` shrunk until `tables`
// tables of them take at most 3.5 bytes a pixel of the picture; beyond them the terms
// are computed directly.
std::int64_t pairTableExtent(std::int64_t pairs, int tables, int width, int height);

// `threads` as DrawOptions takes them (0: one per core); `staged`: a watched AND, OR or
// XOR drawing onto the canvas it reads.
std::uint64_t drawingWorkingBytes(const DrawParams& params, unsigned threads, bool staged);

} // namespace wavory
