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
    const FileDialogNames& names = main.fileDialogNames();
    s.Picture.Path = TrimDir(toStd(names.image));
    s.Picture.TxtPath = TrimDir(toStd(names.text));
    s.Picture.CSetPath = TrimDir(toStd(names.colorSet));

    const frmButton* frame = main.frameWindow();
    const FrameFields f = frame->frameFields();
    s.Button.Enabled = f.enabled ? 1 : 0;
    s.Button.Color = f.color;
    s.Button.Senmei = static_cast<std::int16_t>(f.senmei);
    s.Button.Shadow = static_cast<std::int16_t>(f.shadow);
    s.Button.Line = static_cast<std::int16_t>(f.line);
    s.Button.Width = f.width;
    s.Button.Height = f.height;
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

    FileDialogNames& names = main.fileDialogNames();
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
    main.frameWindow()->setFrameFields(f);
    main.frameWindow()->setXYFix(s.Button.XYFix != 0);
    main.animWindow()->loadSettings(s.Anim);

    if (s.Tool.ButtonShow)
        main.ShowHidefrmButton();
    if (s.Tool.HelpShow)
        main.ShowHidefrmHelp();
}

void applyFirstStartDialogNames(frmMain& main, const AppSettings& s) {
    FileDialogNames& names = main.fileDialogNames();
    names.image = toQ(s.Picture.Path);
    names.text = toQ(s.Picture.TxtPath);
    names.colorSet = toQ(s.Picture.CSetPath) + QLatin1Char('*');
}

} // namespace wavory
