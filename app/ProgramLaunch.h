#pragma once
// Starts the program with what the command line asked for: the first drawing from
// the command line's file, and a color set file handed over with --open read into the
// color sets afterwards, as if dropped on the window.

namespace wavory {

class ProgramRoot;
struct ProgramOptions;

// load's result: false when another copy runs and the program ends.
bool launch(ProgramRoot& program, const ProgramOptions& options);

} // namespace wavory
