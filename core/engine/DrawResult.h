#pragma once
// What a drawing call reports back.

#include "common/Result.h"

namespace wavory {

enum class DrawOutcome {
    Completed, // every column drawn
    Stopped,   // a stop request ended it early; columns 0 .. columnsDrawn - 1 are drawn
    Refused,   // nothing changed; refusal holds the message to show
};

struct DrawResult {
    DrawOutcome outcome = DrawOutcome::Completed;
    int columnsDrawn = 0;
    Result refusal; // failed exactly when the outcome is Refused
};

} // namespace wavory
