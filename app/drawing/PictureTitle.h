#pragma once
// The picture window's title during and after a drawing, worded from the numbers the
// drawing reports.

#include "engine/DrawResult.h"

#include <QString>

namespace wavory {

// "N % -描画中-" after `done` of `total` columns (N as progressPercent gives it).
QString progressTitle(int done, int total);
// "ピクチャ", or "ピクチャ -描画中止-" after a stop.
QString finishTitle(DrawOutcome outcome);
// "ピクチャ -プレビュー-" while a quick preview stands for the drawing to come.
QString previewTitle();

} // namespace wavory
