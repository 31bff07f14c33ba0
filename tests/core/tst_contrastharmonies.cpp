#include "color/contrast.h"
#include "color/colorvalue.h"
#include "color/harmonies.h"

#include <QTest>

Q_DECLARE_METATYPE(WCAGLevel)

class TestContrastHarmonies : public QObject
{
    Q_OBJECT

private slots:
    void extremesAndEquality();
    void luminanceThresholdBranch();
    void verdicts_data();
    void verdicts();
    void complement();
    void toneOnTone_data();
    void toneOnTone();
    void toneOnToneIsOpaque();
    void toneAndTone();
};

void TestContrastHarmonies::extremesAndEquality()
{
    QCOMPARE(relativeLuminance(ColorValue::white()), 1.0);
    QCOMPARE(relativeLuminance(ColorValue::black()), 0.0);
    QCOMPARE(contrastRatio(ColorValue::white(), ColorValue::black()), 21.0);
    QCOMPARE(contrastRatio(ColorValue::black(), ColorValue::white()), 21.0);
    const ColorValue grey{0.3, 0.6, 0.2, 1};
    QCOMPARE(contrastRatio(grey, grey), 1.0);
    // Alpha plays no part.
    QCOMPARE(relativeLuminance(ColorValue{0.3, 0.6, 0.2, 0.1}), relativeLuminance(grey));
    // #777777 on white is just under 4.5.
    const double ratio = contrastRatio(*ColorValue::fromHex(QStringLiteral("777777")), ColorValue::white());
    QVERIFY(ratio > 4.47 && ratio < 4.49);
}

void TestContrastHarmonies::luminanceThresholdBranch()
{
    // 0.03928 is still on the linear branch; 0.0393 is on the power branch.
    QCOMPARE(relativeLuminance(ColorValue{0, 0.03928, 0, 1}), 0.7152 * (0.03928 / 12.92));
    QCOMPARE(relativeLuminance(ColorValue{0, 0.0393, 0, 1}), 0.7152 * std::pow((0.0393 + 0.055) / 1.055, 2.4));
}

void TestContrastHarmonies::verdicts_data()
{
    QTest::addColumn<double>("ratio");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("score");
    QTest::addColumn<WCAGLevel>("level");
    QTest::addColumn<QList<bool>>("checks"); // large AA, normal AA, large AAA, normal AAA

    QTest::newRow("21") << 21.0 << "Excellent" << "AAA" << WCAGLevel::aaa << QList<bool>{true, true, true, true};
    QTest::newRow("exactly 7") << 7.0 << "Excellent" << "AAA" << WCAGLevel::aaa << QList<bool>{true, true, true, true};
    QTest::newRow("6.99") << 6.99 << "Good" << "AA" << WCAGLevel::aa << QList<bool>{true, true, true, false};
    QTest::newRow("exactly 4.5") << 4.5 << "Good" << "AA" << WCAGLevel::aa << QList<bool>{true, true, true, false};
    QTest::newRow("4.4999") << 4.4999 << "Large Text" << "AA Large" << WCAGLevel::aaLarge
                            << QList<bool>{true, false, false, false};
    QTest::newRow("exactly 3") << 3.0 << "Large Text" << "AA Large" << WCAGLevel::aaLarge
                               << QList<bool>{true, false, false, false};
    QTest::newRow("2.99") << 2.99 << "Poor" << "Fail" << WCAGLevel::fail << QList<bool>{false, false, false, false};
    QTest::newRow("1") << 1.0 << "Poor" << "Fail" << WCAGLevel::fail << QList<bool>{false, false, false, false};
    QTest::newRow("not a number") << qQNaN() << "Poor" << "Fail" << WCAGLevel::fail
                                  << QList<bool>{false, false, false, false};
}

void TestContrastHarmonies::verdicts()
{
    QFETCH(double, ratio);
    QFETCH(QString, title);
    QFETCH(QString, score);
    QFETCH(WCAGLevel, level);
    QFETCH(QList<bool>, checks);
    const ComplianceSummary summary = checkWCAG3Compliance(ratio);
    QCOMPARE(summary.title, title);
    QCOMPARE(summary.score, score);
    QCOMPARE(summary.level, level);
    QCOMPARE((QList<bool>{passesLargeAA(ratio), passesNormalAA(ratio), passesLargeAAA(ratio), passesNormalAAA(ratio)}),
             checks);
}

void TestContrastHarmonies::complement()
{
    const ColorValue c = calculateComplementaryColor(ColorValue{0.2, 0.4, 0.6, 0.5});
    QVERIFY(qFuzzyCompare(c.red, 0.8) && qFuzzyCompare(c.green, 0.6) && qFuzzyCompare(c.blue, 0.4));
    QCOMPARE(c.alpha, 0.5);
    QCOMPARE(calculateComplementaryColor(ColorValue::white()), ColorValue::black());
}

void TestContrastHarmonies::toneOnTone_data()
{
    QTest::addColumn<ColorValue>("color");
    QTest::addColumn<QStringList>("row");
    // Brightness 1 shifts down twice: 0.6 … 1.0.
    QTest::newRow("red") << ColorValue{1, 0, 0, 1}
                         << QStringList{"#990000", "#B30000", "#CC0000", "#E60000", "#FF0000"};
    // Brightness 0.5 needs no shift.
    QTest::newRow("brightness 0.5") << ColorValue{0.5, 0.25, 0.25, 1}
                                    << QStringList{"#4D2626", "#663333", "#804040", "#994D4D", "#B35959"};
    // Brightness 0 shifts up twice: greys 0.0 … 0.4.
    QTest::newRow("black") << ColorValue::black()
                           << QStringList{"#000000", "#1A1A1A", "#333333", "#4D4D4D", "#666666"};
    // Brightness 0.95: one shift down, ends at 1.05 → 0.95 after the shift.
    QTest::newRow("brightness 0.95") << ColorValue{0, 0.95, 0.95, 1}
                                     << QStringList{"#008C8C", "#00A6A6", "#00BFBF", "#00D9D9", "#00F2F2"};
}

void TestContrastHarmonies::toneOnTone()
{
    QFETCH(ColorValue, color);
    QFETCH(QStringList, row);
    QStringList hexes;
    const QList<ColorValue> tones = generateToneOnTone(color);
    for (const ColorValue &tone : tones)
        hexes << tone.toHex();
    QCOMPARE(hexes, row);
    // Same hue and saturation throughout, rising brightness.
    const HSB base = color.toHSB();
    for (qsizetype i = 0; i < tones.size(); ++i) {
        const HSB hsb = tones[i].toHSB();
        if (hsb.brightness > 0 && base.saturation > 0) {
            QVERIFY(qAbs(hsb.hue - base.hue) < 1e-9);
            QVERIFY(qAbs(hsb.saturation - base.saturation) < 1e-9);
        }
        if (i > 0)
            QVERIFY(hsb.brightness > tones[i - 1].toHSB().brightness);
    }
}

void TestContrastHarmonies::toneOnToneIsOpaque()
{
    for (const ColorValue &tone : generateToneOnTone(ColorValue{0.3, 0.5, 0.7, 0.4}))
        QCOMPARE(tone.alpha, 1.0);
    for (const ColorValue &tone : generateToneAndTone(ColorValue{0.3, 0.5, 0.7, 0.4}))
        QCOMPARE(tone.alpha, 1.0);
}

void TestContrastHarmonies::toneAndTone()
{
    QStringList hexes;
    for (const ColorValue &tone : generateToneAndTone(ColorValue{1, 0, 0, 1}))
        hexes << tone.toHex();
    // Red, then 72°, 144°, 216°, 288° at full saturation and brightness.
    QCOMPARE(hexes, (QStringList{"#FF0000", "#CCFF00", "#00FF66", "#0066FF", "#CC00FF"}));

    const QList<ColorValue> greys = generateToneAndTone(ColorValue{0.4, 0.4, 0.4, 1});
    for (const ColorValue &grey : greys)
        QCOMPARE(grey.toHex(), QStringLiteral("#666666"));

    // A hue past 0.2 wraps around: 0.9 + 0.2 = 1.1 → 0.1.
    const ColorValue violet = ColorValue::fromHSB(0.9, 1, 1, 1);
    const HSB wrapped = generateToneAndTone(violet)[1].toHSB();
    QVERIFY(qAbs(wrapped.hue - 0.1) < 1e-9);
}

QTEST_GUILESS_MAIN(TestContrastHarmonies)
#include "tst_contrastharmonies.moc"
