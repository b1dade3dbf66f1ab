#include "ProgramRoot.h"

#include "ColorSetController.h"
#include "DrawCommand.h"
#include "DrawOnChange.h"
#include "DrawSession.h"
#include "EasyHelpTracker.h"
#include "ExtrasController.h"
#include "FileController.h"
#include "FileDrops.h"
#include "HelpPages.h"
#include "HistoryController.h"
#include "ParamController.h"
#include "ParamFieldKeys.h"
#include "PictureDocument.h"
#include "SaveController.h"
#include "StartupController.h"
#include "TileViewController.h"
#include "VariationController.h"
#include "WindowController.h"
#include "frmAnim.h"
#include "frmButton.h"
#include "frmHelp.h"
#include "frmMain.h"
#include "frmPicture.h"

#include <ranges>

namespace wavory {

ProgramRoot::ProgramRoot(UserDialogs& dialogs, RandomSource& random)
    : dialogs_(dialogs), random_(random),
      fileNames_(settings_, [this] { return helpPages_->resourceFolder(); }),
      main_(std::make_unique<frmMain>()) {
    frmMain* main = main_.get();
    params_ = made(new ParamController(main));
    document_ = made(new PictureDocument(main));
    picture_ = made(new frmPicture(*document_, main));
    // The image has its start-up size before the frame window takes its limits from it.
    document_->setImageSize(200, 200);
    button_ = made(new frmButton(dialogs_, *params_, main));
    help_ = made(new frmHelp(main));
    // Every window's controls report their topics through this one filter.
    made(new EasyHelpTracker([this](int topic) { help_->HelpManager(topic); }, main));
    session_ = made(new DrawSession(*document_, *picture_->picMain(), main));
    helpPages_ = made(new HelpPages(dialogs_, main));
    colorSets_ =
        made(new ColorSetController({*params_, dialogs_, random_, fileNames_, *helpPages_}, main));
    ColorSetCollection& sets = colorSets_->colorSets();
    draw_ = made(new DrawCommand(
        {*session_, *params_, sets, *document_, *picture_, settings_, dialogs_, random_}, main));
    drawOnChange_ = made(new DrawOnChange(
        {*session_, *params_, *colorSets_, *picture_, settings_, dialogs_, random_}, main));
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
    anim_ = made(new frmAnim({{*params_, sets, *session_, *windows_, *document_, *picture_, dialogs_,
                               random_},
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
    QObject::connect(button_, &frmButton::helpFileRequested, helpPages_, &HelpPages::show);
    draw_->setShowPicture([this] { windows_->ensurePictureShown(); });
    drawOnChange_->setShowPicture([this] { windows_->ensurePictureShown(); });
    // Windows that stay loaded for the whole run.
    QObject::connect(picture_, &frmPicture::closedByUser, windows_,
                     [this] { windows_->windowClosedByUser(picture_); });
    QObject::connect(button_, &frmButton::closedByUser, windows_,
                     [this] { windows_->windowClosedByUser(button_); });
    QObject::connect(help_, &frmHelp::closedByUser, windows_,
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
