#include "support/tintoraprocess.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

using Run = TintoraRun;

Run tintora(const QStringList &arguments, const QByteArray &input = QByteArray()) { return runTintora(arguments, input); }

} // namespace

class TestCli : public QObject
{
    Q_OBJECT

private slots:
    void infoText();
    void infoJson();
    void badColourKeepsGoing_data();
    void badColourKeepsGoing();
    void readsStandardInput();
    void report();
    void contrast();
    void harmony();
    void otherNameList();
    void usageErrors_data();
    void usageErrors();
    void helpAndVersion();
};

void TestCli::infoText()
{
    const Run run = tintora({QStringLiteral("info"), QStringLiteral("#1A2B3C"), QStringLiteral("fff")});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QString());
    const QStringList lines = run.out.split(u'\n');
    QCOMPARE(lines.size(), 18); // two blocks of eight, a blank line between, a final line feed
    QCOMPARE(lines[0], QStringLiteral("HEX      #1A2B3C"));
    QCOMPARE(lines[1], QStringLiteral("RGB      rgb(26, 43, 60)"));
    QCOMPARE(lines[2], QStringLiteral("LAB      lab(17, -3, -13)"));
    QCOMPARE(lines[3], QStringLiteral("HSB      hsb(210, 57%, 24%)"));
    QCOMPARE(lines[4], QStringLiteral("HSL      hsl(210, 40%, 17%)"));
    QCOMPARE(lines[5], QStringLiteral("OpenGL   rgba(0.10196, 0.16863, 0.23529, 1.0)"));
    QVERIFY(lines[6].startsWith(QStringLiteral("CMYK     cmyk(")));
    QCOMPARE(lines[7], QStringLiteral("Name     Tangaroa"));
    QCOMPARE(lines[8], QString());
    QCOMPARE(lines[9], QStringLiteral("HEX      #FFFFFF"));
    QCOMPARE(lines[11], QStringLiteral("LAB      lab(100, 0, 0)"));
    QCOMPARE(lines[15], QStringLiteral("CMYK     cmyk(0%, 0%, 0%, 0%)"));
    QCOMPARE(lines[16], QStringLiteral("Name     White"));
    QCOMPARE(lines[17], QString());
}

void TestCli::infoJson()
{
    const Run run = tintora({QStringLiteral("--json"), QStringLiteral("info"), QStringLiteral("FF0000"), QStringLiteral("#000")});
    QCOMPARE(run.exitCode, 0);
    const QStringList lines = run.out.trimmed().split(u'\n');
    QCOMPARE(lines.size(), 2);
    QVERIFY(lines[0].startsWith(QStringLiteral(R"x({"hex":"#FF0000","rgb":"rgb(255, 0, 0)","lab":"lab(54, 81, 70)",)x")));
    const QJsonObject red = QJsonDocument::fromJson(lines[0].toUtf8()).object();
    QCOMPARE(red.keys().size(), 8);
    QCOMPARE(red[QStringLiteral("hsl")].toString(), QStringLiteral("hsl(0, 100%, 50%)"));
    QCOMPARE(red[QStringLiteral("opengl")].toString(), QStringLiteral("rgba(1.00000, 0.00000, 0.00000, 1.0)"));
    QCOMPARE(red[QStringLiteral("name")].toString(), QStringLiteral("Red"));
    QCOMPARE(QJsonDocument::fromJson(lines[1].toUtf8()).object()[QStringLiteral("name")].toString(),
             QStringLiteral("Black"));
}

void TestCli::badColourKeepsGoing_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("bad");
    QTest::newRow("arguments") << QStringList{"name", "fff", "nope", "000"} << QByteArray() << "White\nBlack\n" << "nope";
    QTest::newRow("standard input") << QStringList{"name", "-"} << QByteArray("fff\n12345\n\n000\n")
                                    << "White\nBlack\n" << "12345";
}

void TestCli::badColourKeepsGoing()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);
    QFETCH(QString, out);
    QFETCH(QString, bad);
    const Run run = tintora(arguments, input);
    QCOMPARE(run.exitCode, 2);
    QCOMPARE(run.out, out);
    const QStringList errors = run.err.trimmed().split(u'\n');
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors[0].startsWith(QStringLiteral("tintora: '%1' is not a colour").arg(bad)), qPrintable(errors[0]));
    QVERIFY(errors[0].contains(QStringLiteral("#1A2B3C")));
}

void TestCli::readsStandardInput()
{
    QByteArray input;
    for (int i = 0; i < 2000; ++i)
        input += QByteArray::number(i * 8191 % 0xFFFFFF, 16).rightJustified(6, '0') + "\r\n";
    const Run run = tintora({QStringLiteral("info"), QStringLiteral("--json"), QStringLiteral("-")}, input);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QString());
    const QStringList lines = run.out.trimmed().split(u'\n');
    QCOMPARE(lines.size(), 2000);
    QCOMPARE(QJsonDocument::fromJson(lines[1].toUtf8()).object()[QStringLiteral("hex")].toString(),
             QStringLiteral("#001FFF"));
}

void TestCli::report()
{
    const Run text = tintora({QStringLiteral("report"), QStringLiteral("777"), QStringLiteral("#FFFFFF")});
    QCOMPARE(text.exitCode, 0);
    QCOMPARE(text.out, QString::fromUtf8("Foreground: Hex #777777 · RGB rgb(119, 119, 119) · HSB hsb(0, 0%, 47%) · HSL "
                                         "hsl(0, 0%, 47%) · OpenGL rgba(0.46667, 0.46667, 0.46667, 1.0)\n"
                                         "Background: Hex #FFFFFF · RGB rgb(255, 255, 255) · HSB hsb(0, 0%, 100%) · HSL "
                                         "hsl(0, 0%, 100%) · OpenGL rgba(1.00000, 1.00000, 1.00000, 1.0)\n"
                                         "Contrast Ratio: 4.48:1\n"
                                         "WCAG Compliance: AA Large (Pass) · AA (Fail) · AAA (Fail)\n"));

    const Run json = tintora({QStringLiteral("report"), QStringLiteral("--json"), QStringLiteral("777"), QStringLiteral("fff")});
    QCOMPARE(json.exitCode, 0);
    QVERIFY(json.out.endsWith(QStringLiteral("}\n")));
    const QJsonObject object = QJsonDocument::fromJson(json.out.toUtf8()).object();
    QCOMPARE(object[QStringLiteral("ratio")].toString(), QStringLiteral("4.48"));
    QCOMPARE(object[QStringLiteral("colors")][QStringLiteral("background")][QStringLiteral("name")].toString(),
             QStringLiteral("White"));
}

void TestCli::contrast()
{
    const Run text = tintora({QStringLiteral("contrast"), QStringLiteral("777777"), QStringLiteral("FFFFFF")});
    QCOMPARE(text.exitCode, 0);
    QCOMPARE(text.out, QStringLiteral("Ratio       4.48:1\n"
                                      "Summary     Large Text (AA Large)\n"
                                      "Normal AA   Fail\n"
                                      "Normal AAA  Fail\n"
                                      "Large AA    Pass\n"
                                      "Large AAA   Fail\n"));

    // One side from standard input, paired with the fixed other side.
    const Run json = tintora({QStringLiteral("contrast"), QStringLiteral("--json"), QStringLiteral("-"), QStringLiteral("000")},
                             "FFFFFF\n000000\n");
    QCOMPARE(json.exitCode, 0);
    const QStringList lines = json.out.trimmed().split(u'\n');
    QCOMPARE(lines.size(), 2);
    const QJsonObject white = QJsonDocument::fromJson(lines[0].toUtf8()).object();
    QCOMPARE(white[QStringLiteral("ratio")].toDouble(), 21.0);
    QCOMPARE(white[QStringLiteral("title")].toString(), QStringLiteral("Excellent"));
    QCOMPARE(white[QStringLiteral("score")].toString(), QStringLiteral("AAA"));
    QCOMPARE(white[QStringLiteral("level")].toString(), QStringLiteral("aaa"));
    QVERIFY(white[QStringLiteral("normalAAA")].toBool());
    const QJsonObject same = QJsonDocument::fromJson(lines[1].toUtf8()).object();
    QCOMPARE(same[QStringLiteral("ratio")].toDouble(), 1.0);
    QCOMPARE(same[QStringLiteral("level")].toString(), QStringLiteral("fail"));
    QVERIFY(!same[QStringLiteral("largeAA")].toBool());
}

void TestCli::harmony()
{
    const Run text = tintora({QStringLiteral("harmony"), QStringLiteral("FF0000")});
    QCOMPARE(text.exitCode, 0);
    QCOMPARE(text.out, QStringLiteral("Complement     #00FFFF\n"
                                      "Tone on tone   #990000 #B30000 #CC0000 #E60000 #FF0000\n"
                                      "Tone and tone  #FF0000 #CCFF00 #00FF66 #0066FF #CC00FF\n"));
    const Run json = tintora({QStringLiteral("harmony"), QStringLiteral("--json"), QStringLiteral("000")});
    QCOMPARE(json.out, QStringLiteral(R"x({"complement":"#FFFFFF","toneOnTone":["#000000","#1A1A1A","#333333","#4D4D4D","#666666"],)x"
                                      R"x("toneAndTone":["#000000","#000000","#000000","#000000","#000000"]})x"
                                      "\n"));
}

void TestCli::otherNameList()
{
    QTemporaryDir dir;
    const QString list = dir.filePath(QStringLiteral("names.csv"));
    QFile file(list);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("name,hex\nMidnight,#000000\nSnow,#FFFFFF\n");
    file.close();
    const Run run = tintora({QStringLiteral("--names"), list, QStringLiteral("name"), QStringLiteral("111"),
                             QStringLiteral("EEE")});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QStringLiteral("Midnight\nSnow\n"));

    const Run missing = tintora({QStringLiteral("--names"), dir.filePath(QStringLiteral("absent.csv")),
                                 QStringLiteral("name"), QStringLiteral("111")});
    QCOMPARE(missing.exitCode, 1);
    QCOMPARE(missing.out, QString());
    QVERIFY(missing.err.contains(QStringLiteral("tintora: cannot read the colour-name list")));
}

void TestCli::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown command") << QStringList{"paint", "fff"} << "tintora: unknown command 'paint'";
    QTest::newRow("unknown option") << QStringList{"--loud", "name", "fff"} << "tintora: unknown option '--loud'";
    QTest::newRow("contrast needs two") << QStringList{"contrast", "fff"} << "tintora: contrast: give a foreground";
    QTest::newRow("both from input") << QStringList{"contrast", "-", "-"} << "tintora: only one of the two colours";
    QTest::newRow("bad fixed colour") << QStringList{"contrast", "-", "zz"} << "tintora: 'zz' is not a colour";
    QTest::newRow("names without file") << QStringList{"name", "fff", "--names"} << "tintora: --names needs a file name";
    QTest::newRow("info without colour") << QStringList{"info"} << "tintora: info: give at least one colour";
}

void TestCli::usageErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    const Run run = tintora(arguments);
    QCOMPARE(run.exitCode, 2);
    QCOMPARE(run.out, QString());
    QCOMPARE(run.err.count(u'\n'), 1);
    QVERIFY2(run.err.startsWith(message), qPrintable(run.err));
}

void TestCli::helpAndVersion()
{
    const Run help = tintora({QStringLiteral("--help")});
    QCOMPARE(help.exitCode, 0);
    QVERIFY(help.out.startsWith(QStringLiteral("Usage: tintora")));
    for (const char *command : {"info", "report", "contrast", "harmony", "name"})
        QVERIFY(help.out.contains(QStringLiteral("\n  %1 ").arg(QLatin1StringView(command))));
    const Run version = tintora({QStringLiteral("--version")});
    QCOMPARE(version.exitCode, 0);
    QVERIFY(version.out.startsWith(QStringLiteral("tintora ") + QStringLiteral(TINTORA_VERSION)));
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
