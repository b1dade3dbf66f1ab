#include "frmHelp.h"

#include "WindowHelpers.h"

#include <QCloseEvent>

namespace wavory {

frmHelp::frmHelp(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowCloseButtonHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(QStringLiteral("簡易ヘルプ"));
    setProperty("helpTopic", 0);
    setAutoFillBackground(true);
    resize(width(), kClientHeight);
}

void frmHelp::closeEvent(QCloseEvent* e) {
    if (hideOnCloseBox(*this, *e, closing_)) {
        Q_EMIT closedByUser();
        return;
    }
    QWidget::closeEvent(e);
}

} // namespace wavory
