#include "OptionsDialog.h"

#include "widgets/ControlFactory.h"
#include "platform/FileDialogs.h"
#include "platform/QtText.h"
#include "widgets/TendencyPad.h"
#include "platform/UserDialogs.h"

#include "common/PathText.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

namespace wavory {

namespace {

const char* const kNoGroupMessage =
    QT_TRANSLATE_NOOP("Ui", "ランダム設定するパラメータは最低一つを選択してください。");
const char* const kBadPathMessage = QT_TRANSLATE_NOOP("Ui", "パスが不正です。");
// Without a path of its own, the program dialog starts where programs live.
const QString kProgramFolder = QStringLiteral("/usr/bin/");
const char* const kProgramFilter = QT_TRANSLATE_NOOP("Ui", "すべてのﾌｧｲﾙ|*");

// The pages' backgrounds clear the easy help window.
QWidget* page(int index) {
    auto* w = new QWidget;
    w->setObjectName(QStringLiteral("picOptions_%1").arg(index));
    w->setProperty("helpTopic", 0);
    return w;
}

// A program the linked-application command can start: an existing, executable file.
bool isProgram(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

} // namespace

const std::array<OptionsDialog::OptionBox, 7> OptionsDialog::kOptionBoxes{{
    {"chkDrewBeep", QT_TRANSLATE_NOOP("Ui", "描画終了後に音を鳴らす"), 90,
     &AppSettings::OptionSection::drewBeep},
    {"chkHello", QT_TRANSLATE_NOOP("Ui", "起動時にウェルカムダイアログを表示"), 91,
     &AppSettings::OptionSection::hello},
    {"chkQuitQ", QT_TRANSLATE_NOOP("Ui", "終了する前に確認ダイアログを表示"), 92,
     &AppSettings::OptionSection::quitQ},
    {"chkDrawOnRnd", QT_TRANSLATE_NOOP("Ui", "ランダム設定と同時に描画"), 93,
     &AppSettings::OptionSection::drawOnRnd},
    {"chkTextOnGrp",
     QT_TRANSLATE_NOOP("Ui", "画像保存と同時に「テキストファイルへ書き出し」を実行"), 94,
     &AppSettings::OptionSection::textOnGrp},
    {"chkActiveAfterDrawing", QT_TRANSLATE_NOOP("Ui", "描画後メインウィンドウにフォーカスを戻す"),
     95, &AppSettings::OptionSection::activeAfterDrawing},
    {"chkDrawOnChange", QT_TRANSLATE_NOOP("Ui", "値の変更と同時に描画"), 96,
     &AppSettings::OptionSection::drawOnChange},
}};

OptionsDialog::OptionsDialog(AppSettings::OptionSection& options, UserDialogs& dialogs,
                             QWidget* parent)
    : QDialog(parent), options_(options), dialogs_(dialogs) {
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(Ui::tr("オプション"));
    setModal(true);

    tbsOptions_ = new QTabWidget(this);
    tbsOptions_->setObjectName(QStringLiteral("tbsOptions"));
    tbsOptions_->addTab(buildRandomPage(), Ui::tr("ランダム設定"));
    tbsOptions_->addTab(buildLinkPage(), Ui::tr("連携アプリ"));
    tbsOptions_->addTab(buildGeneralPage(), Ui::tr("全般"));
    connect(tbsOptions_, &QTabWidget::currentChanged, this, &OptionsDialog::showSelectedPage);

    auto* cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    auto* cmdCancel = new QPushButton(Ui::tr("キャンセル"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    auto* cmdHelp = new QPushButton(Ui::tr("ヘルプ"), this);
    cmdHelp->setObjectName(QStringLiteral("cmdHelp"));
    connect(cmdOK, &QPushButton::clicked, this, &OptionsDialog::onOkClicked);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdHelp, &QPushButton::clicked, this,
            [this] { Q_EMIT helpFileRequested(QStringLiteral("options.htm")); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    buttons->addWidget(cmdHelp);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(tbsOptions_);
    layout->addLayout(buttons);

    // Wherever the focus is, also on the buttons outside the tabs.
    auto* next = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this);
    connect(next, &QShortcut::activated, this, &OptionsDialog::nextTab);

    // The controls show the settings.
    picRndSet_->setTendency(options_.rndSetBs, options_.rndSetSw);
    for (int i = 0; i < RandomGroupCount; ++i)
        chkRndSet_[static_cast<std::size_t>(i)]->setChecked(
            options_.doRndSet[static_cast<std::size_t>(i)]);
    txtPath_->setText(toQ(options_.shell));
    for (std::size_t i = 0; i < kOptionBoxes.size(); ++i)
        chkOption_[i]->setChecked(options_.*kOptionBoxes[i].setting);
    showSelectedPage();
    setFixedSize(sizeHint());
}

QWidget* OptionsDialog::buildRandomPage() {
    QWidget* w = page(0);
    fraDoRndSet_ = new QGroupBox(Ui::tr("ランダム設定するパラメータ"), w);
    fraDoRndSet_->setObjectName(QStringLiteral("fraDoRndSet"));
    fraDoRndSet_->setProperty("helpTopic", 82);
    auto* groups = new QVBoxLayout(fraDoRndSet_);
    groups->setSpacing(4);
    const char* captions[RandomGroupCount] = {QT_TRANSLATE_NOOP("Ui", "周期"),
                                              QT_TRANSLATE_NOOP("Ui", "振幅"),
                                              QT_TRANSLATE_NOOP("Ui", "成分のオン／オフ"),
                                              QT_TRANSLATE_NOOP("Ui", "画像の中心"),
                                              QT_TRANSLATE_NOOP("Ui", "にじみ"),
                                              QT_TRANSLATE_NOOP("Ui", "べき乗"),
                                              QT_TRANSLATE_NOOP("Ui", "使用色セット")};
    for (int i = 0; i < RandomGroupCount; ++i) {
        auto* c = new QCheckBox(Ui::tr(captions[i]), fraDoRndSet_);
        c->setObjectName(QStringLiteral("chkRndSet_%1").arg(i));
        chkRndSet_[static_cast<std::size_t>(i)] = c;
        groups->addWidget(c);
    }
    groups->addStretch();

    auto* caption =
        namedLabel(QStringLiteral("lblStatic_4"), Ui::tr("ランダム設定時の画像の傾向 :"), w);
    picRndSet_ = new TendencyPad(w);
    auto* cmdReset = commandButton("cmdReset", Ui::tr("初期値"), w, 81);
    connect(cmdReset, &QPushButton::clicked, picRndSet_, &TendencyPad::reset);
    auto* tendency = new QVBoxLayout;
    tendency->setSpacing(4);
    tendency->addWidget(caption);
    tendency->addWidget(picRndSet_);
    tendency->addWidget(cmdReset, 0, Qt::AlignRight);
    tendency->addStretch();

    auto* layout = new QHBoxLayout(w);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(14);
    layout->addWidget(fraDoRndSet_);
    layout->addLayout(tendency);
    return w;
}

QWidget* OptionsDialog::buildLinkPage() {
    QWidget* w = page(1);
    auto* caption =
        namedLabel(QStringLiteral("lblStatic_5"), Ui::tr("連携するアプリケーションのパス :"), w);
    txtPath_ = new QLineEdit(w);
    txtPath_->setObjectName(QStringLiteral("txtPath"));
    txtPath_->setProperty("helpTopic", 83);
    auto* cmdReference = commandButton("cmdReference", Ui::tr("参照"), w);
    connect(cmdReference, &QPushButton::clicked, this, &OptionsDialog::onReferenceClicked);
    auto* row = new QHBoxLayout;
    row->addWidget(txtPath_, 1);
    row->addWidget(cmdReference);
    auto* layout = new QVBoxLayout(w);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->addWidget(caption);
    layout->addLayout(row);
    layout->addStretch();
    return w;
}

QWidget* OptionsDialog::buildGeneralPage() {
    QWidget* w = page(2);
    auto* layout = new QVBoxLayout(w);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(6);
    for (std::size_t i = 0; i < kOptionBoxes.size(); ++i) {
        const OptionBox& box = kOptionBoxes[i];
        auto* c = new QCheckBox(Ui::tr(box.caption), w);
        c->setObjectName(QLatin1String(box.name));
        c->setProperty("helpTopic", box.topic);
        chkOption_[i] = c;
        layout->addWidget(c);
    }
    layout->addStretch();
    return w;
}

void OptionsDialog::setTabPage(int page) {
    if (page >= 1 && page <= tbsOptions_->count())
        tbsOptions_->setCurrentIndex(page - 1);
}

int OptionsDialog::tabPage() const {
    return tbsOptions_->currentIndex() + 1;
}

void OptionsDialog::showSelectedPage() {
    for (int i = 0; i < tbsOptions_->count(); ++i)
        tbsOptions_->widget(i)->setEnabled(i == tbsOptions_->currentIndex());
}

void OptionsDialog::nextTab() {
    setTabPage(tabPage() % tbsOptions_->count() + 1);
}

void OptionsDialog::onReferenceClicked() {
    const QString folder = toQ(folderPart(toStd(txtPath_->text())));
    const QString chosen =
        dialogs_.openFileName(this, Ui::tr(kOpenDialogTitle), Ui::tr(kProgramFilter),
                              folder.isEmpty() ? kProgramFolder : folder);
    if (!chosen.isEmpty())
        txtPath_->setText(chosen);
}

void OptionsDialog::onOkClicked() {
    bool anyGroup = false;
    for (const QCheckBox* c : chkRndSet_)
        anyGroup = anyGroup || c->isChecked();
    if (!anyGroup) {
        setTabPage(1);
        dialogs_.message(this, Ui::tr(kNoGroupMessage), MessageIcon::Critical);
        return;
    }
    for (std::size_t i = 0; i < chkRndSet_.size(); ++i)
        options_.doRndSet[i] = chkRndSet_[i]->isChecked();
    options_.rndSetBs = picRndSet_->periodTendency();
    options_.rndSetSw = picRndSet_->amplitudeTendency();

    // An empty path keeps the one stored; one that names no program is refused, with the
    // random choices above already in force.
    const QString path = txtPath_->text();
    if (!path.trimmed().isEmpty()) {
        if (!isProgram(path)) {
            setTabPage(2);
            dialogs_.message(this, Ui::tr(kBadPathMessage), MessageIcon::Critical);
            return;
        }
        options_.shell = toStd(path);
    }
    for (std::size_t i = 0; i < kOptionBoxes.size(); ++i)
        options_.*kOptionBoxes[i].setting = chkOption_[i]->isChecked();
    accept();
}

void OptionsDialog::keyReleaseEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_F1) {
        Q_EMIT helpFileRequested(QStringLiteral("options.htm"));
        return;
    }
    QDialog::keyReleaseEvent(e);
}

void OptionsDialog::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    // In the middle of the screen, frame included.
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

} // namespace wavory
