#pragma once
// Everything that outlives one run, apart from the color sets and the last drawing: the
// model behind "wavory.ini" and "Tileview.ini". The windows copy their controls into it
// before writeSettings and take their controls from it after readSettings; the members
// are named after the keys they are stored under, grouped by section.
//
// A default-constructed AppSettings holds the values before anything is read: the
// program's globals as they start and the controls' initial values.

#include "common/Result.h"
#include "io/FormPosition.h"
#include "params/RandomGroup.h"
#include "params/Variations.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace wavory {

inline constexpr const char* kSettingsFileName = "wavory.ini";
// Written as "App"/"Version"; major "." minor.
inline constexpr const char* kProgramVersion = "2.50";

// Left and top of a window in pixels (stored in twips).
struct WindowPosition {
    std::int32_t left = 0;
    std::int32_t top = 0;
    friend bool operator==(const WindowPosition&, const WindowPosition&) = default;
};

struct AppSettings {
    // Section "Form": where the main, picture, easy help and frame settings windows stand.
    // Nothing means "no stored position": the window keeps its initial place. The main
    // window's entry is its normal (not minimized) position.
    struct FormSection {
        std::optional<WindowPosition> main;
        std::optional<WindowPosition> picture;
        std::optional<WindowPosition> help;
        std::optional<WindowPosition> button;
        friend bool operator==(const FormSection&, const FormSection&) = default;
    } form;

    // Section "Picture": image size, save options and the folders of the file dialogs.
    struct PictureSection {
        std::int32_t width = 200; // image size in pixels, 4 to 3000
        std::int32_t height = 200;
        std::uint8_t jpegSaveQ = 0;
        bool jpegSavePrgrs = false;
        std::uint8_t pngSaveQ = 0;
        // Folders with a trailing "/" or empty: the image save dialog (also the folder for
        // the linked-application file), the parameter text file dialog, the color set file
        // dialog.
        std::string path;
        std::string txtPath;
        std::string cSetPath;
        friend bool operator==(const PictureSection&, const PictureSection&) = default;
    } picture;

    // Section "Button": the frame settings window's controls.
    struct ButtonSection {
        std::int16_t enabled = 0;  // chkFrameEnabled, 0 or 1
        std::int32_t color = 0;    // picFrameColor, red in the low byte
        std::int16_t senmei = 25;  // sldFrameSenmei, 0 to 50
        std::int16_t shadow = 25;  // sldFrameShadow, 0 to 50
        std::int16_t line = 25;    // sldFrameLine, 0 to 50
        std::string width = "10";  // txtX
        std::string height = "10"; // txtY
        std::int16_t xyFix = 0;    // chkXYFix, 0 or 1
        friend bool operator==(const ButtonSection&, const ButtonSection&) = default;
    } button;

    // Section "Anim": the animation window's controls and the preview speed.
    struct AnimSection {
        std::string isoFrom = "0";       // txtIsoFrom
        std::string isoTo = "99";        // txtIsoTo
        std::string frame = "10";        // txtFrame
        std::string drive;               // read and written back unchanged; no drives here
        std::string path;                // the frames' folder
        std::string name = "anim";       // txtName
        std::string numberFrom = "1";    // txtNumberFrom
        std::int16_t number = 1;         // cboNumber list index, 0 to 7 (1 to 8 digits)
        std::int16_t previewSpeed = 100; // hscSpeed of the preview, 5 to 500 ms
        // What a save writes: 0 BMP series, 1 WebP, 2 GIF, 3 MP4, 4 WebM ("Format").
        std::int16_t format = 0;
        std::int16_t videoQuality = 80; // 1 to 100, kDefaultVideoQuality ("VideoQuality")
        friend bool operator==(const AnimSection&, const AnimSection&) = default;
    } anim;

    // Section "TileView", and the tile view's text of "Tileview.ini".
    struct TileViewSection {
        bool fontBold = false;
        bool fontItalic = false;
        std::string fontName;
        std::int16_t fontSize = 0; // points
        std::int32_t color = 0;    // red in the low byte
        std::string text;          // kept in "Tileview.ini"
        friend bool operator==(const TileViewSection&, const TileViewSection&) = default;
    } tileView;

    // Section "Tool": whether the frame settings and easy help windows are shown.
    struct ToolSection {
        bool buttonShow = false;
        bool helpShow = false;
        friend bool operator==(const ToolSection&, const ToolSection&) = default;
    } tool;

    // Section "Option": the options dialog's values.
    struct OptionSection {
        std::string shell; // the linked application
        bool hello = false;
        bool quitQ = false;
        bool drewBeep = false;
        bool drawOnRnd = false;
        bool textOnGrp = false;
        bool activeAfterDrawing = false;
        bool drawOnChange = false;
        double rndSetSw = 0; // amplitude tendency, about -1 (large) .. 1 (small)
        double rndSetBs = 0; // period tendency, about -1 (short) .. 1 (long)
        std::array<bool, RandomGroupCount> doRndSet{};
        friend bool operator==(const OptionSection&, const OptionSection&) = default;
    } option;

    // Section "Extras", after "App" (older files lack it): the drawing history and the
    // variations window.
    struct ExtrasSection {
        bool keepHistory = false;          // "終了後も履歴を保持する"
        std::int16_t variationSpread = kDefaultVariationSpread; // 0 to 100
        friend bool operator==(const ExtrasSection&, const ExtrasSection&) = default;
    } extras;

    friend bool operator==(const AppSettings&, const AppSettings&) = default;
};

// The key of random-setting flag i: "DoRndSet", a blank, the digit.
std::string doRndSetKey(int index);

// True when "wavory.ini" in the program folder has a non-empty "App"/"ExistINI": the
// settings are then loaded; otherwise this is a first start.
bool settingsExist();

// The first-start values: JPEG quality 100, draw after a random setting and activate
// after drawing on, random groups periods, amplitudes, components and color set, tile
// font `mainWindowFontName` at 12 points, the frame settings and easy help windows shown,
// the color set dialog in the program's "colorset" folder. The rest stays as it is.
void applyFirstStartDefaults(AppSettings& settings, std::string_view mainWindowFontName);

struct SaveSettingsResult {
    std::error_code settingsFile; // "wavory.ini"
    std::error_code tileViewFile; // "Tileview.ini"
};

// Writes every key of "wavory.ini" in the program folder, in the program's order, as one
// atomic rewrite that keeps keys it does not know; then "Tileview.ini". A read-only
// "wavory.ini" is made writable first. Failures are only returned.
SaveSettingsResult writeSettings(const AppSettings& settings);

// What the user is told about a save: nothing when both files were written, otherwise one
// message naming each file not written and why.
Result settingsSaveOutcome(const SaveSettingsResult& saved);

// Reads "wavory.ini" into settings, step by step: a missing or unconvertible value leaves
// its member as it was. `showWelcome` is called when "Hello" is true once the options are
// read, before the rest is loaded (the welcome dialog may change Hello). Window positions
// are loaded as stored; the caller brings each window onto the screen with keepOnScreen.
void readSettings(AppSettings& settings, const std::function<void(AppSettings&)>& showWelcome = {});

} // namespace wavory
