#include "color/colorvalue.h"
#include "platform/colormanagement.h"

#include <QTest>
#include <array>
#include <cmath>

namespace {

ColorValue rgb255(int r, int g, int b, int a = 255) { return {r / 255.0, g / 255.0, b / 255.0, a / 255.0}; }

} // namespace

class TestColorValue : public QObject
{
    Q_OBJECT

private slots:
    void strictParser_data();
    void strictParser();
    void lenientParserFallsBackToOpaqueBlack_data();
    void lenientParserFallsBackToOpaqueBlack();
    void notations_data();
    void notations();
    void formattedStringDispatchesOnFormat();
    void copyFormatRawValues();
    void hsbRoundTrip_data();
    void hsbRoundTrip();
    void hueOfOneIsRed();
    void brightnessTests_data();
    void brightnessTests();
    void filteredHex_data();
    void filteredHex();
    void labMatchesBradfordAdaptedFormula();
    void neverPrintsNegativeZero();
    void clippedKeepsComponentsInRange();
    void cmykFallsBackWithoutAProfile();
};

void TestColorValue::strictParser_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("parses");
    QTest::addColumn<ColorValue>("expected");

    QTest::newRow("#FFF") << "#FFF" << true << rgb255(255, 255, 255);
    QTest::newRow("fff") << "fff" << true << rgb255(255, 255, 255);
    QTest::newRow("blanks around #a1b2c3") << " #a1b2c3 " << true << rgb255(0xA1, 0xB2, 0xC3);
    QTest::newRow("trailing semicolon") << "#A1B2C3;" << true << rgb255(0xA1, 0xB2, 0xC3);
    QTest::newRow("css closing paren") << "(1A2B3C)" << true << rgb255(0x1A, 0x2B, 0x3C);
    QTest::newRow("alpha first") << "#12345678" << true << rgb255(0x34, 0x56, 0x78, 0x12);
    QTest::newRow("shorthand nibbles") << "#1a2" << true << rgb255(0x11, 0xAA, 0x22);
    // Six characters, but the scan stops at G: the value 0x12345 is decoded.
    QTest::newRow("scan stops at G") << "12345G" << true << rgb255(0x01, 0x23, 0x45);
    QTest::newRow("0x prefix") << "0x1234" << true << rgb255(0x00, 0x12, 0x34);
    QTest::newRow("five digits") << "12345" << false << ColorValue();
    QTest::newRow("not hex") << "GGGGGG" << false << ColorValue();
    QTest::newRow("empty") << "" << false << ColorValue();
    QTest::newRow("only punctuation") << "#;)" << false << ColorValue();
    QTest::newRow("seven digits") << "1234567" << false << ColorValue();
    // Counting is by characters, not bytes: é is one character.
    QTest::newRow("non-ASCII letter counts once") << QString::fromUtf8("12345\u00E9") << true
                                                  << rgb255(0x01, 0x23, 0x45);
    // A combining mark joins the letter before it into one character.
    QTest::newRow("combining mark") << QString::fromUtf8("1234e\u0301") << false << ColorValue();
}

void TestColorValue::strictParser()
{
    QFETCH(QString, text);
    QFETCH(bool, parses);
    QFETCH(ColorValue, expected);
    const auto color = ColorValue::fromHex(text);
    QCOMPARE(color.has_value(), parses);
    if (parses)
        QCOMPARE(*color, expected);
}

void TestColorValue::lenientParserFallsBackToOpaqueBlack_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<ColorValue>("expected");
    QTest::newRow("five digits") << "12345" << ColorValue::black();
    QTest::newRow("not hex") << "GGGGGG" << ColorValue::black();
    QTest::newRow("empty") << "" << ColorValue::black();
    QTest::newRow("lower-case theme colour") << "ff59c7" << rgb255(0xFF, 0x59, 0xC7);
    QTest::newRow("scan stops at G") << "12345G" << rgb255(0x01, 0x23, 0x45);
}

void TestColorValue::lenientParserFallsBackToOpaqueBlack()
{
    QFETCH(QString, text);
    QFETCH(ColorValue, expected);
    QCOMPARE(ColorValue::fromHexOrBlack(text), expected);
}

void TestColorValue::notations_data()
{
    QTest::addColumn<ColorValue>("color");
    QTest::addColumn<QStringList>("texts"); // hex, rgb, lab, hsb, hsl, opengl

    QTest::newRow("white") << ColorValue::white()
                           << QStringList{"#FFFFFF", "rgb(255, 255, 255)", "lab(100, 0, 0)", "hsb(0, 0%, 100%)",
                                          "hsl(0, 0%, 100%)", "rgba(1.00000, 1.00000, 1.00000, 1.0)"};
    QTest::newRow("black") << ColorValue::black()
                           << QStringList{"#000000", "rgb(0, 0, 0)", "lab(0, 0, 0)", "hsb(0, 0%, 0%)", "hsl(0, 0%, 0%)",
                                          "rgba(0.00000, 0.00000, 0.00000, 1.0)"};
    // 0.5 × 255 = 127.5 rounds half away from zero.
    QTest::newRow("half grey") << ColorValue{0.5, 0.5, 0.5, 1}
                               << QStringList{"#808080", "rgb(128, 128, 128)", "lab(53, 0, 0)", "hsb(0, 0%, 50%)",
                                              "hsl(0, 0%, 50%)", "rgba(0.50000, 0.50000, 0.50000, 1.0)"};
    QTest::newRow("pure red") << ColorValue{1, 0, 0, 1}
                              << QStringList{"#FF0000", "rgb(255, 0, 0)", "lab(54, 81, 70)", "hsb(0, 100%, 100%)",
                                             "hsl(0, 100%, 50%)", "rgba(1.00000, 0.00000, 0.00000, 1.0)"};
    QTest::newRow("pure blue") << ColorValue{0, 0, 1, 1}
                               << QStringList{"#0000FF", "rgb(0, 0, 255)", "lab(30, 68, -112)", "hsb(240, 100%, 100%)",
                                              "hsl(240, 100%, 50%)", "rgba(0.00000, 0.00000, 1.00000, 1.0)"};
    QTest::newRow("1A2B3C half transparent") << rgb255(0x1A, 0x2B, 0x3C, 128)
                                             << QStringList{"#1A2B3C", "rgb(26, 43, 60)", "lab(17, -3, -13)",
                                                            "hsb(210, 57%, 24%)", "hsl(210, 40%, 17%)",
                                                            "rgba(0.10196, 0.16863, 0.23529, 0.5)"};
    // Hue 359.5° or more prints as 360 under "%.0f".
    QTest::newRow("hue near a full turn") << ColorValue{1, 0, 0.008, 1}
                                          << QStringList{"#FF0002", "rgb(255, 0, 2)", "lab(54, 81, 69)",
                                                         "hsb(360, 100%, 100%)", "hsl(360, 100%, 50%)",
                                                         "rgba(1.00000, 0.00000, 0.00800, 1.0)"};
    // Red and green tie for the maximum: red decides the hue formula.
    QTest::newRow("yellow tie") << ColorValue{1, 1, 0, 1}
                                << QStringList{"#FFFF00", "rgb(255, 255, 0)", "lab(98, -16, 93)", "hsb(60, 100%, 100%)",
                                               "hsl(60, 100%, 50%)", "rgba(1.00000, 1.00000, 0.00000, 1.0)"};
    // Light colours use d / (2 − max − min) for HSL saturation.
    QTest::newRow("light pink") << rgb255(0xFF, 0xC0, 0xCB)
                                << QStringList{"#FFC0CB", "rgb(255, 192, 203)", "lab(84, 24, 4)", "hsb(350, 25%, 100%)",
                                               "hsl(350, 100%, 88%)", "rgba(1.00000, 0.75294, 0.79608, 1.0)"};
}

void TestColorValue::notations()
{
    QFETCH(ColorValue, color);
    QFETCH(QStringList, texts);
    QCOMPARE(color.toHex(), texts[0]);
    QCOMPARE(color.toRGBString(), texts[1]);
    QCOMPARE(color.toLABString(), texts[2]);
    QCOMPARE(color.toHSBString(), texts[3]);
    QCOMPARE(color.toHSLString(), texts[4]);
    QCOMPARE(color.toOpenGLString(), texts[5]);
}

void TestColorValue::formattedStringDispatchesOnFormat()
{
    const ColorValue color = rgb255(0x1A, 0x2B, 0x3C);
    QCOMPARE(ColorValue::white().getFormattedString(CopyFormat::hex), QStringLiteral("#FFFFFF"));
    QCOMPARE(color.getFormattedString(CopyFormat::rgb), color.toRGBString());
    QCOMPARE(color.getFormattedString(CopyFormat::lab), color.toLABString());
    QCOMPARE(color.getFormattedString(CopyFormat::hsb), color.toHSBString());
    QCOMPARE(color.getFormattedString(CopyFormat::hsl), color.toHSLString());
    QCOMPARE(color.getFormattedString(CopyFormat::opengl), color.toOpenGLString());
    QCOMPARE(color.getFormattedString(CopyFormat::cmyk), color.toCMYKString());
}

void TestColorValue::copyFormatRawValues()
{
    QStringList raws;
    for (CopyFormat format : CopyFormats::all) {
        raws << CopyFormats::rawValue(format);
        QCOMPARE(CopyFormats::fromRawValue(CopyFormats::rawValue(format)), format);
    }
    QCOMPARE(raws, (QStringList{"HEX", "RGB", "LAB", "HSB", "HSL", "OpenGL", "CMYK"}));
    QVERIFY(!CopyFormats::fromRawValue(QStringLiteral("hex")));
    QVERIFY(!CopyFormats::fromRawValue(QStringLiteral("OPENGL")));
    QVERIFY(!CopyFormats::fromRawValue(QString()));
}

void TestColorValue::hsbRoundTrip_data()
{
    QTest::addColumn<ColorValue>("color");
    QTest::addColumn<double>("hue");
    QTest::addColumn<double>("saturation");
    QTest::addColumn<double>("brightness");
    QTest::newRow("red") << ColorValue{1, 0, 0, 1} << 0.0 << 1.0 << 1.0;
    QTest::newRow("green") << ColorValue{0, 1, 0, 1} << 1.0 / 3 << 1.0 << 1.0;
    QTest::newRow("blue") << ColorValue{0, 0, 1, 1} << 2.0 / 3 << 1.0 << 1.0;
    QTest::newRow("magenta-ish, blue below red") << ColorValue{1, 0, 0.5, 1} << 11.0 / 12 << 1.0 << 1.0;
    QTest::newRow("black") << ColorValue::black() << 0.0 << 0.0 << 0.0;
    QTest::newRow("grey") << ColorValue{0.4, 0.4, 0.4, 1} << 0.0 << 0.0 << 0.4;
    QTest::newRow("muted teal") << ColorValue{0.2, 0.6, 0.5, 0.25} << 0.4583333333333333 << 2.0 / 3 << 0.6;
}

void TestColorValue::hsbRoundTrip()
{
    QFETCH(ColorValue, color);
    QFETCH(double, hue);
    QFETCH(double, saturation);
    QFETCH(double, brightness);
    const HSB hsb = color.toHSB();
    QVERIFY(qAbs(hsb.hue - hue) < 1e-12);
    QVERIFY(qAbs(hsb.saturation - saturation) < 1e-12);
    QVERIFY(qAbs(hsb.brightness - brightness) < 1e-12);
    QCOMPARE(hsb.alpha, color.alpha);
    const ColorValue back = ColorValue::fromHSB(hsb.hue, hsb.saturation, hsb.brightness, hsb.alpha);
    QVERIFY(qAbs(back.red - color.red) < 1e-12);
    QVERIFY(qAbs(back.green - color.green) < 1e-12);
    QVERIFY(qAbs(back.blue - color.blue) < 1e-12);
    QCOMPARE(back.alpha, color.alpha);
}

void TestColorValue::hueOfOneIsRed()
{
    QCOMPARE(ColorValue::fromHSB(1.0, 1, 1, 1), (ColorValue{1, 0, 0, 1}));
    QCOMPARE(ColorValue::fromHSB(0.0, 1, 1, 0.3), (ColorValue{1, 0, 0, 0.3}));
    // A hue a hair under a full turn stays in the last sector.
    const ColorValue almost = ColorValue::fromHSB(std::nextafter(1.0, 0.0), 1, 1, 1);
    QCOMPARE(almost.red, 1.0);
    QCOMPARE(almost.green, 0.0);
    QVERIFY(almost.blue < 1e-12);
}

void TestColorValue::brightnessTests_data()
{
    QTest::addColumn<ColorValue>("color");
    QTest::addColumn<bool>("bright");
    QTest::addColumn<bool>("light");
    QTest::newRow("yellow") << ColorValue{1, 1, 0, 1} << true << true;         // 0.886
    QTest::newRow("green") << ColorValue{0, 1, 0, 1} << false << true;         // 0.587, 0.7152
    QTest::newRow("white") << ColorValue::white() << true << true;
    QTest::newRow("black") << ColorValue::black() << false << false;
    QTest::newRow("mid grey") << ColorValue{0.5, 0.5, 0.5, 1} << false << false; // exactly 0.5 is not light
    QTest::newRow("light grey") << ColorValue{0.66, 0.66, 0.66, 1} << true << true;
}

void TestColorValue::brightnessTests()
{
    QFETCH(ColorValue, color);
    QFETCH(bool, bright);
    QFETCH(bool, light);
    QCOMPARE(color.isBright(), bright);
    QCOMPARE(color.isLight(), light);
}

void TestColorValue::filteredHex_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    QTest::newRow("eight digits cut to six") << "#1a2b3c4d" << "1A2B3C";
    QTest::newRow("no digits") << "xyz" << "";
    QTest::newRow("mixed") << " 0x-ab;CD ef9" << "0ABCDE";
    QTest::newRow("short") << "#abc" << "ABC";
}

void TestColorValue::filteredHex()
{
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QCOMPARE(::filteredHex(input), expected);
}

// sRGB → linear → XYZ (D65) → Bradford to D50 → L*a*b*, written out by hand.
static std::array<double, 3> referenceLab(const ColorValue &c)
{
    auto linear = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    const double r = linear(c.red), g = linear(c.green), b = linear(c.blue);
    const double x65 = 0.4124564 * r + 0.3575761 * g + 0.1804375 * b;
    const double y65 = 0.2126729 * r + 0.7151522 * g + 0.0721750 * b;
    const double z65 = 0.0193339 * r + 0.1191920 * g + 0.9503041 * b;
    const double x = 1.0478112 * x65 + 0.0228866 * y65 - 0.0501270 * z65;
    const double y = 0.0295424 * x65 + 0.9904844 * y65 - 0.0170491 * z65;
    const double z = -0.0092345 * x65 + 0.0150436 * y65 + 0.7521316 * z65;
    auto f = [](double t) { return t > 216.0 / 24389 ? std::cbrt(t) : (24389.0 / 27 * t + 16) / 116; };
    const double fx = f(x / 0.96422), fy = f(y / 1.0), fz = f(z / 0.82521);
    return {116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

void TestColorValue::labMatchesBradfordAdaptedFormula()
{
    for (int r = 0; r <= 255; r += 51) {
        for (int g = 0; g <= 255; g += 51) {
            for (int b = 0; b <= 255; b += 51) {
                const ColorValue color = rgb255(r, g, b);
                const auto lab = ColorManagement::toLab(color);
                QVERIFY(lab);
                const auto expected = referenceLab(color);
                for (int i = 0; i < 3; ++i) {
                    QVERIFY2(qAbs((*lab)[i] - expected[i]) < 0.1,
                             qPrintable(QStringLiteral("%1: %2 vs %3").arg(color.toHex()).arg((*lab)[i]).arg(expected[i])));
                }
            }
        }
    }
}

void TestColorValue::neverPrintsNegativeZero()
{
    // Greys and near-greys have a* and b* within rounding of zero on either
    // side; none may print as "-0".
    for (int level = 0; level <= 255; ++level) {
        for (int tint : {0, 1}) {
            const ColorValue color = rgb255(level, level, qMin(255, level + tint));
            for (CopyFormat format : CopyFormats::all) {
                const QString text = color.getFormattedString(format);
                QVERIFY2(!text.contains(QStringLiteral("-0,")) && !text.contains(QStringLiteral("-0)"))
                             && !text.contains(QStringLiteral("-0%")),
                         qPrintable(text));
            }
        }
    }
}

void TestColorValue::clippedKeepsComponentsInRange()
{
    QCOMPARE(ColorValue::clipped(1.2, -0.1, 0.5, 2), (ColorValue{1, 0, 0.5, 1}));
    QCOMPARE(ColorValue::clipped(qQNaN(), 0.25, 0.75), (ColorValue{0, 0.25, 0.75, 1}));
}

void TestColorValue::cmykFallsBackWithoutAProfile()
{
    const ColorValue color = rgb255(0x1A, 0x2B, 0x3C);
    QVERIFY2(!ColorManagement::cmykProfilePath().isEmpty(), "the CMYK profile of libgs-common is installed");
    const QString withProfile = color.toCMYKString();
    QVERIFY(withProfile.startsWith(QStringLiteral("cmyk(")));
    QVERIFY(withProfile != QStringLiteral("cmyk(0%, 0%, 0%, 100%)"));
    QCOMPARE(ColorValue::white().toCMYKString(), QStringLiteral("cmyk(0%, 0%, 0%, 0%)"));

    // A file that is no CMYK profile (here an RGB one, then a missing file)
    // leaves the fixed fallback text.
    QVERIFY(!ColorManagement::setCmykProfilePath(QStringLiteral("/usr/share/color/icc/ghostscript/default_rgb.icc")));
    QCOMPARE(color.toCMYKString(), QStringLiteral("cmyk(0%, 0%, 0%, 100%)"));
    QVERIFY(!ColorManagement::setCmykProfilePath(QStringLiteral("/nonexistent/profile.icc")));
    QCOMPARE(color.toCMYKString(), QStringLiteral("cmyk(0%, 0%, 0%, 100%)"));
    QVERIFY(ColorManagement::cmykProfilePath().isEmpty());

    QVERIFY(ColorManagement::setCmykProfilePath(QString()));
    QCOMPARE(color.toCMYKString(), withProfile);
}

QTEST_GUILESS_MAIN(TestColorValue)
#include "tst_colorvalue.moc"
