#include "SettingsBinding.h"

#include "QtText.h"
#include "WindowPlacement.h"
#include "frmAnim.h"
#include "frmButton.h"
#include "frmHelp.h"
#include "frmMain.h"
#include "frmPicture.h"

#include "common/PathText.h"
#include "io/AppSettings.h"

#include <QAction>

#include <string>
#include <type_traits>

namespace wavory {

namespace {

struct PlacedWindow {
    QWidget* window;
    std::optional<WindowPosition> AppSettings::FormSection::*position;
};

std::array<PlacedWindow, 4> placedWindows(frmMain& main) {
    return {{
        {&main, &AppSettings::FormSection::Main},
        {main.picture(), &AppSettings::FormSection::Picture},
        {main.helpWindow(), &AppSettings::FormSection::Help},
        {main.frameWindow(), &AppSettings::FormSection::Button},
    }};
}

// The frame settings window's fields beside the members of "Button" they are kept in; one
// list serves both directions.
template <typename Button, typename Fields, typename Pair>
void forEachFramePair(Button& stored, Fields& shown, Pair pair) {
    pair(stored.Enabled, shown.enabled);
    pair(stored.Color, shown.color);
    pair(stored.Senmei, shown.senmei);
    pair(stored.Shadow, shown.shadow);
    pair(stored.Line, shown.line);
    pair(stored.Width, shown.width);
    pair(stored.Height, shown.height);
}

// The file dialogs' names beside the folders of "Picture" they are kept in.
template <typename Picture, typename Names, typename Pair>
void forEachDialogFolder(Picture& stored, Names& shown, Pair pair) {
    pair(stored.Path, shown.image);
    pair(stored.TxtPath, shown.text);
    pair(stored.CSetPath, shown.colorSet);
}

void showDialogFolders(frmMain& main, const AppSettings& s) {
    forEachDialogFolder(s.Picture, main.fileDialogNames(),
                        [](const std::string& stored, QString& shown) { shown = toQ(stored); });
}

} // namespace

void captureWindowSettings(frmMain& main, AppSettings& s) {
    if (main.isMinimized())
        main.showNormal();
    // Hidden windows keep their places too.
    for (const PlacedWindow& p : placedWindows(main)) {
        const QPoint at = p.window->pos();
        s.Form.*p.position = WindowPosition{at.x(), at.y()};
    }

    s.Picture.Width = main.picture()->imageWidth();
    s.Picture.Height = main.picture()->imageHeight();
    forEachDialogFolder(
        s.Picture, main.fileDialogNames(),
        [](std::string& stored, const QString& shown) { stored = TrimDir(toStd(shown)); });

    const frmButton* frame = main.frameWindow();
    const FrameFields f = frame->frameFields();
    forEachFramePair(s.Button, f, [](auto& stored, const auto& shown) {
        stored = static_cast<std::remove_reference_t<decltype(stored)>>(shown);
    });
    s.Button.XYFix = frame->xyFix() ? 1 : 0;

    main.animWindow()->storeSettings(s.Anim);

    s.Tool.ButtonShow = main.frameWindow()->isVisible();
    s.Tool.HelpShow = main.helpWindow()->isVisible();
}

void applyLoadedSettings(frmMain& main, const AppSettings& s) {
    // The picture window takes the image's size before the windows are placed, so that
    // a large image is brought onto the screen with the size it has.
    main.SetImageSize(s.Picture.Width, s.Picture.Height);
    main.frameWindow()->updXYMaxSet();
    const QMargins estimate = main.frameEstimate();
    for (const PlacedWindow& p : placedWindows(main)) {
        if (const auto& position = s.Form.*p.position) {
            moveFrameTo(p.window, QPoint(position->Left, position->Top));
            pullOntoScreen(p.window, estimate);
            // Once shown, its own frame may reach further than the estimate.
            QWidget* window = p.window;
            whenWindowFramed(window,
                             [window] { pullOntoScreen(window, windowFrameMargins(window)); });
        }
    }
    // A place stored while a large picture covered the main window is not used again:
    // the picture window goes beside the main window instead.
    if (s.Form.Picture)
        moveClearOf(main.picture(), outerRect(&main, estimate), estimate);

    showDialogFolders(main, s);

    FrameFields f;
    forEachFramePair(s.Button, f, [](const auto& stored, auto& shown) {
        shown = static_cast<std::remove_reference_t<decltype(shown)>>(stored);
    });
    main.frameWindow()->setFrameFields(f);
    main.frameWindow()->setXYFix(s.Button.XYFix != 0);
    main.animWindow()->loadSettings(s.Anim);

    if (s.Tool.ButtonShow)
        main.ShowHidefrmButton();
    if (s.Tool.HelpShow)
        main.ShowHidefrmHelp();
}

void applyFirstStartDialogNames(frmMain& main, const AppSettings& s) {
    showDialogFolders(main, s);
    main.fileDialogNames().colorSet += QLatin1Char('*');
}

} // namespace wavory
