#include "SettingsBinding.h"

#include "FileDialogNames.h"
#include "ParamController.h"
#include "QtText.h"
#include "WindowController.h"
#include "WindowPlacement.h"
#include "frmAnim.h"
#include "frmButton.h"
#include "frmHelp.h"
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

std::array<PlacedWindow, 4> placedWindows(const SettingsWindows& w) {
    return {{
        {&w.main, &AppSettings::FormSection::Main},
        {&w.picture, &AppSettings::FormSection::Picture},
        {&w.help, &AppSettings::FormSection::Help},
        {&w.frame, &AppSettings::FormSection::Button},
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

void showDialogFolders(FileDialogNames& names, const AppSettings& s) {
    forEachDialogFolder(s.Picture, names,
                        [](const std::string& stored, QString& shown) { shown = toQ(stored); });
}

} // namespace

void captureWindowSettings(const SettingsWindows& w, AppSettings& s) {
    if (w.main.isMinimized())
        w.main.showNormal();
    // Hidden windows keep their places too.
    for (const PlacedWindow& p : placedWindows(w)) {
        const QPoint at = p.window->pos();
        s.Form.*p.position = WindowPosition{at.x(), at.y()};
    }

    s.Picture.Width = w.picture.imageWidth();
    s.Picture.Height = w.picture.imageHeight();
    forEachDialogFolder(
        s.Picture, w.names,
        [](std::string& stored, const QString& shown) { stored = TrimDir(toStd(shown)); });

    const frmButton& frame = w.frame;
    const FrameFields f = frame.frameFields();
    forEachFramePair(s.Button, f, [](auto& stored, const auto& shown) {
        stored = static_cast<std::remove_reference_t<decltype(stored)>>(shown);
    });
    s.Button.XYFix = frame.xyFix() ? 1 : 0;

    w.anim.storeSettings(s.Anim);

    s.Tool.ButtonShow = w.frame.isVisible();
    s.Tool.HelpShow = w.help.isVisible();
}

void applyLoadedSettings(const SettingsWindows& w, const AppSettings& s) {
    // The picture window takes the image's size before the windows are placed, so that
    // a large image is brought onto the screen with the size it has.
    w.params.setImageSize(s.Picture.Width, s.Picture.Height);
    w.frame.updXYMaxSet();
    const QMargins estimate = w.windows.frameEstimate();
    for (const PlacedWindow& p : placedWindows(w)) {
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
        moveClearOf(&w.picture, outerRect(&w.main, estimate), estimate);

    showDialogFolders(w.names, s);

    FrameFields f;
    forEachFramePair(s.Button, f, [](const auto& stored, auto& shown) {
        shown = static_cast<std::remove_reference_t<decltype(shown)>>(stored);
    });
    w.frame.setFrameFields(f);
    w.frame.setXYFix(s.Button.XYFix != 0);
    w.anim.loadSettings(s.Anim);

    if (s.Tool.ButtonShow)
        w.windows.ShowHidefrmButton();
    if (s.Tool.HelpShow)
        w.windows.ShowHidefrmHelp();
}

void applyFirstStartDialogNames(const SettingsWindows& w, const AppSettings& s) {
    showDialogFolders(w.names, s);
    w.names.colorSet += QLatin1Char('*');
}

} // namespace wavory
