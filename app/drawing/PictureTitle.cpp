#include "PictureTitle.h"

#include "platform/QtText.h"

#include "engine/DrawMain.h"

namespace wavory {

QString progressTitle(int done, int total) {
    return Ui::tr("%1 % -描画中-").arg(progressPercent(done, total));
}

QString finishTitle(DrawOutcome outcome) {
    const QString title = Ui::tr("ピクチャ");
    return outcome == DrawOutcome::Stopped ? Ui::tr("%1 -描画中止-").arg(title) : title;
}

QString previewTitle() {
    return Ui::tr("%1 -プレビュー-").arg(Ui::tr("ピクチャ"));
}

} // namespace wavory
