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
    const FileDialogNames& names = w.names;
    s.Picture.Path = TrimDir(toStd(names.image));
    s.Picture.TxtPath = TrimDir(toStd(names.text));
    s.Picture.CSetPath = TrimDir(toStd(names.colorSet));

    const frmButton& frame = w.frame;
    const FrameFields f = frame.frameFields();
    s.Button.Enabled = f.enabled ? 1 : 0;
    s.Button.Color = f.color;
    s.Button.Senmei = static_cast<std::int16_t>(f.senmei);
    s.Button.Shadow = static_cast<std::int16_t>(f.shadow);
    s.Button.Line = static_cast<std::int16_t>(f.line);
    s.Button.Width = f.width;
    s.Button.Height = f.height;
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

    FileDialogNames& names = w.names;
    names.image = toQ(s.Picture.Path);
    names.text = toQ(s.Picture.TxtPath);
    names.colorSet = toQ(s.Picture.CSetPath);

    FrameFields f;
    f.enabled = s.Button.Enabled != 0;
    f.color = s.Button.Color;
    f.senmei = s.Button.Senmei;
    f.shadow = s.Button.Shadow;
    f.line = s.Button.Line;
    f.width = s.Button.Width;
    f.height = s.Button.Height;
    w.frame.setFrameFields(f);
    w.frame.setXYFix(s.Button.XYFix != 0);
    w.anim.loadSettings(s.Anim);

    if (s.Tool.ButtonShow)
        w.windows.ShowHidefrmButton();
    if (s.Tool.HelpShow)
        w.windows.ShowHidefrmHelp();
}

void applyFirstStartDialogNames(const SettingsWindows& w, const AppSettings& s) {
    FileDialogNames& names = w.names;
    names.image = toQ(s.Picture.Path);
    names.text = toQ(s.Picture.TxtPath);
    names.colorSet = toQ(s.Picture.CSetPath) + QLatin1Char('*');
}

} // namespace wavory
