#include "picking/colorpickerlogic.h"
#include "color/colornamemanager.h"
#include "color/harmonies.h"
#include "platform/preferencesstore.h"
#include "settings/settingsmanager.h"
#include "support/tempconfig.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTest>

namespace {

ColorValue hex(const char *text) { return *ColorValue::fromHex(QString::fromLatin1(text)); }

} // namespace

class TestColorPickerLogic : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void initialState();
    void updateKeepsEveryDerivedFieldInStep();
    void complementRuleOffOrDetached();
    void complementRuleOn();
    void settingsHeldWeakly();
    void swapNeverAppliesComplement();
    void customHex_data();
    void customHex();
    void copyAllTextRightAfterStart();
    void copyAllTextAfterPicks();
    void copyAllJsonLayout();
    void copyAllThresholds_data();
    void copyAllThresholds();
    void notifiesChangedFieldsOnly();

private:
    TempConfig *m_config = nullptr;
    PreferencesStore *m_preferences = nullptr;
    SettingsManager *m_settings = nullptr;
};

void TestColorPickerLogic::init()
{
    m_config = new TempConfig;
    m_preferences = new PreferencesStore(m_config->preferencesFile());
    m_settings = new SettingsManager(*m_preferences);
}

void TestColorPickerLogic::cleanup()
{
    delete m_settings;
    delete m_preferences;
    delete m_config;
}

void TestColorPickerLogic::initialState()
{
    ColorPickerLogic logic;
    QCOMPARE(logic.foregroundColor(), ColorValue::white());
    QCOMPARE(logic.foregroundHex(), QStringLiteral("FFFFFF"));
    QCOMPARE(logic.foregroundRgb(), QStringLiteral("rgb(255, 255, 255)"));
    QCOMPARE(logic.foregroundLab(), QStringLiteral("lab(100, 0, 0)"));
    QCOMPARE(logic.foregroundHsb(), QStringLiteral("hsb(0, 0%, 100%)"));
    QCOMPARE(logic.foregroundColorName(), QStringLiteral("White"));
    QCOMPARE(logic.backgroundColor(), ColorValue::black());
    QCOMPARE(logic.backgroundHex(), QStringLiteral("000000"));
    QCOMPARE(logic.backgroundColorName(), QStringLiteral("Black"));
    QVERIFY(logic.toneOnToneColors().isEmpty());
    QVERIFY(logic.toneAndToneColors().isEmpty());
    QVERIFY(!logic.settings());
}

void TestColorPickerLogic::updateKeepsEveryDerivedFieldInStep()
{
    ColorPickerLogic logic;
    const ColorValue color = hex("1A2B3C");
    logic.updateForegroundColor(color, true);
    QCOMPARE(logic.foregroundColor(), color);
    QCOMPARE(logic.foregroundHex(), color.toHex());
    QCOMPARE(logic.foregroundRgb(), color.toRGBString());
    QCOMPARE(logic.foregroundLab(), color.toLABString());
    QCOMPARE(logic.foregroundHsb(), color.toHSBString());
    QCOMPARE(logic.foregroundColorName(), QStringLiteral("Tangaroa"));
    QCOMPARE(logic.toneOnToneColors(), generateToneOnTone(color));
    QCOMPARE(logic.toneAndToneColors(), generateToneAndTone(color));

    logic.updateBackgroundColor(hex("FF0000"), true);
    QCOMPARE(logic.backgroundHex(), QStringLiteral("#FF0000"));
    QCOMPARE(logic.backgroundColorName(), QStringLiteral("Red"));
}

void TestColorPickerLogic::complementRuleOffOrDetached()
{
    ColorPickerLogic detached;
    detached.updateForegroundColor(hex("336699"), true);
    QCOMPARE(detached.backgroundColor(), ColorValue::black());

    ColorPickerLogic attached;
    attached.setSettings(m_settings);
    QVERIFY(!m_settings->autoApplyComplementary());
    attached.updateForegroundColor(hex("336699"), true);
    QCOMPARE(attached.backgroundColor(), ColorValue::black());
    attached.updateBackgroundColor(hex("112233"), true);
    QCOMPARE(attached.foregroundColor(), hex("336699"));
}

void TestColorPickerLogic::complementRuleOn()
{
    m_settings->saveAutoApplyComplementary(true);
    ColorPickerLogic logic;
    logic.setSettings(m_settings);

    const ColorValue picked{0.2, 0.4, 0.6, 0.7};
    logic.updateForegroundColor(picked, true);
    const ColorValue complement = logic.backgroundColor();
    QVERIFY(qFuzzyCompare(complement.red, 0.8) && qFuzzyCompare(complement.green, 0.6)
            && qFuzzyCompare(complement.blue, 0.4));
    QCOMPARE(complement.alpha, 0.7);
    QCOMPARE(logic.backgroundHex(), complement.toHex());

    // A background pick sets every foreground field from the complement,
    // once: the foreground's own complement does not come back.
    logic.updateBackgroundColor(hex("FF0000"), true);
    QCOMPARE(logic.backgroundColor(), hex("FF0000"));
    QCOMPARE(logic.foregroundColor(), hex("00FFFF"));
    QCOMPARE(logic.foregroundHex(), QStringLiteral("#00FFFF"));
    QCOMPARE(logic.foregroundColorName(), QStringLiteral("Cyan"));
    QCOMPARE(logic.toneOnToneColors(), generateToneOnTone(hex("00FFFF")));
    QCOMPARE(logic.toneAndToneColors(), generateToneAndTone(hex("00FFFF")));

    // Without propagation the rule is not applied.
    logic.updateForegroundColor(hex("123456"), false);
    QCOMPARE(logic.backgroundColor(), hex("FF0000"));
}

void TestColorPickerLogic::settingsHeldWeakly()
{
    ColorPickerLogic logic;
    {
        PreferencesStore preferences(m_config->path() + QStringLiteral("/other.conf"));
        SettingsManager settings(preferences);
        settings.saveAutoApplyComplementary(true);
        logic.setSettings(&settings);
        QCOMPARE(logic.settings(), &settings);
    }
    QVERIFY(!logic.settings());
    logic.updateForegroundColor(hex("336699"), true);
    QCOMPARE(logic.backgroundColor(), ColorValue::black());
}

void TestColorPickerLogic::swapNeverAppliesComplement()
{
    m_settings->saveAutoApplyComplementary(true);
    ColorPickerLogic logic;
    logic.updateForegroundColor(hex("AABBCC"), false);
    logic.updateBackgroundColor(hex("102030"), false);
    logic.setSettings(m_settings);
    logic.swapColors();
    QCOMPARE(logic.foregroundColor(), hex("102030"));
    QCOMPARE(logic.backgroundColor(), hex("AABBCC"));
    QCOMPARE(logic.foregroundHex(), QStringLiteral("#102030"));
    QCOMPARE(logic.backgroundHex(), QStringLiteral("#AABBCC"));
    QCOMPARE(logic.toneOnToneColors(), generateToneOnTone(hex("102030")));
    QCOMPARE(logic.backgroundColorName(), ColorNameManager::shared().findClosestColorName(hex("AABBCC")));
}

void TestColorPickerLogic::customHex_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("foreground");
    QTest::addColumn<QString>("expectedForeground");
    QTest::addColumn<QString>("expectedBackground");
    QTest::newRow("shorthand with blanks") << " #abc " << true << "#AABBCC" << "000000";
    QTest::newRow("six digits to background") << "1a2b3c\n" << false << "FFFFFF" << "#1A2B3C";
    QTest::newRow("eight digits ignored") << "#12345678" << true << "FFFFFF" << "000000";
    QTest::newRow("five digits ignored") << "12345" << true << "FFFFFF" << "000000";
    QTest::newRow("not hex ignored") << "#GGGGGG" << true << "FFFFFF" << "000000";
    QTest::newRow("two hashes ignored") << "##ABC" << true << "FFFFFF" << "000000";
    QTest::newRow("empty ignored") << "" << false << "FFFFFF" << "000000";
}

void TestColorPickerLogic::customHex()
{
    QFETCH(QString, text);
    QFETCH(bool, foreground);
    QFETCH(QString, expectedForeground);
    QFETCH(QString, expectedBackground);
    ColorPickerLogic logic;
    logic.setCustomHex(text, foreground);
    QCOMPARE(logic.foregroundHex(), expectedForeground);
    QCOMPARE(logic.backgroundHex(), expectedBackground);
}

void TestColorPickerLogic::copyAllTextRightAfterStart()
{
    ColorPickerLogic logic;
    QCOMPARE(logic.generateCopyAllText(),
             QString::fromUtf8("Foreground: Hex FFFFFF · RGB rgb(255, 255, 255) · HSB hsb(0, 0%, 100%) · HSL hsl(0, 0%, 100%)"
                               " · OpenGL rgba(1.00000, 1.00000, 1.00000, 1.0)\n"
                               "Background: Hex 000000 · RGB rgb(0, 0, 0) · HSB hsb(0, 0%, 0%) · HSL hsl(0, 0%, 0%)"
                               " · OpenGL rgba(0.00000, 0.00000, 0.00000, 1.0)\n"
                               "Contrast Ratio: 21.00:1\n"
                               "WCAG Compliance: AA Large (Pass) · AA (Pass) · AAA (Pass)"));
}

void TestColorPickerLogic::copyAllTextAfterPicks()
{
    ColorPickerLogic logic;
    logic.updateForegroundColor(hex("777777"), true);
    logic.updateBackgroundColor(hex("FFFFFF"), true);
    const QStringList lines = logic.generateCopyAllText().split(u'\n');
    QCOMPARE(lines.size(), 4);
    QVERIFY(lines[0].startsWith(QStringLiteral("Foreground: Hex #777777 ")));
    QVERIFY(lines[1].startsWith(QStringLiteral("Background: Hex #FFFFFF ")));
    QCOMPARE(lines[2], QStringLiteral("Contrast Ratio: 4.48:1"));
    QCOMPARE(lines[3], QString::fromUtf8("WCAG Compliance: AA Large (Pass) · AA (Fail) · AAA (Fail)"));
}

void TestColorPickerLogic::copyAllJsonLayout()
{
    ColorPickerLogic logic;
    const QString expected = QString::fromUtf8(R"json({
  "colors": {
    "foreground": {
      "hex": "#FFFFFF",
      "rgb": "rgb(255, 255, 255)",
      "hsb": "hsb(0, 0%, 100%)",
      "hsl": "hsl(0, 0%, 100%)",
      "opengl": "rgba(1.00000, 1.00000, 1.00000, 1.0)",
      "name": "White"
    },
    "background": {
      "hex": "#000000",
      "rgb": "rgb(0, 0, 0)",
      "hsb": "hsb(0, 0%, 0%)",
      "hsl": "hsl(0, 0%, 0%)",
      "opengl": "rgba(0.00000, 0.00000, 0.00000, 1.0)",
      "name": "Black"
    }
  },
  "ratio": "21.00",
  "wcag": {
    "ratio30": true,
    "ratio45": true,
    "ratio70": true
  }
})json");
    QCOMPARE(logic.generateCopyAllJson(), expected);

    // After a pick the hex still carries exactly one "#", and the text stays JSON.
    logic.updateForegroundColor(hex("1A2B3C"), true);
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(logic.generateCopyAllJson().toUtf8(), &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
    const QJsonObject foreground = document.object()[QStringLiteral("colors")][QStringLiteral("foreground")].toObject();
    QCOMPARE(foreground[QStringLiteral("hex")].toString(), QStringLiteral("#1A2B3C"));
    QCOMPARE(foreground[QStringLiteral("name")].toString(), QStringLiteral("Tangaroa"));
}

void TestColorPickerLogic::copyAllThresholds_data()
{
    QTest::addColumn<QString>("foreground");
    QTest::addColumn<QString>("background");
    QTest::addColumn<QString>("verdicts");
    QTest::addColumn<QList<bool>>("json");
    QTest::newRow("equal colours") << "808080" << "808080" << "AA Large (Fail) · AA (Fail) · AAA (Fail)"
                                   << QList<bool>{false, false, false};
    QTest::newRow("grey on white") << "777777" << "FFFFFF" << "AA Large (Pass) · AA (Fail) · AAA (Fail)"
                                   << QList<bool>{true, false, false};
    QTest::newRow("dark grey on white") << "595959" << "FFFFFF" << "AA Large (Pass) · AA (Pass) · AAA (Pass)"
                                        << QList<bool>{true, true, true};
}

void TestColorPickerLogic::copyAllThresholds()
{
    QFETCH(QString, foreground);
    QFETCH(QString, background);
    QFETCH(QString, verdicts);
    QFETCH(QList<bool>, json);
    ColorPickerLogic logic;
    logic.updateForegroundColor(*ColorValue::fromHex(foreground), false);
    logic.updateBackgroundColor(*ColorValue::fromHex(background), false);
    QVERIFY(logic.generateCopyAllText().endsWith(QStringLiteral("WCAG Compliance: ") + verdicts));
    const QJsonObject wcag =
        QJsonDocument::fromJson(logic.generateCopyAllJson().toUtf8()).object()[QStringLiteral("wcag")].toObject();
    QCOMPARE((QList<bool>{wcag[QStringLiteral("ratio30")].toBool(), wcag[QStringLiteral("ratio45")].toBool(),
                          wcag[QStringLiteral("ratio70")].toBool()}),
             json);
}

void TestColorPickerLogic::notifiesChangedFieldsOnly()
{
    ColorPickerLogic logic;
    QSignalSpy hexSpy(&logic, &ColorPickerLogic::foregroundHexChanged);
    QSignalSpy rowSpy(&logic, &ColorPickerLogic::toneOnToneColorsChanged);
    QSignalSpy backgroundSpy(&logic, &ColorPickerLogic::backgroundColorChanged);
    logic.updateForegroundColor(hex("1A2B3C"), true);
    QCOMPARE(hexSpy.count(), 1);
    QCOMPARE(rowSpy.count(), 1);
    QCOMPARE(backgroundSpy.count(), 0);
    // When the hex slot changes, every reader sees the new value already.
    connect(&logic, &ColorPickerLogic::foregroundHexChanged, this,
            [&logic] { QCOMPARE(logic.foregroundHex(), QStringLiteral("#445566")); });
    logic.updateForegroundColor(hex("445566"), true);
    QCOMPARE(hexSpy.count(), 2);
}

QTEST_GUILESS_MAIN(TestColorPickerLogic)
#include "tst_colorpickerlogic.moc"
