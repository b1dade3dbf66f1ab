#include "PngOptionsDialog.h"

#include "platform/QtText.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace wavory {

PngOptionsDialog::PngOptionsDialog(AppSettings::PictureSection& settings, QWidget* parent)
    : SaveOptionsDialog(parent), settings_(settings) {
    setObjectName(QStringLiteral("frmPNG"));
    setWindowTitle(QStringLiteral(" "));

    QGroupBox* frame = optionFrame();
    auto* column = new QVBoxLayout(frame);
    for (std::size_t i = 0; i < optQuality_.size(); ++i) {
        auto* option = new QRadioButton(toQ(UiText::tr(kPngModeCaptions[i])), frame);
        option->setObjectName(QStringLiteral("optQuality_%1").arg(i));
        column->addWidget(option);
        optQuality_[i] = option;
    }
    finishLayout();

    // A stored mode the dialog does not know leaves every button off; OK then keeps it.
    if (settings_.pngSaveQ < optQuality_.size())
        optQuality_[settings_.pngSaveQ]->setChecked(true);
}

void PngOptionsDialog::storeOptions() {
    for (std::size_t i = 0; i < optQuality_.size(); ++i) {
        if (optQuality_[i]->isChecked())
            settings_.pngSaveQ = static_cast<std::uint8_t>(i);
    }
}

} // namespace wavory
