#include "io/AppSettings.h"

#include "common/Numbers.h"
#include "common/ProgramFolder.h"
#include "io/TileViewFile.h"
#include "io/clsINI.h"
#include "params/ParamFields.h"

#include <cmath>
#include <filesystem>
#include <limits>

namespace wavory {

namespace {

// Image sizes the canvas accepts; a hand-edited size outside them keeps 200 x 200.
constexpr std::int16_t kMaxSlider = 50;
constexpr std::int16_t kDigitCountEntries = 8;
constexpr std::int16_t kMinPreviewSpeed = 5;
constexpr std::int16_t kMaxPreviewSpeed = 500;
constexpr std::int32_t kMaxColor = 0xFFFFFF;

struct WindowKeys {
    const char* left;
    const char* top;
    std::optional<WindowPosition> AppSettings::FormSection::*member;
};

constexpr std::array<WindowKeys, 4> kWindowKeys{{
    {"MainL", "MainT", &AppSettings::FormSection::Main},
    {"PictureL", "PictureT", &AppSettings::FormSection::Picture},
    {"HelpL", "HelpT", &AppSettings::FormSection::Help},
    {"ButtonL", "ButtonT", &AppSettings::FormSection::Button},
}};

// ---- writing -------------------------------------------------------------------------

// One section of the file being written; numbers and Booleans go through the INI
// object's own conversion.
class SectionWriter {
  public:
    SectionWriter(clsINI& ini, const char* section) : ini_(ini), section_(section) {}

    template <typename Value> void value(const char* key, Value value) {
        ini_.AccessINI(section_, key, value, true);
    }
    void text(const char* key, std::string_view text) { ini_.writeText(section_, key, text); }
    void signPosition(const char* key, std::int64_t number) {
        ini_.writeText(section_, key, signPositionForm(number));
    }

  private:
    clsINI& ini_;
    const char* section_;
};

void writeAll(clsINI& ini, const AppSettings& s) {
    SectionWriter form(ini, "Form");
    for (const auto& keys : kWindowKeys) {
        // A window without a known position keeps what the file already says.
        const auto& position = s.Form.*keys.member;
        if (!position)
            continue;
        form.signPosition(keys.left, pixelsToTwips(position->Left));
        form.signPosition(keys.top, pixelsToTwips(position->Top));
    }

    SectionWriter picture(ini, "Picture");
    picture.signPosition("Width", s.Picture.Width);
    picture.signPosition("Height", s.Picture.Height);
    picture.value("JpegSaveQ", s.Picture.JpegSaveQ);
    picture.value("JpegSavePrgrs", s.Picture.JpegSavePrgrs);
    picture.value("PNGSaveQ", s.Picture.PNGSaveQ);
    picture.text("Path", s.Picture.Path);
    picture.text("TxtPath", s.Picture.TxtPath);
    picture.text("CSetPath", s.Picture.CSetPath);

    SectionWriter button(ini, "Button");
    button.value("Enabled", s.Button.Enabled);
    button.value("Color", s.Button.Color);
    button.value("Senmei", s.Button.Senmei);
    button.value("Shadow", s.Button.Shadow);
    button.value("Line", s.Button.Line);
    button.text("Width", s.Button.Width);
    button.text("Height", s.Button.Height);
    button.value("XYFix", s.Button.XYFix);

    SectionWriter anim(ini, "Anim");
    anim.text("IsoFrom", s.Anim.IsoFrom);
    anim.text("IsoTo", s.Anim.IsoTo);
    anim.text("Frame", s.Anim.Frame);
    anim.text("Drive", s.Anim.Drive);
    anim.text("Path", s.Anim.Path);
    anim.text("Name", s.Anim.Name);
    anim.text("NumberFrom", s.Anim.NumberFrom);
    anim.value("Number", s.Anim.Number);
    anim.value("Format", s.Anim.Format);
    anim.value("PreviewSpeed", s.Anim.PreviewSpeed);

    SectionWriter tile(ini, "TileView");
    tile.value("FontBold", s.TileView.FontBold);
    tile.value("FontItalic", s.TileView.FontItalic);
    tile.text("FontName", s.TileView.FontName);
    tile.value("FontSize", s.TileView.FontSize);
    tile.value("Color", s.TileView.Color);

    SectionWriter tool(ini, "Tool");
    tool.value("ButtonShow", s.Tool.ButtonShow);
    tool.value("HelpShow", s.Tool.HelpShow);

    SectionWriter option(ini, "Option");
    option.text("Shell", s.Option.Shell);
    option.value("Hello", s.Option.Hello);
    option.value("QuitQ", s.Option.QuitQ);
    option.value("DrewBeep", s.Option.DrewBeep);
    option.value("DrawOnRnd", s.Option.DrawOnRnd);
    option.value("TextOnGrp", s.Option.TextOnGrp);
    option.value("ActiveAfterDrawing", s.Option.ActiveAfterDrawing);
    option.value("DrawOnChange", s.Option.DrawOnChange);
    option.value("RndSetSW", s.Option.RndSetSW);
    option.value("RndSetBS", s.Option.RndSetBS);
    for (int i = 0; i < RandomGroupCount; ++i)
        option.value(doRndSetKey(i).c_str(), s.Option.DoRndSet[static_cast<std::size_t>(i)]);

    SectionWriter app(ini, "App");
    app.text("Version", kProgramVersion);
    app.text("ExistINI", "True");

    SectionWriter extras(ini, "Extras");
    extras.value("KeepHistory", s.Extras.KeepHistory);
    extras.value("VariationSpread", s.Extras.VariationSpread);
}

// ---- reading -------------------------------------------------------------------------

// The strict conversions of the loader: the whole value must be one number.
std::optional<float> strictSingle(std::string_view text) {
    const auto number = strictNumber(text);
    if (!number || std::fabs(*number) > static_cast<double>(std::numeric_limits<float>::max()))
        return std::nullopt;
    return static_cast<float>(*number);
}

template <typename Int> std::optional<Int> strictIntIn(std::string_view text, Int low, Int high) {
    const auto number = strictNumber(text);
    if (!number)
        return std::nullopt;
    const double rounded = roundHalfEven(*number);
    if (rounded < static_cast<double>(low) || rounded > static_cast<double>(high))
        return std::nullopt;
    return static_cast<Int>(rounded);
}

template <typename Int> std::optional<Int> strictInt(std::string_view text) {
    return strictIntIn<Int>(text, std::numeric_limits<Int>::min(), std::numeric_limits<Int>::max());
}

template <typename T> void assignIf(T& target, const std::optional<T>& value) {
    if (value)
        target = *value;
}

class SectionReader {
  public:
    SectionReader(clsINI& ini, const char* section) : ini_(ini), section_(section) {}

    std::string text(const char* key, std::string_view fallback = {}) {
        return ini_.GetIni(section_, key, fallback);
    }
    std::optional<bool> boolean(const char* key) { return parseIniBoolean(text(key)); }
    template <typename Int> std::optional<Int> integer(const char* key) {
        return strictInt<Int>(text(key));
    }
    template <typename Int> std::optional<Int> integerIn(const char* key, Int low, Int high) {
        return strictIntIn<Int>(text(key), low, high);
    }
    // Read into a typed variable by the INI object's own conversion.
    template <typename Value> void typed(const char* key, Value& target) {
        ini_.AccessINI(section_, key, target, false);
    }

  private:
    clsINI& ini_;
    const char* section_;
};

void loadPositions(clsINI& ini, AppSettings& s) {
    SectionReader form(ini, "Form");
    for (const auto& keys : kWindowKeys) {
        const auto left = strictSingle(form.text(keys.left));
        const auto top = strictSingle(form.text(keys.top));
        if (left && top)
            s.Form.*keys.member = WindowPosition{twipsToPixels(*left), twipsToPixels(*top)};
    }
}

void loadPicture(clsINI& ini, AppSettings& s) {
    SectionReader picture(ini, "Picture");
    const auto width = picture.integerIn<std::int32_t>("Width", kMinImageSide, kMaxImageSide);
    const auto height = picture.integerIn<std::int32_t>("Height", kMinImageSide, kMaxImageSide);
    if (width && height) {
        s.Picture.Width = *width;
        s.Picture.Height = *height;
    }
    assignIf(s.Picture.JpegSaveQ, picture.integer<std::uint8_t>("JpegSaveQ"));
    assignIf(s.Picture.JpegSavePrgrs, picture.boolean("JpegSavePrgrs"));
    assignIf(s.Picture.PNGSaveQ, picture.integer<std::uint8_t>("PNGSaveQ"));
    s.Picture.Path = picture.text("Path");
    s.Picture.TxtPath = picture.text("TxtPath");
    s.Picture.CSetPath = picture.text("CSetPath");
}

void loadButton(clsINI& ini, AppSettings& s) {
    SectionReader button(ini, "Button");
    assignIf(s.Button.Enabled, button.integerIn<std::int16_t>("Enabled", 0, 1));
    assignIf(s.Button.Color, button.integerIn<std::int32_t>("Color", 0, kMaxColor));
    assignIf(s.Button.Senmei, button.integerIn<std::int16_t>("Senmei", 0, kMaxSlider));
    assignIf(s.Button.Shadow, button.integerIn<std::int16_t>("Shadow", 0, kMaxSlider));
    assignIf(s.Button.Line, button.integerIn<std::int16_t>("Line", 0, kMaxSlider));
    // The size boxes get the number back as decimal text ("12.0" becomes "12").
    if (const auto width = button.integer<std::int16_t>("Width"))
        s.Button.Width = plainDecimal(static_cast<std::int64_t>(*width));
    if (const auto height = button.integer<std::int16_t>("Height"))
        s.Button.Height = plainDecimal(static_cast<std::int64_t>(*height));
    assignIf(s.Button.XYFix, button.integerIn<std::int16_t>("XYFix", 0, 1));
}

void loadOptions(clsINI& ini, AppSettings& s) {
    SectionReader option(ini, "Option");
    s.Option.Shell = option.text("Shell");
    assignIf(s.Option.Hello, option.boolean("Hello"));
    assignIf(s.Option.QuitQ, option.boolean("QuitQ"));
    assignIf(s.Option.DrewBeep, option.boolean("DrewBeep"));
    assignIf(s.Option.DrawOnRnd, option.boolean("DrawOnRnd"));
    assignIf(s.Option.TextOnGrp, option.boolean("TextOnGrp"));
    assignIf(s.Option.ActiveAfterDrawing, option.boolean("ActiveAfterDrawing"));
    assignIf(s.Option.DrawOnChange, option.boolean("DrawOnChange"));
}

void loadRandomSetting(clsINI& ini, AppSettings& s) {
    SectionReader option(ini, "Option");
    option.typed("RndSetSW", s.Option.RndSetSW);
    option.typed("RndSetBS", s.Option.RndSetBS);
    bool any = false;
    for (int i = 0; i < RandomGroupCount; ++i) {
        bool& flag = s.Option.DoRndSet[static_cast<std::size_t>(i)];
        option.typed(doRndSetKey(i).c_str(), flag);
        any = any || flag;
    }
    // A random setting must change something.
    if (!any) {
        s.Option.DoRndSet[RndPeriods] = true;
        s.Option.DoRndSet[RndAmplitudes] = true;
    }
}

void loadAnim(clsINI& ini, AppSettings& s) {
    SectionReader anim(ini, "Anim");
    s.Anim.IsoFrom = anim.text("IsoFrom", "0");
    s.Anim.IsoTo = anim.text("IsoTo", "99");
    s.Anim.Frame = anim.text("Frame", "10");
    if (auto drive = anim.text("Drive"); !drive.empty())
        s.Anim.Drive = std::move(drive);
    if (auto path = anim.text("Path"); !path.empty()) {
        std::error_code ec;
        if (std::filesystem::is_directory(path, ec))
            s.Anim.Path = std::move(path);
    }
    s.Anim.Name = anim.text("Name");
    s.Anim.NumberFrom = anim.text("NumberFrom", "1");
    assignIf(s.Anim.Number, anim.integerIn<std::int16_t>("Number", 0, kDigitCountEntries - 1));
    assignIf(s.Anim.Format, anim.integerIn<std::int16_t>("Format", 0, 2));
    assignIf(s.Anim.PreviewSpeed,
             anim.integerIn<std::int16_t>("PreviewSpeed", kMinPreviewSpeed, kMaxPreviewSpeed));
}

void loadTileView(clsINI& ini, AppSettings& s) {
    SectionReader tile(ini, "TileView");
    tile.typed("FontBold", s.TileView.FontBold);
    tile.typed("FontItalic", s.TileView.FontItalic);
    tile.typed("FontName", s.TileView.FontName);
    tile.typed("FontSize", s.TileView.FontSize);
    tile.typed("Color", s.TileView.Color);
}

void loadExtras(clsINI& ini, AppSettings& s) {
    SectionReader extras(ini, "Extras");
    assignIf(s.Extras.KeepHistory, extras.boolean("KeepHistory"));
    assignIf(s.Extras.VariationSpread,
             extras.integerIn<std::int16_t>("VariationSpread", 0, kMaxVariationSpread));
}

void loadTool(clsINI& ini, AppSettings& s) {
    SectionReader tool(ini, "Tool");
    // Only "False" (or 0) keeps a window off; a missing or unreadable value shows it.
    if (tool.boolean("ButtonShow").value_or(true))
        s.Tool.ButtonShow = true;
    if (tool.boolean("HelpShow").value_or(true))
        s.Tool.HelpShow = true;
}

} // namespace

std::string doRndSetKey(int index) {
    return "DoRndSet" + signPositionForm(index);
}

bool settingsExist() {
    clsINI ini;
    ini.InitINI(kSettingsFileName);
    return !ini.GetIni("App", "ExistINI", "").empty();
}

void applyFirstStartDefaults(AppSettings& s, std::string_view mainWindowFontName) {
    s.Picture.JpegSaveQ = 100;
    s.Picture.JpegSavePrgrs = false;
    s.Picture.PNGSaveQ = 0;
    s.Picture.Path.clear();
    s.Picture.TxtPath.clear();
    s.Picture.CSetPath = GetPath() + "colorset/";

    s.Option.Hello = false;
    s.Option.QuitQ = false;
    s.Option.DrewBeep = false;
    s.Option.TextOnGrp = false;
    s.Option.DrawOnChange = false;
    s.Option.DrawOnRnd = true;
    s.Option.ActiveAfterDrawing = true;
    s.Option.RndSetSW = 0;
    s.Option.RndSetBS = 0;
    s.Option.DoRndSet[RndPeriods] = true;
    s.Option.DoRndSet[RndAmplitudes] = true;
    s.Option.DoRndSet[RndComponents] = true;
    s.Option.DoRndSet[RndColorSet] = true;

    s.TileView.FontBold = false;
    s.TileView.FontItalic = false;
    s.TileView.FontName = std::string(mainWindowFontName);
    s.TileView.FontSize = 12;
    s.TileView.Color = 0;
    s.TileView.Text.clear();

    s.Tool.ButtonShow = true;
    s.Tool.HelpShow = true;
}

SaveSettingsResult SaveSettings(const AppSettings& settings) {
    SaveSettingsResult result;
    clsINI ini;
    ini.InitINI(kSettingsFileName);
    ini.SetAttrINIArchive();
    // One rewrite of the whole file: a crash in between never leaves it half written.
    result.settingsFile = ini.beginBatch();
    if (!result.settingsFile) {
        writeAll(ini, settings);
        result.settingsFile = ini.commitBatch();
    }
    result.tileViewFile = writeTileViewFile(settings.TileView.Text);
    return result;
}

void LoadSettings(AppSettings& settings, const std::function<void(AppSettings&)>& showWelcome) {
    clsINI ini;
    ini.InitINI(kSettingsFileName);
    // Read the file once; when it cannot be read every key counts as missing anyway.
    (void)ini.beginBatch();
    loadPositions(ini, settings);
    loadPicture(ini, settings);
    loadButton(ini, settings);
    loadOptions(ini, settings);
    if (settings.Option.Hello && showWelcome)
        showWelcome(settings);
    loadRandomSetting(ini, settings);
    loadAnim(ini, settings);
    loadTileView(ini, settings);
    loadTool(ini, settings);
    loadExtras(ini, settings);
    // The batch was only read; it ends with the object, nothing is written.
}

} // namespace wavory
