#pragma once
// A drawing's progress titles on one terminal line of stderr, each overwriting the last.

#include "engine/DrawMain.h"

#include <cstdio>
#include <string>
#include <utility>

namespace wavory::cli {

class ProgressPrinter : public DrawObserver {
  public:
    explicit ProgressPrinter(bool enabled) : enabled_(enabled) {}
    bool enabled() const { return enabled_; }
    // Printed before every title, such as the frame number of an animation.
    void setPrefix(std::string prefix) { prefix_ = std::move(prefix); }
    void title(const std::string& text) override {
        if (enabled_)
            std::fprintf(stderr, "\r%s%s   ", prefix_.c_str(), text.c_str());
    }
    void finish() {
        if (enabled_)
            std::fputs("\n", stderr);
    }

  private:
    bool enabled_;
    std::string prefix_;
};

} // namespace wavory::cli
