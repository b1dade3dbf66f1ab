#pragma once
// LivePreview: while the values change, a large picture is first shown as a quick pass
// (PreviewParams: the same values at a fraction of the size, shown scaled up) within a
// screen frame; the full drawing then replaces it column by column. The preview lives in
// the view alone: the document, its undo image, Save, Copy, the tile view and the history
// never see it. Pictures small enough to be drawn in full within a frame get none.

#include "DrawSession.h"

#include "image/Canvas.h"

#include <cstdint>

namespace wavory {

class PictureView;

class LivePreview {
  public:
    // Up to this many pixels the full drawing is as quick as a preview.
    static constexpr std::int64_t kDrawnInFull = 2'000'000;
    // The most pixels a preview has: about a quarter of a screen frame of drawing.
    static constexpr std::int64_t kPreviewPixels = 600'000;
    // The most pixels when the full drawing only colours the values the last one kept (a
    // new phase or color set): it follows within a frame or two, and a preview of a
    // quarter of the pixels costs it a quarter of the wait.
    static constexpr std::int64_t kQuickPreviewPixels = kPreviewPixels / 4;

    explicit LivePreview(PictureView& view) : view_(view) {}

    // The reduction of a drawing of this size; 1 when it gets no preview.
    static int factorFor(int width, int height, std::int64_t maxPixels = kPreviewPixels);
    // Draws the preview of the snapshot and shows it with its title, on the full
    // drawing's worker as it starts (DrawSession::StartHook); `base` is the picture the
    // full drawing goes over (read in the AND, OR and XOR modes). False when the picture
    // gets none or it could not be drawn (the full drawing follows anyway).
    // `maxPixels`: the preview's most pixels.
    bool show(const DrawSession::Snapshot& snapshot, const Canvas* base,
              std::int64_t maxPixels = kPreviewPixels);
    // The preview is no longer shown (on the UI thread, when the series of drawings ends).
    void drop();

  private:
    PictureView& view_;
    Canvas preview_;
    Canvas sampledBase_;
};

} // namespace wavory
