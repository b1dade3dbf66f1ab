#include "frmMain.h"

#include "DrawIcons.h"
#include "FieldInput.h"
#include "GradientView.h"
#include "SingleInstance.h"
#include "UpDown.h"
#include "UserDialogs.h"
#include "frmButton.h"
#include "frmHelp.h"
#include "frmPicture.h"

#include "colorsets/BuiltinColorSets.h"
#include "common/Clamps.h"
#include "common/KeyFilters.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDropEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace wavory {

namespace {

QPushButton* commandButton(const char* name, const QString& caption, QWidget* parent,
                           int helpTopic = -1) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    b->setFixedHeight(24);
    if (helpTopic >= 0)
        b->setProperty("helpTopic", helpTopic);
    return b;
}

QLabel* namedLabel(const QString& name, const QString& caption, QWidget* parent,
                   int helpTopic = -1) {
    auto* l = new QLabel(caption, parent);
    l->setObjectName(name);
    if (helpTopic >= 0)
        l->setProperty("helpTopic", helpTopic);
    return l;
}

QLineEdit* numberField(const QString& name, int width, QWidget* parent) {
    auto* t = new QLineEdit(parent);
    t->setObjectName(name);
    t->setFixedSize(width, 20);
    t->setAlignment(Qt::AlignRight);
    return t;
}

} // namespace

frmMain::frmMain(UserDialogs& dialogs, RandomSource& random, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs), random_(random) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(kProgramTitle);
    drawImages_ = {drawButtonImage(), stopButtonImage()};
    setWindowIcon(drawImages_[0]);

    picture_ = new frmPicture(this);
    // The image has its start-up size before the frame window takes its limits from it.
    picture_->setImageSize(200, 200);
    button_ = new frmButton(
        dialogs_, [this] { return QSize(picture_->imageWidth(), picture_->imageHeight()); }, this);
    help_ = new frmHelp(this);

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("frmMainClient"));
    setCentralWidget(central);
    buildValueFrame();
    buildPictureFrame();
    buildColorFrame();
    auto* right = new QVBoxLayout;
    right->setSpacing(4);
    right->addWidget(Frame1_);
    right->addWidget(Frame2_);
    right->addStretch();
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(6, 4, 6, 6);
    layout->setSpacing(6);
    layout->addWidget(fraValue_);
    layout->addLayout(right);
    buildMenus();

    for (QGroupBox* frame : {fraValue_, Frame1_, Frame2_}) {
        frame->setProperty("helpTopic", 0);
        frame->installEventFilter(this);
    }

    // Windows that stay loaded for the whole run.
    connect(picture_, &frmPicture::closedByUser, this,
            [this] { mnuPictureWindow_->setChecked(false); });
    connect(picture_, &frmPicture::keyForwarded, this, &frmMain::forwardKey);
    connect(button_, &frmButton::closedByUser, this, [this] { mnuButton_->setChecked(false); });
    connect(help_, &frmHelp::closedByUser, this, [this] { mnuEasyHelp_->setChecked(false); });
    picture_->setPopupMenu(mnuPicture_);

    // The color sets: built-in until the color set file is read at start-up.
    colorSets_.setSelectionListener([this](int index) {
        // While sets are added or removed the list may not show them yet; it catches up
        // in ShowColorSetList.
        if (cbogColor_->currentIndex() != index && index < cbogColor_->count())
            cbogColor_->setCurrentIndex(index);
        model_.setColorSetIndex(index);
        DrawGradBar();
    });
    InitColors(colorSets_);
    ShowColorSetList();

    SetImageSize(200, 200);
    button_->updXYMaxSet();
    setAcceptDrops(true);
    refreshFromModel();
    for (int k = 0; k < kComponentCount; ++k)
        chkValue_Click(k);
    hscIso_Change(true);
    mnuUndo_->setEnabled(false);
    setDrawButtonState(false);
    connectColorSetCommands();
    connectFileCommands();
}

frmMain::~frmMain() = default;

void frmMain::buildValueFrame() {
    fraValue_ = new QGroupBox(QStringLiteral("形"), centralWidget());
    fraValue_->setObjectName(QStringLiteral("fraValue"));
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(1);
    const int fieldWidth = 68;

    for (int i = 0; i < kValueSlotCount; ++i) {
        txtValue_[i] = numberField(QStringLiteral("txtValue_%1").arg(i), fieldWidth, fraValue_);
        limitTyping(txtValue_[i], 6);
        txtValue_[i]->installEventFilter(this);
        updValue_[i] = new UpDown(txtValue_[i]);
        updValue_[i]->setObjectName(QStringLiteral("updValue_%1").arg(i));
        connect(txtValue_[i], &QLineEdit::textChanged, this, [this, i] { txtValue_Change(i); });
        connect(updValue_[i], &UpDown::up, this, [this, i] {
            model_.valueUp(i);
            refreshFromModel();
        });
        connect(updValue_[i], &UpDown::down, this, [this, i] {
            model_.valueDown(i);
            refreshFromModel();
        });
    }

    grid->addWidget(namedLabel(QStringLiteral("labValue_0"), QStringLiteral("周期"), fraValue_, 22),
                    0, 2, Qt::AlignHCenter);
    grid->addWidget(namedLabel(QStringLiteral("labValue_1"), QStringLiteral("振幅"), fraValue_, 23),
                    0, 3, Qt::AlignHCenter);
    int row = 1;
    for (int k = 0; k < kComponentCount; ++k) {
        chkValue_[k] =
            new QCheckBox(QString::fromUtf8(kComponentNames[k].data(),
                                            static_cast<qsizetype>(kComponentNames[k].size())),
                          fraValue_);
        chkValue_[k]->setObjectName(QStringLiteral("chkValue_%1").arg(k));
        chkValue_[k]->setProperty("helpTopic", 10 + k);
        chkValue_[k]->setFixedHeight(20);
        connect(chkValue_[k], &QCheckBox::toggled, this, [this, k] { chkValue_Click(k); });
        const std::vector<int> fields = componentFields(k);
        grid->addWidget(chkValue_[k], row, 0);
        if (k == 3) {
            grid->addWidget(
                namedLabel(QStringLiteral("labValue_6"), QStringLiteral("Ｘ"), fraValue_), row, 1);
        }
        grid->addWidget(txtValue_[fields[0]], row, 2);
        grid->addWidget(txtValue_[fields[1]], row, 3);
        ++row;
        if (k == 3) {
            grid->addWidget(
                namedLabel(QStringLiteral("labValue_8"), QStringLiteral("Ｙ"), fraValue_), row, 1);
            grid->addWidget(txtValue_[8], row, 2);
            ++row;
        }
    }
    grid->setRowMinimumHeight(row, 4);
    ++row;
    grid->addWidget(
        namedLabel(QStringLiteral("labValue_9"), QStringLiteral("べき乗"), fraValue_, 21), row, 0,
        Qt::AlignRight);
    grid->addWidget(txtValue_[kPowerSlot], row, 2);
    grid->setRowStretch(row + 1, 1); // spare height below, rows stay together

    // Center, bleed and the whole-set commands beside the components.
    auto* side = new QVBoxLayout;
    side->setSpacing(3);
    labCenter_ =
        namedLabel(QStringLiteral("labCenter"), QStringLiteral("画像の中心"), fraValue_, 25);
    side->addWidget(labCenter_);
    auto* center = new QGridLayout;
    center->setHorizontalSpacing(4);
    center->setVerticalSpacing(2);
    const QString axis[2] = {QStringLiteral("Ｘ"), QStringLiteral("Ｙ")};
    for (int j = 0; j < 2; ++j) {
        txtCenter_[j] = numberField(QStringLiteral("txtCenter_%1").arg(j), 64, fraValue_);
        limitTyping(txtCenter_[j], 5);
        txtCenter_[j]->installEventFilter(this);
        connect(txtCenter_[j], &QLineEdit::textChanged, this, [this, j] { txtCenter_Change(j); });
        center->addWidget(new QLabel(axis[j], fraValue_), j, 0);
        center->addWidget(txtCenter_[j], j, 1);
    }
    center->setColumnStretch(2, 1);
    side->addLayout(center);
    side->addSpacing(4);
    labNizimi_ = namedLabel(QStringLiteral("labNizimi"), QStringLiteral("にじみ"), fraValue_, 26);
    txtNizimi_ = numberField(QStringLiteral("txtNizimi"), 70, fraValue_);
    limitTyping(txtNizimi_, 6);
    txtNizimi_->installEventFilter(this);
    updNizimi_ = new UpDown(txtNizimi_);
    updNizimi_->setObjectName(QStringLiteral("updNizimi"));
    connect(txtNizimi_, &QLineEdit::textChanged, this,
            [this](const QString& t) { model_.setBleedText(t.toStdString()); });
    connect(updNizimi_, &UpDown::up, this, [this] {
        model_.bleedUp();
        txtNizimi_->setText(QString::fromStdString(model_.fields().bleed));
    });
    connect(updNizimi_, &UpDown::down, this, [this] {
        model_.bleedDown();
        txtNizimi_->setText(QString::fromStdString(model_.fields().bleed));
    });
    auto* bleed = new QHBoxLayout;
    bleed->addWidget(labNizimi_);
    bleed->addWidget(txtNizimi_);
    bleed->addStretch();
    side->addLayout(bleed);
    side->addStretch();

    cmdBig_ = commandButton("cmdBig", QStringLiteral("周期２倍"), fraValue_, 30);
    cmdSmall_ = commandButton("cmdSmall", QStringLiteral("周期半分"), fraValue_, 31);
    cmdStrong_ = commandButton("cmdStrong", QStringLiteral("振幅２倍"), fraValue_, 32);
    cmdWeak_ = commandButton("cmdWeak", QStringLiteral("振幅半分"), fraValue_, 33);
    auto* scale = new QGridLayout;
    scale->setSpacing(3);
    scale->addWidget(cmdBig_, 0, 0);
    scale->addWidget(cmdSmall_, 0, 1);
    scale->addWidget(cmdStrong_, 1, 0);
    scale->addWidget(cmdWeak_, 1, 1);
    side->addLayout(scale);
    cmdRndSet_ = commandButton("cmdRndSet", QStringLiteral("ﾗﾝﾀﾞﾑ設定(&R)"), fraValue_, 20);
    cmdRndSet_->setFixedHeight(32);
    side->addWidget(cmdRndSet_);

    connect(cmdBig_, &QPushButton::clicked, this, [this] {
        model_.doublePeriods();
        refreshFromModel();
    });
    connect(cmdSmall_, &QPushButton::clicked, this, [this] {
        model_.halvePeriods();
        refreshFromModel();
    });
    connect(cmdStrong_, &QPushButton::clicked, this, [this] {
        model_.doubleAmplitudes();
        refreshFromModel();
    });
    connect(cmdWeak_, &QPushButton::clicked, this, [this] {
        model_.halveAmplitudes();
        refreshFromModel();
    });
    connect(cmdRndSet_, &QPushButton::clicked, this, &frmMain::cmdRndSet_Click);

    auto* layout = new QHBoxLayout(fraValue_);
    layout->setContentsMargins(6, 4, 6, 6);
    layout->setSpacing(10);
    layout->addLayout(grid);
    layout->addLayout(side);
}

void frmMain::buildPictureFrame() {
    Frame1_ = new QGroupBox(QStringLiteral("ﾋﾟｸﾁｬ"), centralWidget());
    Frame1_->setObjectName(QStringLiteral("Frame1"));
    cmdDraw_ = commandButton("cmdDraw", QStringLiteral("描画(&D)"), Frame1_, 50);
    cmdDraw_->setIconSize(QSize(24, 24));
    cmdDraw_->setFixedHeight(36);
    QFont bold = cmdDraw_->font();
    bold.setBold(true);
    cmdDraw_->setFont(bold);
    connect(cmdDraw_, &QPushButton::clicked, this, &frmMain::cmdDraw_Click);

    labMode_ = namedLabel(QStringLiteral("labMode"), QStringLiteral("描画モード"), Frame1_, 53);
    cboMode_ = new QComboBox(Frame1_);
    cboMode_->setObjectName(QStringLiteral("cboMode"));
    cboMode_->setFixedHeight(24);
    cboMode_->addItems({QStringLiteral("通常"), QStringLiteral("AND"), QStringLiteral("OR"),
                        QStringLiteral("XOR")});
    connect(cboMode_, &QComboBox::currentIndexChanged, this,
            [this](int i) { model_.setMode(static_cast<DrawMode>(std::max(i, 0))); });

    cmdSize_ = commandButton("cmdSize", QStringLiteral("ｻｲｽﾞ指定(&U)..."), Frame1_, 52);
    connect(cmdSize_, &QPushButton::clicked, this, &frmMain::cmdSize_Click);
    labSize_ = namedLabel(QStringLiteral("labSize"), QString(), Frame1_);
    labSize_->setAlignment(Qt::AlignCenter);
    cmdSave_ = commandButton("cmdSave", QStringLiteral("保存(&S)"), Frame1_, 51);
    markPending(cmdSave_);

    auto* grid = new QGridLayout(Frame1_);
    grid->setContentsMargins(6, 4, 6, 6);
    grid->setSpacing(3);
    grid->addWidget(cmdDraw_, 0, 0, 1, 2);
    grid->addWidget(labMode_, 1, 0);
    grid->addWidget(cboMode_, 1, 1);
    grid->addWidget(cmdSize_, 2, 0);
    grid->addWidget(labSize_, 2, 1);
    grid->addWidget(cmdSave_, 3, 0, 1, 2);
}

void frmMain::buildColorFrame() {
    Frame2_ = new QGroupBox(QStringLiteral("色"), centralWidget());
    Frame2_->setObjectName(QStringLiteral("Frame2"));
    labGColor_ = namedLabel(QStringLiteral("labGColor"), QStringLiteral("使用する色セット(&C) :"),
                            Frame2_, 40);
    cbogColor_ = new QComboBox(Frame2_);
    cbogColor_->setObjectName(QStringLiteral("cbogColor"));
    cbogColor_->setMaxVisibleItems(20);
    cbogColor_->setFixedHeight(24);
    labGColor_->setBuddy(cbogColor_);
    connect(cbogColor_, &QComboBox::currentIndexChanged, this, &frmMain::cbogColor_Click);
    picGrad_ = new GradientView(Frame2_);
    connect(picGrad_, &GradientView::resized, this, &frmMain::DrawGradBar);

    labISO_ = namedLabel(QStringLiteral("labISO"), QString(), Frame2_, 47);
    hscIso_ = new QScrollBar(Qt::Horizontal, Frame2_);
    hscIso_->setObjectName(QStringLiteral("hscIso"));
    hscIso_->setRange(0, 99);
    hscIso_->setSingleStep(1);
    hscIso_->setPageStep(10);
    connect(hscIso_, &QScrollBar::valueChanged, this,
            [this] { hscIso_Change(!hscIso_->isSliderDown()); });
    connect(hscIso_, &QScrollBar::sliderReleased, this, [this] { hscIso_Change(true); });

    cmdGColorEdit_ = commandButton("cmdGColorEdit", QStringLiteral("編集"), Frame2_, 41);
    cmdAddGColor_ = commandButton("cmdAddGColor", QStringLiteral("追加"), Frame2_, 42);
    cmdRemoveGColor_ = commandButton("cmdRemoveGColor", QStringLiteral("削除"), Frame2_, 43);
    for (QPushButton* b : {cmdGColorEdit_, cmdAddGColor_, cmdRemoveGColor_})
        markPending(b);

    auto* layout = new QVBoxLayout(Frame2_);
    layout->setContentsMargins(6, 4, 6, 6);
    layout->setSpacing(3);
    layout->addWidget(labGColor_);
    layout->addWidget(cbogColor_);
    layout->addWidget(picGrad_);
    auto* phase = new QHBoxLayout;
    phase->setSpacing(4);
    labISO_->setMinimumWidth(
        labISO_->fontMetrics().horizontalAdvance(QStringLiteral("位相のずれ : 99 %")));
    phase->addWidget(labISO_);
    phase->addWidget(hscIso_, 1);
    layout->addLayout(phase);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(3);
    buttons->addWidget(cmdGColorEdit_);
    buttons->addWidget(cmdAddGColor_);
    buttons->addWidget(cmdRemoveGColor_);
    layout->addLayout(buttons);
}

QAction* frmMain::addItem(QMenu* menu, const char* name, const QString& caption,
                          const QKeySequence& key) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(QLatin1String(name));
    if (!key.isEmpty())
        a->setShortcut(key);
    return a;
}

void frmMain::markPending(QObject* command) {
    // Commands whose work arrives with a later part of the program: present, disabled.
    command->setProperty("pending", true);
    setCommandEnabled(command, false);
}

void frmMain::setCommandEnabled(QObject* command, bool enabled) {
    const bool on = enabled && !command->property("pending").toBool();
    if (auto* w = qobject_cast<QWidget*>(command))
        w->setEnabled(on);
    if (auto* a = qobject_cast<QAction*>(command))
        a->setEnabled(on);
    if (auto* m = qobject_cast<QMenu*>(command)) {
        // The items too, so that their shortcut keys and the pop-up over the frame follow.
        m->menuAction()->setEnabled(on);
        m->setEnabled(on);
        for (QAction* item : m->actions()) {
            if (!item->isSeparator())
                setCommandEnabled(item, enabled);
        }
    }
}

void frmMain::buildMenus() {
    QMenuBar* bar = menuBar();
    auto topMenu = [&](const char* name, const QString& caption) {
        QMenu* m = bar->addMenu(caption);
        m->setObjectName(QLatin1String(name));
        m->menuAction()->setObjectName(QLatin1String(name));
        return m;
    };

    mnuFile_ = topMenu("mnuFile", QStringLiteral("ファイル(&F)"));
    markPending(addItem(mnuFile_, "mnuSave", QStringLiteral("名前を付けて保存(&A)..."),
                        QKeySequence(Qt::CTRL | Qt::Key_S)));
    markPending(addItem(mnuFile_, "mnuCopy", QStringLiteral("クリップボードへコピー(&C)"),
                        QKeySequence(Qt::CTRL | Qt::Key_C)));
    markPending(addItem(mnuFile_, "mnuShell", QStringLiteral("連携ｱﾌﾟﾘｹｰｼｮﾝで編集(&E)"),
                        QKeySequence(Qt::Key_F6)));
    mnuFile_->addSeparator();
    markPending(
        addItem(mnuFile_, "mnuOutputText", QStringLiteral("テキストファイルへ書き出し(&O)...")));
    markPending(
        addItem(mnuFile_, "mnuInputText", QStringLiteral("テキストファイルから読み込み(&I)...")));
    mnuFile_->addSeparator();
    connect(addItem(mnuFile_, "mnuEnd", QStringLiteral("終了(&X)")), &QAction::triggered, this,
            &QWidget::close);

    mnuPicture_ = topMenu("mnuPicture", QStringLiteral("ピクチャ(&P)"));
    mnuDraw_ =
        addItem(mnuPicture_, "mnuDraw", QStringLiteral("描画(&D)"), QKeySequence(Qt::Key_F5));
    connect(mnuDraw_, &QAction::triggered, this, &frmMain::cmdDraw_Click);
    mnuUndo_ = addItem(mnuPicture_, "mnuUndo", QStringLiteral("描画アンドゥ(&Z)"));
    connect(mnuUndo_, &QAction::triggered, this, &frmMain::mnuUndo_Click);
    mnuPicture_->addSeparator();
    markPending(addItem(mnuPicture_, "mnuTile", QStringLiteral("タイル表示してみる(&T)"),
                        QKeySequence(Qt::Key_F3)));
    mnuPicture_->addSeparator();
    connect(addItem(mnuPicture_, "mnuSize", QStringLiteral("サイズ指定(&U)...")),
            &QAction::triggered, this, &frmMain::cmdSize_Click);

    mnuValue_ = topMenu("mnuValue", QStringLiteral("形(&W)"));
    connect(addItem(mnuValue_, "mnuRndSet", QStringLiteral("ランダム設定(&R)"),
                    QKeySequence(Qt::Key_F4)),
            &QAction::triggered, this, &frmMain::cmdRndSet_Click);
    mnuValue_->addSeparator();
    connect(addItem(mnuValue_, "mnuBig", QStringLiteral("周期２倍(&B)")), &QAction::triggered,
            cmdBig_, &QPushButton::click);
    connect(addItem(mnuValue_, "mnySmall", QStringLiteral("周期半分(&E)")), &QAction::triggered,
            cmdSmall_, &QPushButton::click);
    mnuValue_->addSeparator();
    connect(addItem(mnuValue_, "mnuStrong", QStringLiteral("振幅２倍(&S)")), &QAction::triggered,
            cmdStrong_, &QPushButton::click);
    connect(addItem(mnuValue_, "mnuWeak", QStringLiteral("振幅半分(&W)")), &QAction::triggered,
            cmdWeak_, &QPushButton::click);

    mnuColor_ = topMenu("mnuColor", QStringLiteral("色(&E)"));
    markPending(addItem(mnuColor_, "mnuEditGColor", QStringLiteral("色セットの編集(&E)...")));
    markPending(addItem(mnuColor_, "mnuCopyGColor", QStringLiteral("色セットのコピー(&C)...")));
    markPending(addItem(mnuColor_, "mnuAddGColor", QStringLiteral("色セットの追加(&A)...")));
    markPending(addItem(mnuColor_, "mnuRemoveGColor", QStringLiteral("色セットの削除(&R)")));
    mnuColor_->addSeparator();
    markPending(addItem(mnuColor_, "mnuGColorLoad", QStringLiteral("色セットの読み込み(&L)...")));
    markPending(addItem(mnuColor_, "mnuGColorSave", QStringLiteral("色セットの保存(&S)...")));
    markPending(addItem(mnuColor_, "mnuGColorAllSave", QStringLiteral("全ての色セットを保存(&C)")));
    mnuColor_->addSeparator();
    markPending(addItem(mnuColor_, "mnuGcolorInit", QStringLiteral("色セットの初期化(&I)")));

    mnuTool_ = topMenu("mnuTool", QStringLiteral("ツール(&T)"));
    mnuPictureWindow_ =
        addItem(mnuTool_, "mnuPictureWindow", QStringLiteral("ピクチャウィンドウの表示(&P)"));
    mnuPictureWindow_->setCheckable(true);
    connect(mnuPictureWindow_, &QAction::triggered, this, [this] {
        // The check mark was already inverted by the menu.
        mnuPictureWindow_->setChecked(!mnuPictureWindow_->isChecked());
        togglePictureWindow();
    });
    mnuButton_ = addItem(mnuTool_, "mnuButton", QStringLiteral("枠ウィンドウの表示(&B)"));
    mnuButton_->setCheckable(true);
    connect(mnuButton_, &QAction::triggered, this, [this] {
        mnuButton_->setChecked(!mnuButton_->isChecked());
        ShowHidefrmButton();
    });
    mnuEasyHelp_ = addItem(mnuTool_, "mnuEasyHelp", QStringLiteral("ヘルプウィンドウの表示(&H)"));
    mnuEasyHelp_->setCheckable(true);
    connect(mnuEasyHelp_, &QAction::triggered, this, [this] {
        mnuEasyHelp_->setChecked(!mnuEasyHelp_->isChecked());
        ShowHidefrmHelp();
    });
    connect(addItem(mnuTool_, "mnuOrderForms", QStringLiteral("ウィンドウの整列(&O)")),
            &QAction::triggered, this, &frmMain::ArrangeWindows);
    mnuTool_->addSeparator();
    markPending(addItem(mnuTool_, "mnuAnim", QStringLiteral("簡易アニメーション作成(&A)...")));
    mnuTool_->addSeparator();
    markPending(addItem(mnuTool_, "mnuOption", QStringLiteral("オプション(&O)...")));

    mnuHelp_ = topMenu("mnuHelp", QStringLiteral("ヘルプ(&H)"));
    markPending(
        addItem(mnuHelp_, "mnuPrintHelp", QStringLiteral("目次..."), QKeySequence(Qt::Key_F1)));
    mnuHelp_->addSeparator();
    connect(addItem(mnuHelp_, "mnuVersion", QStringLiteral("バージョン情報(&A)...")),
            &QAction::triggered, this, &frmMain::mnuVersion_Click);
}

void frmMain::togglePictureWindow() {
    mnuPictureWindow_->setChecked(!mnuPictureWindow_->isChecked());
    if (mnuPictureWindow_->isChecked()) {
        picture_->show();
    } else {
        picture_->hide();
    }
}

void frmMain::ShowHidefrmButton() {
    mnuButton_->setChecked(!mnuButton_->isChecked());
    if (mnuButton_->isChecked()) {
        button_->show();
    } else {
        button_->hide();
    }
}

bool frmMain::eventFilter(QObject* watched, QEvent* e) {
    // Right click on a parameter frame: its menu as a pop-up.
    if (e->type() == QEvent::MouseButtonRelease) {
        auto* me = static_cast<QMouseEvent*>(e);
        if (me->button() == Qt::RightButton) {
            QMenu* menu = watched == fraValue_ ? mnuValue_
                          : watched == Frame1_ ? mnuPicture_
                          : watched == Frame2_ ? mnuColor_
                                               : nullptr;
            if (menu) {
                menu->popup(me->globalPosition().toPoint());
                return true;
            }
        }
    }
    auto* field = qobject_cast<QLineEdit*>(watched);
    if (!field)
        return QMainWindow::eventFilter(watched, e);
    // Files dropped on a field are the window's drop, not text for the field.
    if (e->type() == QEvent::DragEnter || e->type() == QEvent::DragMove ||
        e->type() == QEvent::Drop) {
        auto* de = static_cast<QDropEvent*>(e);
        if (acceptsFileDrop(de->mimeData())) {
            de->acceptProposedAction();
            if (e->type() == QEvent::Drop)
                dropFiles(de->mimeData());
            return true;
        }
    }
    const bool isValue = std::find(txtValue_.begin(), txtValue_.end(), field) != txtValue_.end();
    const bool isCenter = field == txtCenter_[0] || field == txtCenter_[1];

    if (isCenter && e->type() == QEvent::FocusIn) {
        picture_->MoveshpCenter(txtCenter_[0]->text(), txtCenter_[1]->text());
        picture_->ShowshpCenter(true);
    } else if (isCenter && e->type() == QEvent::FocusOut) {
        picture_->ShowshpCenter(false);
    } else if (e->type() == QEvent::KeyPress) {
        auto* ke = static_cast<QKeyEvent*>(e);
        if (ke->key() == Qt::Key_Return || ke->key() == Qt::Key_Enter) {
            drawByEnter(field);
            return true;
        }
        const QChar typed = typedCharacter(ke);
        if (!typed.isNull()) {
            if (isValue) {
                // Before the key takes effect the text is held to 1..999999.
                const std::string checked = CheckTextRange(field->text().toStdString(), 999999, 1);
                if (checked != field->text().toStdString())
                    field->setText(QString::fromStdString(checked));
            } else if (CheckNum(typed.unicode()) == 0) {
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, e);
}

void frmMain::changeEvent(QEvent* e) {
    // Minimizing or restoring the main window takes the visible secondary windows along.
    if (e->type() == QEvent::WindowStateChange)
        followWindowState();
    QMainWindow::changeEvent(e);
}

void frmMain::closeEvent(QCloseEvent* e) {
    // Every way of closing the main window (close box, window manager, "終了(&X)", the
    // session ending) is the exit procedure; a cancelled confirmation keeps the program.
    if (QuitApp() == 1) {
        e->ignore();
        return;
    }
    e->accept();
}

} // namespace wavory
