#pragma once
// The vector unit's state between the program's own code and code built for wider vector
// instructions. A thread that ran 256- or 512-bit instructions (the toolkit's drawing code,
// some library routines) without clearing the registers' upper halves afterwards leaves
// them "dirty", and new threads inherit that. On processors with AVX-512 every SSE
// instruction then waits on those upper halves: the same drawing took eight times the
// processor time in the window as in the renderer. Clearing them is one instruction.

namespace wavory {

// Clears the upper halves of the vector registers of the calling thread (vzeroupper) when
// the processor has them; does nothing elsewhere. Call it before long runs of arithmetic
// on a thread that may have run other code before.
void clearUpperVectorState();

} // namespace wavory
