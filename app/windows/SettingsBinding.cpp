#include "SettingsBinding.h"

#include "platform/FileDialogNames.h"
#include "values/ParamController.h"
#include "platform/QtText.h"
#include "WindowController.h"
#include "platform/WindowPlacement.h"
#include "animation/AnimationWindow.h"
#include "values/FrameWindow.h"
#include "guide/EasyHelpWindow.h"
#include "drawing/PictureWindow.h"

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
        {&w.main, &AppSettings::FormSection::main},
        {&w.picture, &AppSettings::FormSection::picture},
        {&w.help, &AppSettings::FormSection::help},
        {&w.frame, &AppSettings::FormSection::button},
    }};
}

// The frame settings window's fields beside the members of "Button" they are kept in; one
// list serves both directions.
template <typename Button, typename Fields, typename Pair>
void forEachFramePair(Button& stored, Fields& shown, Pair pair) {
    pair(stored.enabled, shown.enabled);
    pair(stored.color, shown.color);
    pair(stored.senmei, shown.senmei);
    pair(stored.shadow, shown.shadow);
    pair(stored.line, shown.line);
    pair(stored.width, shown.width);
    pair(stored.height, shown.height);
}

// The file dialogs' names beside the folders of "Picture" they are kept in.
template <typename Picture, typename Names, typename Pair>
void forEachDialogFolder(Picture& stored, Names& shown, Pair pair) {
    pair(stored.path, shown.image);
    pair(stored.txtPath, shown.text);
    pair(stored.cSetPath, shown.colorSet);
}

void showDialogFolders(FileDialogNames& names, const AppSettings& s) {
    forEachDialogFolder(s.picture, names,
                        [](const std::string& stored, QString& shown) { shown = toQ(stored); });
}

} // namespace

void captureWindowSettings(const SettingsWindows& w, AppSettings& s) {
    if (w.main.isMinimized())
        w.main.showNormal();
    // Hidden windows keep their places too.
    for (const PlacedWindow& p : placedWindows(w)) {
        const QPoint at = p.window->pos();
        s.form.*p.position = WindowPosition{at.x(), at.y()};
    }

    s.picture.width = w.picture.imageWidth();
    s.picture.height = w.picture.imageHeight();
    forEachDialogFolder(
        s.picture, w.names,
        [](std::string& stored, const QString& shown) { stored = folderPart(toStd(shown)); });

    const FrameWindow& frame = w.frame;
    const FrameFields f = frame.frameFields();
    forEachFramePair(s.button, f, [](auto& stored, const auto& shown) {
        stored = static_cast<std::remove_reference_t<decltype(stored)>>(shown);
    });
    s.button.xyFix = frame.xyFix() ? 1 : 0;

    w.anim.storeSettings(s.anim);

    s.tool.buttonShow = w.frame.isVisible();
    s.tool.helpShow = w.help.isVisible();
}

void applyLoadedSettings(const SettingsWindows& w, const AppSettings& s) {
    // The picture window takes the image's size before the windows are placed, so that
    // a large image is brought onto the screen with the size it has.
    w.params.setImageSize(s.picture.width, s.picture.height);
    w.frame.updXYMaxSet();
    const QMargins estimate = w.windows.frameEstimate();
    for (const PlacedWindow& p : placedWindows(w)) {
        if (const auto& position = s.form.*p.position) {
            moveFrameTo(p.window, QPoint(position->left, position->top));
            pullOntoScreen(p.window, estimate);
            // Once shown, its own frame may reach further than the estimate.
            QWidget* window = p.window;
            whenWindowFramed(window,
                             [window] { pullOntoScreen(window, windowFrameMargins(window)); });
        }
    }
    // A place stored while a large picture covered the main window is not used again:
    // the picture window goes beside the main window instead.
    if (s.form.picture)
        moveClearOf(&w.picture, outerRect(&w.main, estimate), estimate);

    showDialogFolders(w.names, s);

    FrameFields f;
    forEachFramePair(s.button, f, [](const auto& stored, auto& shown) {
        shown = static_cast<std::remove_reference_t<decltype(shown)>>(stored);
    });
    w.frame.setFrameFields(f);
    w.frame.setXYFix(s.button.xyFix != 0);
    w.anim.loadSettings(s.anim);

    if (s.tool.buttonShow)
        w.windows.toggleFrameWindow();
    if (s.tool.helpShow)
        w.windows.toggleHelpWindow();
}

void applyFirstStartDialogNames(const SettingsWindows& w, const AppSettings& s) {
    showDialogFolders(w.names, s);
    w.names.colorSet += QLatin1Char('*');
}

} // namespace wavory
