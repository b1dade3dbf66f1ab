#pragma once
// A drawing's progress on one terminal line of stderr, each report overwriting the last,
// in the words of the picture window's title.

#include "engine/DrawMain.h"

#include <cstdio>
#include <string>
#include <utility>

namespace wavory::cli {

class ProgressPrinter : public DrawObserver {
  public:
    explicit ProgressPrinter(bool enabled) : enabled_(enabled) {}
    bool enabled() const { return enabled_; }
    // Printed before every report, such as the frame number of an animation.
    void setPrefix(std::string prefix) { prefix_ = std::move(prefix); }
    void progress(int done, int total) override {
        print(std::to_string(progressPercent(done, total)) + " % -描画中-");
    }
    void finished(DrawOutcome outcome) override {
        print(outcome == DrawOutcome::Stopped ? "ピクチャ -描画中止-" : "ピクチャ");
    }
    void finish() {
        if (enabled_)
            std::fputs("\n", stderr);
    }

  private:
    void print(const std::string& text) const {
        if (enabled_)
            std::fprintf(stderr, "\r%s%s   ", prefix_.c_str(), text.c_str());
    }

    bool enabled_;
    std::string prefix_;
};

} // namespace wavory::cli
