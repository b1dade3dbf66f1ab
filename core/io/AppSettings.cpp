#include "io/AppSettings.h"

#include "common/Numbers.h"
#include "common/ProgramFolder.h"
#include "common/UiText.h"
#include "io/AtomicFile.h"
#include "io/SettingsKey.h"
#include "io/TileViewFile.h"
#include "io/clsINI.h"
#include "params/ParamFields.h"

#include <algorithm>
#include <utility>

namespace wavory {

namespace {

using namespace settings;

constexpr std::int16_t kMaxSlider = 50;
constexpr std::int16_t kDigitCountEntries = 8;
constexpr std::int16_t kMinPreviewSpeed = 5;
constexpr std::int16_t kMaxPreviewSpeed = 500;
constexpr std::int32_t kMaxColor = 0xFFFFFF;

using Form = AppSettings::FormSection;
using Picture = AppSettings::PictureSection;
using Button = AppSettings::ButtonSection;
using Anim = AppSettings::AnimSection;
using TileView = AppSettings::TileViewSection;
using Tool = AppSettings::ToolSection;
using Option = AppSettings::OptionSection;
using Extras = AppSettings::ExtrasSection;

// Each section's keys in the order they are written. Reading goes section by section
// too, in the order LoadSettings gives.

constexpr SectionTable<AppSettings, Form, 4> kFormKeys{
    "Form",
    &AppSettings::Form,
    {{
        windowPosition<&Form::Main>("MainL", "MainT"),
        windowPosition<&Form::Picture>("PictureL", "PictureT"),
        windowPosition<&Form::Help>("HelpL", "HelpT"),
        windowPosition<&Form::Button>("ButtonL", "ButtonT"),
    }}};

// Image sizes the canvas accepts; a hand-edited size outside them keeps 200 x 200.
constexpr SectionTable<AppSettings, Picture, 7> kPictureKeys{
    "Picture",
    &AppSettings::Picture,
    {{
        sizePair<&Picture::Width, &Picture::Height>("Width", "Height", kMinImageSide,
                                                    kMaxImageSide),
        number<&Picture::JpegSaveQ>("JpegSaveQ"),
        boolean<&Picture::JpegSavePrgrs>("JpegSavePrgrs"),
        number<&Picture::PNGSaveQ>("PNGSaveQ"),
        text<&Picture::Path>("Path"),
        text<&Picture::TxtPath>("TxtPath"),
        text<&Picture::CSetPath>("CSetPath"),
    }}};

constexpr SectionTable<AppSettings, Button, 8> kButtonKeys{
    "Button",
    &AppSettings::Button,
    {{
        numberIn<&Button::Enabled>("Enabled", 0, 1),
        numberIn<&Button::Color>("Color", 0, kMaxColor),
        numberIn<&Button::Senmei>("Senmei", 0, kMaxSlider),
        numberIn<&Button::Shadow>("Shadow", 0, kMaxSlider),
        numberIn<&Button::Line>("Line", 0, kMaxSlider),
        numberText<&Button::Width>("Width"),
        numberText<&Button::Height>("Height"),
        numberIn<&Button::XYFix>("XYFix", 0, 1),
    }}};

constexpr SectionTable<AppSettings, Anim, 10> kAnimKeys{
    "Anim",
    &AppSettings::Anim,
    {{
        text<&Anim::IsoFrom>("IsoFrom", "0"),
        text<&Anim::IsoTo>("IsoTo", "99"),
        text<&Anim::Frame>("Frame", "10"),
        keptText<&Anim::Drive>("Drive"),
        existingFolder<&Anim::Path>("Path"),
        text<&Anim::Name>("Name"),
        text<&Anim::NumberFrom>("NumberFrom", "1"),
        numberIn<&Anim::Number>("Number", 0, kDigitCountEntries - 1),
        numberIn<&Anim::Format>("Format", 0, 2),
        numberIn<&Anim::PreviewSpeed>("PreviewSpeed", kMinPreviewSpeed, kMaxPreviewSpeed),
    }}};

constexpr SectionTable<AppSettings, TileView, 5> kTileViewKeys{
    "TileView",
    &AppSettings::TileView,
    {{
        loose<&TileView::FontBold>("FontBold"),
        loose<&TileView::FontItalic>("FontItalic"),
        loose<&TileView::FontName>("FontName"),
        loose<&TileView::FontSize>("FontSize"),
        loose<&TileView::Color>("Color"),
    }}};

// Only "False" (or 0) keeps a window off.
constexpr SectionTable<AppSettings, Tool, 2> kToolKeys{
    "Tool",
    &AppSettings::Tool,
    {{
        shownUnlessFalse<&Tool::ButtonShow>("ButtonShow"),
        shownUnlessFalse<&Tool::HelpShow>("HelpShow"),
    }}};

// The options dialog's values; the welcome dialog is shown once they are read.
constexpr SectionTable<AppSettings, Option, 8> kOptionKeys{
    "Option",
    &AppSettings::Option,
    {{
        text<&Option::Shell>("Shell"),
        boolean<&Option::Hello>("Hello"),
        boolean<&Option::QuitQ>("QuitQ"),
        boolean<&Option::DrewBeep>("DrewBeep"),
        boolean<&Option::DrawOnRnd>("DrawOnRnd"),
        boolean<&Option::TextOnGrp>("TextOnGrp"),
        boolean<&Option::ActiveAfterDrawing>("ActiveAfterDrawing"),
        boolean<&Option::DrawOnChange>("DrawOnChange"),
    }}};

// A random setting must change something.
void randomSettingChangesSomething(Option& option) {
    if (std::find(option.DoRndSet.begin(), option.DoRndSet.end(), true) != option.DoRndSet.end())
        return;
    option.DoRndSet[RndPeriods] = true;
    option.DoRndSet[RndAmplitudes] = true;
}

// The random setting's tendencies and groups, after the options in the same section.
constexpr SectionTable<AppSettings, Option, 2 + RandomGroupCount> kRandomSettingKeys{
    "Option",
    &AppSettings::Option,
    {{
        loose<&Option::RndSetSW>("RndSetSW"),
        loose<&Option::RndSetBS>("RndSetBS"),
        looseFlag<&Option::DoRndSet, 0>("DoRndSet 0"),
        looseFlag<&Option::DoRndSet, 1>("DoRndSet 1"),
        looseFlag<&Option::DoRndSet, 2>("DoRndSet 2"),
        looseFlag<&Option::DoRndSet, 3>("DoRndSet 3"),
        looseFlag<&Option::DoRndSet, 4>("DoRndSet 4"),
        looseFlag<&Option::DoRndSet, 5>("DoRndSet 5"),
        looseFlag<&Option::DoRndSet, 6>("DoRndSet 6"),
    }},
    &randomSettingChangesSomething};

// Older files lack this section; it follows "App".
constexpr SectionTable<AppSettings, Extras, 2> kExtrasKeys{
    "Extras",
    &AppSettings::Extras,
    {{
        boolean<&Extras::KeepHistory>("KeepHistory"),
        numberIn<&Extras::VariationSpread>("VariationSpread", 0, kMaxVariationSpread),
    }}};

static_assert(complete(kFormKeys) && complete(kPictureKeys) && complete(kButtonKeys) &&
              complete(kAnimKeys) && complete(kTileViewKeys) && complete(kToolKeys) &&
              complete(kOptionKeys) && complete(kRandomSettingKeys) && complete(kExtrasKeys));

// The version and the marker settingsExist looks for; nothing reads them back.
void writeStamp(clsINI& ini) {
    ini.writeText("App", "Version", kProgramVersion);
    ini.writeText("App", "ExistINI", "True");
}

void writeAll(clsINI& ini, const AppSettings& s) {
    writeSection(ini, kFormKeys, s);
    writeSection(ini, kPictureKeys, s);
    writeSection(ini, kButtonKeys, s);
    writeSection(ini, kAnimKeys, s);
    writeSection(ini, kTileViewKeys, s);
    writeSection(ini, kToolKeys, s);
    writeSection(ini, kOptionKeys, s);
    writeSection(ini, kRandomSettingKeys, s);
    writeStamp(ini);
    writeSection(ini, kExtrasKeys, s);
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

Result settingsSaveOutcome(const SaveSettingsResult& saved) {
    std::string causes;
    for (const auto& [name, ec] : {std::pair{kSettingsFileName, saved.settingsFile},
                                   std::pair{kTileViewFileName, saved.tileViewFile}}) {
        if (!ec)
            continue;
        if (!causes.empty())
            causes += "\r\n";
        causes += GetPath() + name + "\r\n" + systemErrorText(ec);
    }
    if (causes.empty())
        return {};
    return Result::failure(MessageIcon::Critical,
                           fillText(UiText::tr("設定を保存できませんでした。\r\n%1"), {causes}));
}

void LoadSettings(AppSettings& settings, const std::function<void(AppSettings&)>& showWelcome) {
    clsINI ini;
    ini.InitINI(kSettingsFileName);
    // Read the file once; when it cannot be read every key counts as missing anyway.
    (void)ini.beginBatch();
    readSection(ini, kFormKeys, settings);
    readSection(ini, kPictureKeys, settings);
    readSection(ini, kButtonKeys, settings);
    readSection(ini, kOptionKeys, settings);
    if (settings.Option.Hello && showWelcome)
        showWelcome(settings);
    readSection(ini, kRandomSettingKeys, settings);
    readSection(ini, kAnimKeys, settings);
    readSection(ini, kTileViewKeys, settings);
    readSection(ini, kToolKeys, settings);
    readSection(ini, kExtrasKeys, settings);
    // The batch was only read; it ends with the object, nothing is written.
}

} // namespace wavory
