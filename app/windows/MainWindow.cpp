#include "MainWindow.h"

#include "ColorFrame.h"
#include "colors/ColorSetController.h"
#include "widgets/ControlFactory.h"
#include "drawing/DrawCommand.h"
#include "widgets/DrawIcons.h"
#include "drawing/DrawOnChange.h"
#include "drawing/DrawSession.h"
#include "extras/ExtrasController.h"
#include "files/FileController.h"
#include "files/FileDrops.h"
#include "guide/HelpPages.h"
#include "extras/HistoryController.h"
#include "values/ParamController.h"
#include "drawing/PictureDocument.h"
#include "platform/QtText.h"
#include "files/SaveController.h"
#include "StartupController.h"
#include "extras/TileViewController.h"
#include "platform/UserDialogs.h"
#include "ValueFrame.h"
#include "WindowController.h"
#include "platform/WindowHelpers.h"
#include "platform/WindowPlacement.h"
#include "guide/AboutDialog.h"
#include "animation/AnimationWindow.h"
#include "values/FrameWindow.h"
#include "guide/EasyHelpWindow.h"
#include "OptionsDialog.h"
#include "drawing/PictureWindow.h"
#include "values/SizeDialog.h"

#include "common/Numbers.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDropEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace wavory {

MainWindow::MainWindow() {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(kProgramTitle);
    drawImages_ = {drawButtonImage(), stopButtonImage()};
    setWindowIcon(drawImages_[0]);
}

MainWindow::~MainWindow() = default;

void MainWindow::build(const Parts& parts) {
    parts_.emplace(parts);

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("frmMainClient"));
    setCentralWidget(central);
    fraValue_ = new ValueFrame(parts_->params, parts_->session, parts_->fieldKeys, parts_->picture,
                               central);
    connect(fraValue_->cmdRndSet(), &QPushButton::clicked, &parts_->draw,
            &DrawCommand::randomSetting);
    buildPictureFrame();
    colorFrame_ = new ColorFrame(parts_->colorSets, parts_->params, parts_->session, central);
    auto* right = new QVBoxLayout;
    right->setSpacing(4);
    right->addWidget(valueGroup_);
    right->addWidget(colorFrame_);
    right->addStretch();
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(6, 4, 6, 6);
    layout->setSpacing(6);
    layout->addWidget(fraValue_);
    layout->addLayout(right);
    buildMenus();
    parts_->session.registerValueControl(&parts_->frame);

    for (QGroupBox* frame :
         std::initializer_list<QGroupBox*>{fraValue_, valueGroup_, colorFrame_}) {
        frame->setProperty("helpTopic", 0);
        frame->installEventFilter(this);
    }
    connectControllers();

    colorFrame_->showList();
    parts_->params.setImageSize(200, 200);
    parts_->frame.updXYMaxSet();
    setAcceptDrops(true);
    refreshFromModel();
    mnuUndo_->setEnabled(false);
    setDrawButtonState(false);
}

void MainWindow::connectControllers() {
    connect(&parts_->params, &ParamController::changed, this, &MainWindow::refreshFromModel);
    connect(&parts_->params, &ParamController::imageSizeChanged, this, &MainWindow::showImageSize);
    connect(&parts_->session, &DrawSession::drawingStateChanged, this,
            &MainWindow::setDrawButtonState);
    connect(&parts_->save, &SaveController::optionsRequested, this, &MainWindow::showOptionsAt);

    parts_->draw.setUndoAction(mnuUndo_);
    parts_->drawOnChange.setUndoAction(mnuUndo_);
    parts_->history.setUndoAction(mnuUndo_);
    connect(&parts_->picture, &PictureWindow::keyForwarded, this, &MainWindow::forwardKey);
    parts_->picture.setPopupMenu(mnuPicture_);
}

void MainWindow::buildPictureFrame() {
    valueGroup_ = new QGroupBox(Ui::tr("ﾋﾟｸﾁｬ"), centralWidget());
    valueGroup_->setObjectName(QStringLiteral("Frame1"));
    cmdDraw_ = commandButton("cmdDraw", Ui::tr("描画(&D)"), valueGroup_, 50);
    cmdDraw_->setIconSize(QSize(24, 24));
    cmdDraw_->setFixedHeight(36);
    QFont bold = cmdDraw_->font();
    bold.setBold(true);
    cmdDraw_->setFont(bold);
    connect(cmdDraw_, &QPushButton::clicked, &parts_->draw, &DrawCommand::run);

    auto* labMode =
        namedLabel(QStringLiteral("labMode"), Ui::tr("描画モード"), valueGroup_, 53);
    cboMode_ = new QComboBox(valueGroup_);
    cboMode_->setObjectName(QStringLiteral("cboMode"));
    cboMode_->setFixedHeight(24);
    cboMode_->addItems({Ui::tr("通常"), QStringLiteral("AND"), QStringLiteral("OR"),
                        QStringLiteral("XOR")});
    connect(cboMode_, &QComboBox::currentIndexChanged, this, [this](int i) {
        parts_->params.edit(
            [i](ParamModel& m) { m.setMode(static_cast<DrawMode>(std::max(i, 0))); });
    });

    auto* cmdSize = commandButton("cmdSize", Ui::tr("ｻｲｽﾞ指定(&U)..."), valueGroup_, 52);
    connect(cmdSize, &QPushButton::clicked, this, &MainWindow::onSizeClicked);
    labSize_ = namedLabel(QStringLiteral("labSize"), QString(), valueGroup_);
    labSize_->setAlignment(Qt::AlignCenter);
    auto* cmdSave = commandButton("cmdSave", Ui::tr("保存(&S)"), valueGroup_, 51);
    connect(cmdSave, &QPushButton::clicked, &parts_->save, &SaveController::saveImage);
    parts_->session.registerValueControl(cboMode_);
    parts_->session.registerLocked(cmdSize);
    parts_->session.registerLocked(cmdSave);

    auto* grid = new QGridLayout(valueGroup_);
    grid->setContentsMargins(6, 4, 6, 6);
    grid->setSpacing(3);
    grid->addWidget(cmdDraw_, 0, 0, 1, 2);
    grid->addWidget(labMode, 1, 0);
    grid->addWidget(cboMode_, 1, 1);
    grid->addWidget(cmdSize, 2, 0);
    grid->addWidget(labSize_, 2, 1);
    grid->addWidget(cmdSave, 3, 0, 1, 2);
}

QAction* MainWindow::addItem(QMenu* menu, const char* name, const QString& caption,
                          const QKeySequence& key) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(QLatin1String(name));
    if (!key.isEmpty())
        a->setShortcut(key);
    return a;
}

void MainWindow::buildMenus() {
    QMenuBar* bar = menuBar();
    auto topMenu = [&](const char* name, const QString& caption) {
        QMenu* m = bar->addMenu(caption);
        m->setObjectName(QLatin1String(name));
        m->menuAction()->setObjectName(QLatin1String(name));
        return m;
    };

    QMenu* file = topMenu("mnuFile", Ui::tr("ファイル(&F)"));
    QAction* mnuSave = addItem(file, "mnuSave", Ui::tr("名前を付けて保存(&A)..."),
                               QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(mnuSave, &QAction::triggered, &parts_->save, &SaveController::saveImage);
    mnuCopy_ = addItem(file, "mnuCopy", Ui::tr("クリップボードへコピー(&C)"),
                       QKeySequence(Qt::CTRL | Qt::Key_C));
    connect(mnuCopy_, &QAction::triggered, &parts_->save, &SaveController::onCopyTriggered);
    QAction* mnuShell = addItem(file, "mnuShell", Ui::tr("連携ｱﾌﾟﾘｹｰｼｮﾝで編集(&E)"),
                                QKeySequence(Qt::Key_F6));
    connect(mnuShell, &QAction::triggered, &parts_->save, &SaveController::onShellTriggered);
    file->addSeparator();
    connect(addItem(file, "mnuOutputText", Ui::tr("テキストファイルへ書き出し(&O)...")),
            &QAction::triggered, &parts_->files, &FileController::onOutputTextTriggered);
    QAction* mnuInputText =
        addItem(file, "mnuInputText", Ui::tr("テキストファイルから読み込み(&I)..."));
    connect(mnuInputText, &QAction::triggered, &parts_->files,
            &FileController::onInputTextTriggered);
    file->addSeparator();
    connect(addItem(file, "mnuEnd", Ui::tr("終了(&X)")), &QAction::triggered, this,
            &QWidget::close);

    mnuPicture_ = topMenu("mnuPicture", Ui::tr("ピクチャ(&P)"));
    mnuDraw_ =
        addItem(mnuPicture_, "mnuDraw", Ui::tr("描画(&D)"), QKeySequence(Qt::Key_F5));
    connect(mnuDraw_, &QAction::triggered, &parts_->draw, &DrawCommand::run);
    mnuUndo_ = addItem(mnuPicture_, "mnuUndo", Ui::tr("描画アンドゥ(&Z)"));
    connect(mnuUndo_, &QAction::triggered, &parts_->draw, &DrawCommand::undo);
    mnuPicture_->addSeparator();
    mnuTile_ = addItem(mnuPicture_, "mnuTile", Ui::tr("タイル表示してみる(&T)"),
                       QKeySequence(Qt::Key_F3));
    connect(mnuTile_, &QAction::triggered, &parts_->tiles, &TileViewController::show);
    mnuPicture_->addSeparator();
    QAction* mnuSize = addItem(mnuPicture_, "mnuSize", Ui::tr("サイズ指定(&U)..."));
    connect(mnuSize, &QAction::triggered, this, &MainWindow::onSizeClicked);

    mnuValue_ = topMenu("mnuValue", Ui::tr("形(&W)"));
    connect(addItem(mnuValue_, "mnuRndSet", Ui::tr("ランダム設定(&R)"),
                    QKeySequence(Qt::Key_F4)),
            &QAction::triggered, &parts_->draw, &DrawCommand::randomSetting);
    mnuValue_->addSeparator();
    connect(addItem(mnuValue_, "mnuBig", Ui::tr("周期２倍(&B)")), &QAction::triggered,
            fraValue_->cmdBig(), &QPushButton::click);
    connect(addItem(mnuValue_, "mnySmall", Ui::tr("周期半分(&E)")), &QAction::triggered,
            fraValue_->cmdSmall(), &QPushButton::click);
    mnuValue_->addSeparator();
    connect(addItem(mnuValue_, "mnuStrong", Ui::tr("振幅２倍(&S)")), &QAction::triggered,
            fraValue_->cmdStrong(), &QPushButton::click);
    connect(addItem(mnuValue_, "mnuWeak", Ui::tr("振幅半分(&W)")), &QAction::triggered,
            fraValue_->cmdWeak(), &QPushButton::click);

    mnuColor_ = topMenu("mnuColor", Ui::tr("色(&E)"));
    // Edit, add and remove press their buttons.
    connect(addItem(mnuColor_, "mnuEditGColor", Ui::tr("色セットの編集(&E)...")),
            &QAction::triggered, colorFrame_->cmdGColorEdit(), &QPushButton::click);
    connect(addItem(mnuColor_, "mnuCopyGColor", Ui::tr("色セットのコピー(&C)...")),
            &QAction::triggered, &parts_->colorSets, &ColorSetController::copy);
    connect(addItem(mnuColor_, "mnuAddGColor", Ui::tr("色セットの追加(&A)...")),
            &QAction::triggered, colorFrame_->cmdAddGColor(), &QPushButton::click);
    connect(addItem(mnuColor_, "mnuRemoveGColor", Ui::tr("色セットの削除(&R)")),
            &QAction::triggered, colorFrame_->cmdRemoveGColor(), &QPushButton::click);
    mnuColor_->addSeparator();
    connect(addItem(mnuColor_, "mnuGColorLoad", Ui::tr("色セットの読み込み(&L)...")),
            &QAction::triggered, &parts_->colorSets, &ColorSetController::load);
    connect(addItem(mnuColor_, "mnuGColorSave", Ui::tr("色セットの保存(&S)...")),
            &QAction::triggered, &parts_->colorSets, &ColorSetController::save);
    connect(addItem(mnuColor_, "mnuGColorAllSave", Ui::tr("全ての色セットを保存(&C)")),
            &QAction::triggered, &parts_->colorSets, &ColorSetController::saveAll);
    mnuColor_->addSeparator();
    connect(addItem(mnuColor_, "mnuGcolorInit", Ui::tr("色セットの初期化(&I)")),
            &QAction::triggered, &parts_->colorSets, &ColorSetController::initialize);

    QMenu* tool = topMenu("mnuTool", Ui::tr("ツール(&T)"));
    QAction* mnuPictureWindow =
        addItem(tool, "mnuPictureWindow", Ui::tr("ピクチャウィンドウの表示(&P)"));
    QAction* mnuButton = addItem(tool, "mnuButton", Ui::tr("枠ウィンドウの表示(&B)"));
    QAction* mnuEasyHelp =
        addItem(tool, "mnuEasyHelp", Ui::tr("ヘルプウィンドウの表示(&H)"));
    parts_->windows.setCheckItems({mnuPictureWindow, mnuButton, mnuEasyHelp});
    connect(addItem(tool, "mnuOrderForms", Ui::tr("ウィンドウの整列(&O)")),
            &QAction::triggered, &parts_->windows, &WindowController::arrangeAll);
    tool->addSeparator();
    QAction* mnuAnim = addItem(tool, "mnuAnim", Ui::tr("簡易アニメーション作成(&A)..."));
    connect(mnuAnim, &QAction::triggered, this, &MainWindow::onAnimationTriggered);
    tool->addSeparator();
    QAction* mnuOption = addItem(tool, "mnuOption", Ui::tr("オプション(&O)..."));
    connect(mnuOption, &QAction::triggered, this, [this] { showOptionsAt(1); });

    QMenu* help = topMenu("mnuHelp", Ui::tr("ヘルプ(&H)"));
    mnuPrintHelp_ =
        addItem(help, "mnuPrintHelp", Ui::tr("目次..."), QKeySequence(Qt::Key_F1));
    connect(mnuPrintHelp_, &QAction::triggered, &parts_->helpPages, &HelpPages::showContents);
    help->addSeparator();
    connect(addItem(help, "mnuVersion", Ui::tr("バージョン情報(&A)...")),
            &QAction::triggered, this, &MainWindow::onVersionTriggered);

    // Further commands, in their own menu after all the others.
    QMenu* extras = topMenu("mnuExtras", Ui::tr("拡張(&X)"));
    parts_->extras.fillMenu(extras);
    parts_->session.registerLocked(extras);

    parts_->session.registerLocked(mnuInputText);
    parts_->session.registerValueControl(mnuValue_);
    // After a drawing undo is there when the picture window holds a picture to put back
    // (a failed drawing leaves it as it was).
    parts_->session.registerLocked(mnuUndo_, [this] { return parts_->document.undoAvailable(); });
    parts_->session.registerLocked(mnuSize);
    parts_->session.registerLocked(mnuSave);
    parts_->session.registerLocked(mnuCopy_);
    parts_->session.registerLocked(mnuTile_);
    parts_->session.registerLocked(mnuShell);
    parts_->session.registerLocked(mnuColor_);
    parts_->session.registerLocked(mnuOption);
    parts_->session.registerLocked(mnuAnim);
}

void MainWindow::refreshFromModel() {
    const ParamFields& f = parts_->params.fields();
    fraValue_->showModel();
    cboMode_->setCurrentIndex(static_cast<int>(f.mode));
    colorFrame_->showModel();
}

void MainWindow::showImageSize(int width, int height) {
    parts_->document.setImageSize(width, height);
    labSize_->setText(QString::fromStdString(signPositionForm(width) + " x" +
                                             signPositionForm(height) + " pixels"));
}

void MainWindow::setDrawButtonState(bool drawing) {
    cmdDraw_->setText(drawing ? Ui::tr("描画中止(&C)") : Ui::tr("描画(&D)"));
    cmdDraw_->setIcon(drawImages_[drawing ? 1 : 0]);
    cmdDraw_->setProperty("helpTopic", drawing ? 54 : 50);
    mnuDraw_->setText(cmdDraw_->text());
}

void MainWindow::onSizeClicked() {
    SizeDialog dialog(
        parts_->dialogs,
        [this](int width, int height) {
            parts_->params.setImageSize(width, height);
            parts_->document.clear();
            mnuUndo_->setEnabled(false);
        },
        this);
    dialog.prepare(parts_->picture.imageWidth(), parts_->picture.imageHeight());
    showModal(dialog);
    parts_->frame.updXYMaxSet();
    fraValue_->moveCenterMarker();
}

void MainWindow::showOptionsAt(int page) {
    OptionsDialog dialog(parts_->settings.option, parts_->dialogs, this);
    connect(&dialog, &OptionsDialog::helpFileRequested, &parts_->helpPages, &HelpPages::show);
    dialog.setTabPage(page);
    showModal(dialog);
}

int MainWindow::showModal(QDialog& dialog) {
    return wavory::showModal(this, dialog);
}

void MainWindow::onVersionTriggered() {
    AboutDialog dialog(parts_->dialogs, this);
    showModal(dialog);
}

void MainWindow::onAnimationTriggered() {
    // Its first opening would centre it over this window, hiding the easy help's topics
    // of its own controls below.
    if (!parts_->anim.property("placed").toBool()) {
        placeNewWindow(&parts_->anim, this);
        parts_->anim.setProperty("placed", true);
    }
    showModal(parts_->anim);
}

void MainWindow::forwardKey(int key, Qt::KeyboardModifiers modifiers) {
    // F5 draws or stops where the picture is watched; the others bring this window forward.
    if (key != Qt::Key_F5) {
        activateWindow();
        raise();
    }
    QAction* item = key == Qt::Key_F1                                         ? mnuPrintHelp_
                    : key == Qt::Key_F3                                       ? mnuTile_
                    : key == Qt::Key_F5                                       ? mnuDraw_
                    : (key == Qt::Key_C && (modifiers & Qt::ControlModifier)) ? mnuCopy_
                                                                              : nullptr;
    if (item && item->isEnabled())
        item->trigger();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* e) {
    // Right click on a parameter frame: its menu as a pop-up.
    if (e->type() == QEvent::MouseButtonRelease) {
        auto* me = static_cast<QMouseEvent*>(e);
        QMenu* menu = watched == fraValue_ ? mnuValue_
                      : watched == valueGroup_ ? mnuPicture_
                      : watched == colorFrame_ ? mnuColor_
                                           : nullptr;
        if (menu && me->button() == Qt::RightButton) {
            menu->popup(me->globalPosition().toPoint());
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, e);
}

void MainWindow::changeEvent(QEvent* e) {
    if (e->type() == QEvent::WindowStateChange)
        parts_->windows.followWindowState();
    QMainWindow::changeEvent(e);
}

void MainWindow::closeEvent(QCloseEvent* e) {
    // Every way of closing the main window (close box, window manager, "終了(&X)", the
    // session ending) is the exit procedure; a cancelled confirmation keeps the program.
    if (parts_->startup.quit() == 1) {
        e->ignore();
        return;
    }
    e->accept();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* e) {
    if (!parts_->drops.handle(e))
        e->ignore();
}

void MainWindow::dragMoveEvent(QDragMoveEvent* e) {
    if (!parts_->drops.handle(e))
        e->ignore();
}

void MainWindow::dropEvent(QDropEvent* e) {
    if (!parts_->drops.handle(e))
        e->ignore();
}

} // namespace wavory
