#include "ProgramRoot.h"

#include "colors/ColorSetController.h"
#include "drawing/DrawCommand.h"
#include "drawing/CenterDrag.h"
#include "drawing/DrawOnChange.h"
#include "drawing/DrawSession.h"
#include "guide/EasyHelpTracker.h"
#include "extras/ExtrasController.h"
#include "files/FileController.h"
#include "files/FileDrops.h"
#include "guide/HelpPages.h"
#include "extras/HistoryController.h"
#include "values/ParamController.h"
#include "windows/ParamFieldKeys.h"
#include "drawing/PictureDocument.h"
#include "files/SaveController.h"
#include "windows/StartupController.h"
#include "extras/TileViewController.h"
#include "extras/VariationController.h"
#include "windows/WindowController.h"
#include "animation/AnimationWindow.h"
#include "values/FrameWindow.h"
#include "guide/EasyHelpWindow.h"
#include "windows/MainWindow.h"
#include "drawing/PictureWindow.h"

#include <ranges>

namespace wavory {

ProgramRoot::ProgramRoot(UserDialogs& dialogs, RandomSource& random)
    : dialogs_(dialogs), random_(random),
      fileNames_(settings_, [this] { return helpPages_->resourceFolder(); }),
      main_(std::make_unique<MainWindow>()) {
    MainWindow* main = main_.get();
    params_ = made(new ParamController(main));
    document_ = made(new PictureDocument(main));
    picture_ = made(new PictureWindow(*document_, main));
    // The image has its start-up size before the frame window takes its limits from it.
    document_->setImageSize(200, 200);
    button_ = made(new FrameWindow(dialogs_, *params_, main));
    help_ = made(new EasyHelpWindow(main));
    // Every window's controls report their topics through this one filter.
    made(new EasyHelpTracker([this](int topic) { help_->helpManager(topic); }, main));
    session_ = made(new DrawSession(*document_, *picture_->picMain(), main));
    helpPages_ = made(new HelpPages(dialogs_, main));
    colorSets_ =
        made(new ColorSetController({*params_, dialogs_, random_, fileNames_, *helpPages_}, main));
    ColorSetCollection& sets = colorSets_->colorSets();
    draw_ = made(new DrawCommand(
        {*session_, *params_, sets, *document_, *picture_, settings_, dialogs_, random_}, main));
    drawOnChange_ = made(new DrawOnChange(
        {*session_, *params_, *colorSets_, *document_, *picture_, settings_, dialogs_, random_},
        main));
    made(new CenterDrag(*params_, *session_, *picture_, main));
    tiles_ = made(new TileViewController({*picture_, settings_, dialogs_}, main));
    history_ = made(new HistoryController(
        {*params_, *colorSets_, *session_, *draw_, *document_, settings_, dialogs_}, main));
    variations_ = made(new VariationController(
        {*params_, *colorSets_, *session_, *document_, settings_, random_}, main));
    files_ = made(new FileController({*params_, *colorSets_, *draw_, fileNames_, dialogs_}, main));
    save_ = made(new SaveController({*document_, settings_, fileNames_, *files_, dialogs_}, main));
    auto* drops = made(new FileDrops({*session_, *files_}, *main));
    auto* fieldKeys = made(new ParamFieldKeys({*draw_, *picture_, *drops}, main));
    windows_ = made(new WindowController({main, picture_, button_, help_}));
    auto* extras = made(
        new ExtrasController({*params_, *colorSets_, dialogs_, *history_, *variations_}, main));
    anim_ = made(
        new AnimationWindow({{*params_, sets, *session_, [this] { windows_->ensurePictureShown(); },
                              *document_, *picture_, dialogs_, random_},
                             {settings_, *files_, dialogs_},
                             *draw_,
                             *helpPages_},
                            nullptr));
    const SettingsWindows placed{*main,     *picture_, *button_, *help_,
                                 *anim_,    *params_,  *windows_, fileNames_.names()};
    startup_ = made(new StartupController({placed, settings_, dialogs_, random_, *colorSets_,
                                           *session_, *draw_, *files_, *save_, *history_,
                                           *variations_}));

    // What the controllers tell each other.
    QObject::connect(draw_, &DrawCommand::pictureDrawn, history_, &HistoryController::record);
    QObject::connect(drawOnChange_, &DrawOnChange::pictureDrawn, history_,
                     &HistoryController::record);
    history_->setBeforeSaving([this] { drawOnChange_->recordNow(); });
    QObject::connect(button_, &FrameWindow::helpFileRequested, helpPages_, &HelpPages::show);
    draw_->setShowPicture([this] { windows_->ensurePictureShown(); });
    drawOnChange_->setShowPicture([this] { windows_->ensurePictureShown(); });
    // Windows that stay loaded for the whole run.
    QObject::connect(picture_, &PictureWindow::closedByUser, windows_,
                     [this] { windows_->windowClosedByUser(picture_); });
    QObject::connect(button_, &FrameWindow::closedByUser, windows_,
                     [this] { windows_->windowClosedByUser(button_); });
    QObject::connect(help_, &EasyHelpWindow::closedByUser, windows_,
                     [this] { windows_->windowClosedByUser(help_); });

    main->build({dialogs_, settings_, *params_, *session_, *draw_, *drawOnChange_, *colorSets_,
                 *files_, *save_, *helpPages_, *tiles_, *history_, *windows_, *extras, *startup_,
                 *drops, *fieldKeys, *document_, *picture_, *button_, *help_, *anim_});
    // The animation window joins the main window after its controls, so that a search by
    // name from the main window finds the main window's own controls first.
    anim_->setParent(main, anim_->windowFlags());
}

ProgramRoot::~ProgramRoot() {
    // What was made last uses what was made before it: it goes first.
    for (QObject* obj : std::views::reverse(made_))
        delete obj;
    main_.reset();
}

QMainWindow* ProgramRoot::mainWindow() const {
    return main_.get();
}

ColorSetCollection& ProgramRoot::colorSets() {
    return colorSets_->colorSets();
}

} // namespace wavory
