#include "anim/AnimFrameMaker.h"

namespace wavory {

struct AnimFrameMaker::Impl {
    DrawParams params;
    GColor colorSet;
    DrawOptions options;
};

AnimFrameMaker::AnimFrameMaker(const DrawParams& params, const GColor& colorSet,
                               const DrawOptions& options)
    : impl_(std::make_unique<Impl>(Impl{params, colorSet, options})) {}

AnimFrameMaker::~AnimFrameMaker() = default;

DrawResult AnimFrameMaker::draw(int phase, Canvas& canvas, DrawObserver* observer) {
    impl_->params.phase = phase;
    return DrawMain(impl_->params, impl_->colorSet, canvas, observer, impl_->options);
}

Result AnimFrameMaker::store(FrameStore& store, int index, const Canvas& canvas) {
    return store.put(index, canvas);
}

bool AnimFrameMaker::recolours() const { return false; }

} // namespace wavory
