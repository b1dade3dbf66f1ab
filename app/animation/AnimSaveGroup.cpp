#include "AnimSaveGroup.h"

#include "widgets/ControlFactory.h"
#include "widgets/FolderTree.h"
#include "platform/QtText.h"
#include "platform/UserDialogs.h"
#include "platform/WindowHelpers.h"
#include "files/NewFolderDialog.h"

#include "anim/FrameSeriesNames.h"
#include "anim/VideoFile.h"
#include "common/Clamps.h"
#include "common/Numbers.h"
#include "common/PathText.h"
#include "io/AtomicFile.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeView>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <system_error>

namespace wavory {

static_assert(AppSettings::AnimSection{}.videoQuality == kDefaultVideoQuality);

AnimSaveGroup::AnimSaveGroup(UserDialogs& dialogs, QWidget* window)
    : QGroupBox(Ui::tr("保存"), window), dialogs_(dialogs) {

    setObjectName(QStringLiteral("fraSave"));
    setProperty("helpTopic", 0);
    createFolder_ = new NewFolderDialog(window);
    lblPath_ =
        namedLabel(QStringLiteral("lblPath"), Ui::tr("保存するフォルダ(&F) :"), this, 130);
    dirSave_ = new FolderTree(this);
    dirSave_->setMinimumHeight(200);
    lblPath_->setBuddy(dirSave_->view());
    cmdCreateFolder_ = commandButton("cmdCreateFolder", Ui::tr("新規フォルダ(&C)"), this);
    lblName_ =
        namedLabel(QStringLiteral("lblName"), Ui::tr("ベースファイル名(&B) :"), this, 131);
    txtName_ = new QLineEdit(QStringLiteral("anim"), this);
    txtName_->setObjectName(QStringLiteral("txtName"));
    lblName_->setBuddy(txtName_);
    lblNumber_ = namedLabel(QStringLiteral("lblNumber"), Ui::tr("連番(&N) :"), this, 132);
    txtNumberFrom_ = digitField("txtNumberFrom", QStringLiteral("1"), 8, this);
    txtNumberFrom_->setFixedWidth(80);
    lblNumber_->setBuddy(txtNumberFrom_);
    cboNumber_ = new QComboBox(this);
    cboNumber_->setObjectName(QStringLiteral("cboNumber"));
    for (int k = 1; k <= kMaxFrameDigits; ++k)
        cboNumber_->addItem(Ui::tr("%1桁").arg(k));
    cboNumber_->setCurrentIndex(1);
    lblFormat_ = namedLabel(QStringLiteral("lblFormat"), Ui::tr("形式(&T) :"), this);
    cboFormat_ = new QComboBox(this);
    cboFormat_->setObjectName(QStringLiteral("cboFormat"));
    cboFormat_->addItems({Ui::tr("BMPファイル群 (連番.bmp)"), Ui::tr("アニメーションWebP (.webp)"),
                          Ui::tr("アニメーションGIF (.gif)"), Ui::tr("MP4 動画 (.mp4)"),
                          Ui::tr("WebM 動画 (.webm)")});
    lblFormat_->setBuddy(cboFormat_);
    lblQuality_ = namedLabel(QStringLiteral("lblQuality"), Ui::tr("画質(&Q) :"), this);
    spnQuality_ = new QSpinBox(this);
    spnQuality_->setObjectName(QStringLiteral("spnQuality"));
    spnQuality_->setRange(kMinVideoQuality, kMaxVideoQuality);
    spnQuality_->setValue(kDefaultVideoQuality);
    spnQuality_->setToolTip(
        Ui::tr("動画の画質: 1 (ファイルが最小) ～ 100 (最高画質)。既定の %1 では符号化による劣化は"
               "見えません。")
            .arg(kDefaultVideoQuality));
    lblQuality_->setBuddy(spnQuality_);
    cmdSave_ = commandButton("cmdSave", Ui::tr("保存(&S)"), this, 135);
    cmdSaveStop_ = commandButton("cmdSaveStop", Ui::tr("保存中止(&S)"), this, 136);
    for (QPushButton* b : {cmdSave_, cmdSaveStop_})
        b->setMinimumWidth(110);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 6, 8, 8);
    grid->setHorizontalSpacing(6);
    grid->addWidget(lblPath_, 0, 0, 1, 2);
    grid->addWidget(cmdCreateFolder_, 0, 3);
    grid->addWidget(dirSave_, 1, 0, 1, 4);
    grid->addWidget(lblName_, 2, 0);
    grid->addWidget(txtName_, 2, 1, 1, 3);
    grid->addWidget(lblNumber_, 3, 0);
    grid->addWidget(txtNumberFrom_, 3, 1);
    grid->addWidget(cboNumber_, 3, 2);
    grid->addWidget(lblFormat_, 4, 0);
    grid->addWidget(cboFormat_, 4, 1, 1, 2);
    grid->addWidget(cmdSave_, 4, 3);
    grid->addWidget(cmdSaveStop_, 4, 3);
    grid->addWidget(lblQuality_, 5, 0);
    grid->addWidget(spnQuality_, 5, 1);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(1, 1);

    connect(cmdCreateFolder_, &QPushButton::clicked, this, &AnimSaveGroup::createFolder);
    txtNumberFrom_->installEventFilter(this);
    connect(cboFormat_, &QComboBox::currentIndexChanged, this, [this] {
        if (cboFormat_->isEnabled())
            enableControls(true);
    });
}

bool AnimSaveGroup::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::FocusOut && watched == txtNumberFrom_)
        leaveNumberFromField();
    return QGroupBox::eventFilter(watched, e);
}

AnimSaveFormat AnimSaveGroup::saveFormat() const {
    return static_cast<AnimSaveFormat>(
        std::clamp(cboFormat_->currentIndex(), 0, kAnimSaveFormatCount - 1));
}

int AnimSaveGroup::digitCount() const {
    return std::max(0, cboNumber_->currentIndex()) + 1;
}

void AnimSaveGroup::setDigitIndex(int index) {
    cboNumber_->setCurrentIndex(index);
}

std::string AnimSaveGroup::base() const {
    return withTrailingSlash(toStd(dirSave_->folder())) + toStd(txtName_->text());
}

int AnimSaveGroup::videoQuality() const {
    return spnQuality_->value();
}

void AnimSaveGroup::leaveNumberFromField() {
    // Within what the digit count chosen now can write; a later change of the count is
    // covered by the digit check of the save.
    const double upper = std::pow(10.0, digitCount()) - 1;
    txtNumberFrom_->setText(toQ(clampFieldText(toStd(txtNumberFrom_->text()), upper, 0)));
}

void AnimSaveGroup::enableControls(bool enabled) {
    setContainerEnabled(this, enabled, false);
    // A single animated file has no numbers.
    const bool numbered = saveFormat() == AnimSaveFormat::BmpSeries;
    for (QWidget* w : std::initializer_list<QWidget*>{lblNumber_, txtNumberFrom_, cboNumber_})
        w->setEnabled(enabled && numbered);
    const bool video = isVideoFormat(saveFormat());
    for (QWidget* w : std::initializer_list<QWidget*>{lblQuality_, spnQuality_})
        w->setEnabled(enabled && video);
}

void AnimSaveGroup::createFolder() {
    createFolder_->prepare();
    showModal(this, *createFolder_);
    if (createFolder_->dialogCancelled())
        return;
    const std::string name = toStd(createFolder_->folderName());
    std::error_code ec;
    if (name.empty() || name.find('/') != std::string::npos || name == "." || name == "..")
        ec = std::make_error_code(std::errc::invalid_argument);
    else if (!std::filesystem::create_directory(withTrailingSlash(toStd(dirSave_->folder())) + name,
                                                ec) &&
             !ec)
        ec = std::make_error_code(std::errc::file_exists);
    if (ec) {
        dialogs_.message(
            this, Ui::tr("%1\r\n新規フォルダの作成に失敗しました。").arg(toQ(systemErrorText(ec))),
            MessageIcon::Critical);
    }
    // The folder list shows the new folder by itself; the chosen folder stays.
}

void AnimSaveGroup::loadSettings(const AppSettings::AnimSection& anim) {
    dirSave_->setFolder(toQ(anim.path));
    txtName_->setText(toQ(anim.name));
    txtNumberFrom_->setText(toQ(anim.numberFrom));
    if (anim.number >= 0 && anim.number < cboNumber_->count())
        cboNumber_->setCurrentIndex(anim.number);
    if (anim.format >= 0 && anim.format < cboFormat_->count())
        cboFormat_->setCurrentIndex(anim.format);
    spnQuality_->setValue(anim.videoQuality);
}

void AnimSaveGroup::storeSettings(AppSettings::AnimSection& anim) const {
    anim.path = toStd(dirSave_->folder());
    anim.name = toStd(txtName_->text());
    anim.numberFrom = toStd(txtNumberFrom_->text());
    anim.number = static_cast<std::int16_t>(cboNumber_->currentIndex());
    anim.format = static_cast<std::int16_t>(cboFormat_->currentIndex());
    anim.videoQuality = static_cast<std::int16_t>(spnQuality_->value());
}

} // namespace wavory
