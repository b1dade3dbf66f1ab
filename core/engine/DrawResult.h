#pragma once
// What a drawing call reports back.

#include "common/Result.h"

namespace wavory {

enum class DrawOutcome {
    Completed, // every column drawn
    Stopped,   // a stop request ended it early; columns 0 .. columnsDrawn - 1 are drawn
    Refused,   // nothing changed; report holds the message to show
    Failed,    // it could not be carried out (out of memory, no worker) and was taken
               // back whole; report holds the message to show
};

struct DrawResult {
    DrawOutcome outcome = DrawOutcome::Completed;
    int columnsDrawn = 0;
    Result report; // failed exactly when the outcome is Refused or Failed
};

} // namespace wavory
