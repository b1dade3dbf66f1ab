#include "io/AppSettings.h"

#include "common/Numbers.h"
#include "common/ProgramFolder.h"
#include "common/UiText.h"
#include "io/AtomicFile.h"
#include "io/SettingsKey.h"
#include "io/TileViewFile.h"
#include "io/IniFile.h"
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
// too, in the order readSettings gives.

constexpr SectionTable<AppSettings, Form, 4> kFormKeys{
    "Form",
    &AppSettings::form,
    {{
        windowPosition<&Form::main>("MainL", "MainT"),
        windowPosition<&Form::picture>("PictureL", "PictureT"),
        windowPosition<&Form::help>("HelpL", "HelpT"),
        windowPosition<&Form::button>("ButtonL", "ButtonT"),
    }}};

// Image sizes the canvas accepts; a hand-edited size outside them keeps 200 x 200.
constexpr SectionTable<AppSettings, Picture, 7> kPictureKeys{
    "Picture",
    &AppSettings::picture,
    {{
        sizePair<&Picture::width, &Picture::height>("Width", "Height", kMinImageSide,
                                                    kMaxImageSide),
        number<&Picture::jpegSaveQ>("JpegSaveQ"),
        boolean<&Picture::jpegSavePrgrs>("JpegSavePrgrs"),
        number<&Picture::pngSaveQ>("PNGSaveQ"),
        text<&Picture::path>("Path"),
        text<&Picture::txtPath>("TxtPath"),
        text<&Picture::cSetPath>("CSetPath"),
    }}};

constexpr SectionTable<AppSettings, Button, 8> kButtonKeys{
    "Button",
    &AppSettings::button,
    {{
        numberIn<&Button::enabled>("Enabled", 0, 1),
        numberIn<&Button::color>("Color", 0, kMaxColor),
        numberIn<&Button::senmei>("Senmei", 0, kMaxSlider),
        numberIn<&Button::shadow>("Shadow", 0, kMaxSlider),
        numberIn<&Button::line>("Line", 0, kMaxSlider),
        numberText<&Button::width>("Width"),
        numberText<&Button::height>("Height"),
        numberIn<&Button::xyFix>("XYFix", 0, 1),
    }}};

constexpr SectionTable<AppSettings, Anim, 11> kAnimKeys{
    "Anim",
    &AppSettings::anim,
    {{
        text<&Anim::isoFrom>("IsoFrom", "0"),
        text<&Anim::isoTo>("IsoTo", "99"),
        text<&Anim::frame>("Frame", "10"),
        keptText<&Anim::drive>("Drive"),
        existingFolder<&Anim::path>("Path"),
        text<&Anim::name>("Name"),
        text<&Anim::numberFrom>("NumberFrom", "1"),
        numberIn<&Anim::number>("Number", 0, kDigitCountEntries - 1),
        numberIn<&Anim::format>("Format", 0, 4),
        numberIn<&Anim::previewSpeed>("PreviewSpeed", kMinPreviewSpeed, kMaxPreviewSpeed),
        numberIn<&Anim::videoQuality>("VideoQuality", 1, 100),
    }}};

constexpr SectionTable<AppSettings, TileView, 5> kTileViewKeys{
    "TileView",
    &AppSettings::tileView,
    {{
        loose<&TileView::fontBold>("FontBold"),
        loose<&TileView::fontItalic>("FontItalic"),
        loose<&TileView::fontName>("FontName"),
        loose<&TileView::fontSize>("FontSize"),
        loose<&TileView::color>("Color"),
    }}};

// Only "False" (or 0) keeps a window off.
constexpr SectionTable<AppSettings, Tool, 2> kToolKeys{
    "Tool",
    &AppSettings::tool,
    {{
        shownUnlessFalse<&Tool::buttonShow>("ButtonShow"),
        shownUnlessFalse<&Tool::helpShow>("HelpShow"),
    }}};

// The options dialog's values; the welcome dialog is shown once they are read.
constexpr SectionTable<AppSettings, Option, 8> kOptionKeys{
    "Option",
    &AppSettings::option,
    {{
        text<&Option::shell>("Shell"),
        boolean<&Option::hello>("Hello"),
        boolean<&Option::quitQ>("QuitQ"),
        boolean<&Option::drewBeep>("DrewBeep"),
        boolean<&Option::drawOnRnd>("DrawOnRnd"),
        boolean<&Option::textOnGrp>("TextOnGrp"),
        boolean<&Option::activeAfterDrawing>("ActiveAfterDrawing"),
        boolean<&Option::drawOnChange>("DrawOnChange"),
    }}};

// A random setting must change something.
void randomSettingChangesSomething(Option& option) {
    if (std::find(option.doRndSet.begin(), option.doRndSet.end(), true) != option.doRndSet.end())
        return;
    option.doRndSet[RndPeriods] = true;
    option.doRndSet[RndAmplitudes] = true;
}

// The random setting's tendencies and groups, after the options in the same section.
constexpr SectionTable<AppSettings, Option, 2 + RandomGroupCount> kRandomSettingKeys{
    "Option",
    &AppSettings::option,
    {{
        loose<&Option::rndSetSw>("RndSetSW"),
        loose<&Option::rndSetBs>("RndSetBS"),
        looseFlag<&Option::doRndSet, 0>("DoRndSet 0"),
        looseFlag<&Option::doRndSet, 1>("DoRndSet 1"),
        looseFlag<&Option::doRndSet, 2>("DoRndSet 2"),
        looseFlag<&Option::doRndSet, 3>("DoRndSet 3"),
        looseFlag<&Option::doRndSet, 4>("DoRndSet 4"),
        looseFlag<&Option::doRndSet, 5>("DoRndSet 5"),
        looseFlag<&Option::doRndSet, 6>("DoRndSet 6"),
    }},
    &randomSettingChangesSomething};

// Older files lack this section; it follows "App".
constexpr SectionTable<AppSettings, Extras, 2> kExtrasKeys{
    "Extras",
    &AppSettings::extras,
    {{
        boolean<&Extras::keepHistory>("KeepHistory"),
        numberIn<&Extras::variationSpread>("VariationSpread", 0, kMaxVariationSpread),
    }}};

static_assert(complete(kFormKeys) && complete(kPictureKeys) && complete(kButtonKeys) &&
              complete(kAnimKeys) && complete(kTileViewKeys) && complete(kToolKeys) &&
              complete(kOptionKeys) && complete(kRandomSettingKeys) && complete(kExtrasKeys));

// The version and the marker settingsExist looks for; nothing reads them back.
void writeStamp(IniFile& ini) {
    ini.writeText("App", "Version", kProgramVersion);
    ini.writeText("App", "ExistINI", "True");
}

void writeAll(IniFile& ini, const AppSettings& s) {
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
    IniFile ini;
    ini.initFile(kSettingsFileName);
    return !ini.valueText("App", "ExistINI", "").empty();
}

void applyFirstStartDefaults(AppSettings& s, std::string_view mainWindowFontName) {
    s.picture.jpegSaveQ = 100;
    s.picture.jpegSavePrgrs = false;
    s.picture.pngSaveQ = 0;
    s.picture.path.clear();
    s.picture.txtPath.clear();
    s.picture.cSetPath = programFolder() + "colorset/";

    s.option.hello = false;
    s.option.quitQ = false;
    s.option.drewBeep = false;
    s.option.textOnGrp = false;
    s.option.drawOnChange = false;
    s.option.drawOnRnd = true;
    s.option.activeAfterDrawing = true;
    s.option.rndSetSw = 0;
    s.option.rndSetBs = 0;
    s.option.doRndSet[RndPeriods] = true;
    s.option.doRndSet[RndAmplitudes] = true;
    s.option.doRndSet[RndComponents] = true;
    s.option.doRndSet[RndColorSet] = true;

    s.tileView.fontBold = false;
    s.tileView.fontItalic = false;
    s.tileView.fontName = std::string(mainWindowFontName);
    s.tileView.fontSize = 12;
    s.tileView.color = 0;
    s.tileView.text.clear();

    s.tool.buttonShow = true;
    s.tool.helpShow = true;
}

SaveSettingsResult writeSettings(const AppSettings& settings) {
    SaveSettingsResult result;
    IniFile ini;
    ini.initFile(kSettingsFileName);
    ini.setArchiveAttribute();
    // One rewrite of the whole file: a crash in between never leaves it half written.
    result.settingsFile = ini.beginBatch();
    if (!result.settingsFile) {
        writeAll(ini, settings);
        result.settingsFile = ini.commitBatch();
    }
    result.tileViewFile = writeTileViewFile(settings.tileView.text);
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
        causes += programFolder() + name + "\r\n" + systemErrorText(ec);
    }
    if (causes.empty())
        return {};
    return Result::failure(MessageIcon::Critical,
                           fillText(UiText::tr("設定を保存できませんでした。\r\n%1"), {causes}));
}

void readSettings(AppSettings& settings, const std::function<void(AppSettings&)>& showWelcome) {
    IniFile ini;
    ini.initFile(kSettingsFileName);
    // Read the file once; when it cannot be read every key counts as missing anyway.
    (void)ini.beginBatch();
    readSection(ini, kFormKeys, settings);
    readSection(ini, kPictureKeys, settings);
    readSection(ini, kButtonKeys, settings);
    readSection(ini, kOptionKeys, settings);
    if (settings.option.hello && showWelcome)
        showWelcome(settings);
    readSection(ini, kRandomSettingKeys, settings);
    readSection(ini, kAnimKeys, settings);
    readSection(ini, kTileViewKeys, settings);
    readSection(ini, kToolKeys, settings);
    readSection(ini, kExtrasKeys, settings);
    // The batch was only read; it ends with the object, nothing is written.
}

} // namespace wavory
