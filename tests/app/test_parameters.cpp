// The parameter controls of the main window: switches, value fields with their up-down
// controls, the whole-set commands and their menu twins, key handling, the wheel and the
// up and down keys, the phase label and the random setting.

#include "AppFixture.h"
#include "widgets/UpDown.h"

#include <QMenuBar>
#include <QScrollBar>
#include <QWheelEvent>

#include <functional>
#include <set>
#include <string>

using namespace wavory;
using namespace wavory::test;

namespace {

class Parameters : public AppFixture {};

} // namespace

TEST_F(Parameters, StartUpStateAndLabels) {
    EXPECT_EQ(main->windowTitle(), "Wavory");
    EXPECT_EQ(find<QLabel>("labSize")->text(), " 200 x 200 pixels");
    EXPECT_EQ(find<QLabel>("labISO")->text(), "位相のずれ : 0 %");
    EXPECT_EQ(button("cmdDraw")->text(), "描画(&D)");
    EXPECT_FALSE(action("mnuUndo")->isEnabled());
    for (int k = 0; k < kComponentCount; ++k)
        EXPECT_EQ(component(k)->isChecked(), k < 4) << k;
    EXPECT_EQ(component(5)->text(), "＋型成分");
    EXPECT_EQ(find<QComboBox>("cboMode")->currentText(), "通常");
    EXPECT_EQ(find<QComboBox>("cbogColor")->count(), 14);
    EXPECT_EQ(text(0), "1");
    EXPECT_EQ(text(1), "0");
    EXPECT_EQ(text(9), "1");
    // Rectangle to ripple start switched off, their fields with them.
    EXPECT_FALSE(value(10)->isEnabled());
    EXPECT_FALSE(find<UpDown>("updValue_17")->isEnabled());
    EXPECT_TRUE(value(8)->isEnabled());
    EXPECT_EQ(find<QLineEdit>("txtCenter_0")->text(), "0");
    EXPECT_EQ(find<QLineEdit>("txtCenter_1")->text(), "0");
    EXPECT_EQ(find<QLineEdit>("txtNizimi")->text(), "0");
    EXPECT_EQ(root->frameWindow()->frameFields().width, "10");
    EXPECT_EQ(root->frameWindow()->frameFields().height, "10");
}

TEST_F(Parameters, SwitchEnablesItsFieldsOnly) {
    component(3)->setChecked(false);
    for (int f : {6, 7, 8}) {
        EXPECT_FALSE(value(f)->isEnabled()) << f;
        EXPECT_FALSE(find<UpDown>(QStringLiteral("updValue_%1").arg(f))->isEnabled()) << f;
    }
    EXPECT_TRUE(value(5)->isEnabled());
    EXPECT_TRUE(value(9)->isEnabled());
    component(3)->setChecked(true);
    for (int f : {6, 7, 8})
        EXPECT_TRUE(value(f)->isEnabled()) << f;
    component(6)->setChecked(true);
    EXPECT_TRUE(value(14)->isEnabled());
    EXPECT_TRUE(value(15)->isEnabled());
    EXPECT_EQ(root->params().model().fields().componentOn[6], true);
}

// Each command's control runs that command on the model and the fields show the result;
// the rules themselves are the core's (test_param_commands).
TEST_F(Parameters, CommandControlsRunTheirModelCommands) {
    struct Command {
        const char* control; // a button, a menu item or an up-down ("updValue_N+", "-")
        std::function<void(ParamModel&)> expected;
    };
    const Command commands[] = {
        {"cmdBig", [](ParamModel& m) { m.doublePeriods(); }},
        {"mnuBig", [](ParamModel& m) { m.doublePeriods(); }},
        {"cmdSmall", [](ParamModel& m) { m.halvePeriods(); }},
        {"mnySmall", [](ParamModel& m) { m.halvePeriods(); }},
        {"cmdStrong", [](ParamModel& m) { m.doubleAmplitudes(); }},
        {"mnuStrong", [](ParamModel& m) { m.doubleAmplitudes(); }},
        {"cmdWeak", [](ParamModel& m) { m.halveAmplitudes(); }},
        {"mnuWeak", [](ParamModel& m) { m.halveAmplitudes(); }},
        {"updValue_2-", [](ParamModel& m) { m.valueDown(2); }},
        {"updValue_7+", [](ParamModel& m) { m.valueUp(7); }},
        {"updNizimi+", [](ParamModel& m) { m.bleedUp(); }},
        {"updNizimi-", [](ParamModel& m) { m.bleedDown(); }},
    };
    const char* texts[] = {"1", "15", "3", "0", "5", "7", "7", "600000", "2"};
    for (const Command& c : commands) {
        for (int i = 0; i < 9; ++i)
            value(i)->setText(QLatin1String(texts[i]));
        find<QLineEdit>("txtNizimi")->setText("1.3");
        ParamModel expected = root->params().model();
        c.expected(expected);

        const QString name = QLatin1String(c.control);
        if (name.startsWith("upd")) {
            auto* upd = find<UpDown>(name.chopped(1));
            name.endsWith('+') ? upd->clickUp() : upd->clickDown();
        } else if (name.startsWith("cmd")) {
            button(c.control)->click();
        } else {
            action(c.control)->trigger();
        }
        for (int i = 0; i < kValueSlotCount; ++i)
            EXPECT_EQ(text(i).toStdString(), expected.fields().values[i]) << c.control << " " << i;
        EXPECT_EQ(find<QLineEdit>("txtNizimi")->text().toStdString(), expected.fields().bleed)
            << c.control;
        EXPECT_EQ(root->params().model().valueSlots(), expected.valueSlots()) << c.control;
    }
}

TEST_F(Parameters, UpDownByMouseOnTheArrows) {
    value(9)->setText("3");
    auto* upd = find<UpDown>("updValue_9");
    QTest::mouseClick(upd, Qt::LeftButton, {}, QPoint(upd->width() / 2, 2));
    EXPECT_EQ(text(9), "6");
    QTest::mouseClick(upd, Qt::LeftButton, {}, QPoint(upd->width() / 2, upd->height() - 2));
    EXPECT_EQ(text(9), "3");
}

// The wheel and the up and down keys step a field as its rules say (test_param_commands):
// through the model, shown in the field; Shift is the coarse step; a switched-off
// component's fields do not move.
TEST_F(Parameters, WheelAndUpDownKeysStepAField) {
    struct Step {
        const char* field;
        const char* from;
        int input; // +-1 a wheel notch, +-2 an up or down key
        bool shift;
        const char* to;
    };
    const Step steps[] = {
        {"txtValue_0", "350", +1, false, "360"},  {"txtValue_0", "1000", -2, false, "990"},
        {"txtValue_0", "999999", +2, false, "999999"}, {"txtValue_0", "301", -1, true, "150"},
        {"txtValue_9", "3", +2, true, "6"},       {"txtNizimi", "0", -1, false, "0"},
        {"txtNizimi", "1.3", +1, true, "3"},      {"txtCenter_1", "5", +1, true, "15"},
        {"txtCenter_0", "-9999", -2, false, "-9999"}, {"txtValue_17", "4", +1, false, "4"},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(std::string(s.field) + " " + s.from);
        auto* f = find<QLineEdit>(QLatin1String(s.field));
        f->setText(QLatin1String(s.from));
        const Qt::KeyboardModifiers mods = s.shift ? Qt::ShiftModifier : Qt::NoModifier;
        if (std::abs(s.input) == 1) {
            const QPoint at(f->width() / 2, f->height() / 2);
            QWheelEvent wheel(at, f->mapToGlobal(at), {}, {0, 120 * s.input}, Qt::NoButton, mods,
                              Qt::NoScrollPhase, false);
            QApplication::sendEvent(f, &wheel);
        } else {
            QTest::keyClick(f, s.input > 0 ? Qt::Key_Up : Qt::Key_Down, mods);
        }
        EXPECT_EQ(f->text(), QLatin1String(s.to));
    }
    EXPECT_EQ(root->params().fields().center[1], "15");
}

TEST_F(Parameters, ValueFieldKeysClampBeforeTheKey) {
    QLineEdit* f = value(1);
    f->setFocus();
    f->setText("abc");
    QTest::keyClick(f, Qt::Key_End);
    EXPECT_EQ(f->text(), "abc"); // keys that type nothing are not checked
    QTest::keyClick(f, Qt::Key_X);
    EXPECT_EQ(f->text(), "1x"); // "abc" read 0, replaced by 1, then the key
    f->setText("-5");
    QTest::keyClick(f, Qt::Key_Backspace);
    EXPECT_EQ(f->text(), ""); // "-5" became "1", then backspace
    f->setText("1234567");
    QTest::keyClick(f, Qt::Key_1);
    EXPECT_EQ(f->text(), "999999"); // clamped; the seventh character cannot be typed
    // Letters may be typed into a value field.
    f->setText("12");
    QTest::keyClicks(f, "ab");
    EXPECT_EQ(f->text(), "12ab");
    // A cleared field, or one holding only a sign, is not a number yet: the typed digits
    // are what the field holds. Left like that, the field becomes 1.
    for (const char* start : {"", "-", "+"}) {
        f->setText(QLatin1String(start));
        QTest::keyClicks(f, "5");
        EXPECT_EQ(f->text(), QLatin1String(start) + "5") << start;
        f->setText(QLatin1String(start));
        value(3)->setFocus();
        EXPECT_EQ(f->text(), "1") << start;
        f->setFocus();
    }
    f->setText("0");
    value(3)->setFocus(); // other texts are held at the next key, as before
    EXPECT_EQ(f->text(), "0");
}

TEST_F(Parameters, BleedAndCenterFieldsTakeNumberKeysOnly) {
    for (const char* name : {"txtNizimi", "txtCenter_0", "txtCenter_1"}) {
        auto* f = find<QLineEdit>(QLatin1String(name));
        f->setFocus();
        f->clear();
        QTest::keyClicks(f, "a-1b.5x");
        EXPECT_EQ(f->text(), "-1.5") << name;
    }
    auto* center = find<QLineEdit>("txtCenter_0");
    center->clear();
    QTest::keyClicks(center, "1234567");
    EXPECT_EQ(center->text(), "12345");
    auto* bleed = find<QLineEdit>("txtNizimi");
    bleed->clear();
    QTest::keyClicks(bleed, "1234567");
    EXPECT_EQ(bleed->text(), "123456");
}

TEST_F(Parameters, PhaseLabelFollowsTheScrollBar) {
    auto* bar = find<QScrollBar>("hscIso");
    bar->setValue(25);
    EXPECT_EQ(find<QLabel>("labISO")->text(), "位相のずれ : 25 %");
    EXPECT_EQ(root->params().model().fields().phase, 25);
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(bar->value(), 35);
    EXPECT_EQ(bar->maximum(), 99);
    // The wheel over it steps the phase.
    const QPoint at(bar->width() / 2, bar->height() / 2);
    QWheelEvent wheel(at, bar->mapToGlobal(at), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(bar, &wheel);
    EXPECT_NE(bar->value(), 35);
    EXPECT_EQ(root->params().model().fields().phase, bar->value());
}

TEST_F(Parameters, RandomSettingPowerGroupOnly) {
    auto& option = root->settings().option;
    option.doRndSet = {false, false, false, false, false, true, false};
    option.drawOnRnd = false;
    value(4)->setText("77");
    const QString center = find<QLineEdit>("txtCenter_0")->text();
    const int set = find<QComboBox>("cbogColor")->currentIndex();
    button("cmdRndSet")->click();
    const int power = text(9).toInt();
    EXPECT_GE(power, 1);
    EXPECT_LE(power, 128);
    EXPECT_EQ(text(4), "77");
    EXPECT_EQ(text(0), "0"); // rewritten from its never-edited slot
    EXPECT_EQ(find<QLineEdit>("txtCenter_0")->text(), center);
    EXPECT_EQ(find<QComboBox>("cbogColor")->currentIndex(), set);
    for (int k = 0; k < kComponentCount; ++k)
        EXPECT_EQ(component(k)->isChecked(), k < 4);
}

TEST_F(Parameters, RandomSettingGroupsChangeTheirControls) {
    auto& option = root->settings().option;
    option.doRndSet.fill(true);
    option.drawOnRnd = false;
    action("mnuRndSet")->trigger();
    int on = 0;
    for (int k = 0; k < kComponentCount; ++k) {
        on += component(k)->isChecked() ? 1 : 0;
        // The switch's click behaviour ran: fields follow it.
        EXPECT_EQ(value(componentFields(k)[0])->isEnabled(), component(k)->isChecked()) << k;
    }
    EXPECT_GE(on, 1);
    for (int p : kPeriodSlots) {
        EXPECT_GE(text(p).toInt(), 1);
        EXPECT_EQ(root->params().model().valueSlots()[p], text(p).toInt());
    }
    const QString x = find<QLineEdit>("txtCenter_0")->text();
    EXPECT_TRUE(x.startsWith(' ') || x.startsWith('-')) << x.toStdString();
    const QString bleed = find<QLineEdit>("txtNizimi")->text();
    EXPECT_TRUE(bleed.startsWith(' ')) << bleed.toStdString();
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(Parameters, SeamlessCommandShowsItsChangesAndNamesWhatWentOff) {
    find<QLineEdit>("txtCenter_0")->setText("12");
    value(0)->setText("60");
    component(6)->setChecked(true);
    QAction* seamless = action("mnuSeamless");
    EXPECT_EQ(seamless->text(), "継ぎ目なしにする(&S)");
    const QList<QAction*> menus = main->menuBar()->actions();
    EXPECT_EQ(menus.back()->text(), "拡張(&X)");
    // Every item of the menu has its own access key.
    std::set<QChar> keys;
    for (const QAction* a : menus.back()->menu()->actions()) {
        if (a->isSeparator())
            continue;
        const qsizetype amp = a->text().indexOf(QLatin1Char('&'));
        ASSERT_GE(amp, 0) << a->text().toStdString();
        EXPECT_TRUE(keys.insert(a->text().at(amp + 1).toUpper()).second) << a->text().toStdString();
    }
    seamless->trigger();
    EXPECT_EQ(find<QLineEdit>("txtCenter_0")->text(), "0");
    EXPECT_EQ(text(0), "46"); // 200 pixels hold two waves of 15.9
    EXPECT_FALSE(component(2)->isChecked());
    EXPECT_FALSE(value(4)->isEnabled());
    EXPECT_FALSE(component(6)->isChecked());
    EXPECT_TRUE(component(0)->isChecked());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "次の成分は継ぎ目なしにできないため、オフにしました。\r\n"
                                     "斜め成分、リボン型成分");
    EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Information);
}
