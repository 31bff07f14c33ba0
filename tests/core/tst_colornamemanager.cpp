#include "color/colornamemanager.h"
#include "support/logcapture.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <cfloat>

namespace {

// The plain front-to-back scan the indexed search must agree with.
QString scanName(const QList<ColorNameManager::ColorEntry> &palette, const ColorValue &color)
{
    const double R = color.red * 255, G = color.green * 255, B = color.blue * 255;
    QString best = QStringLiteral("Unknown");
    double bestDistance = DBL_MAX;
    for (const auto &e : palette) {
        const double rmean = (R + e.r) / 2;
        const double dR = R - e.r, dG = G - e.g, dB = B - e.b;
        const double distance = (2 + rmean / 256) * dR * dR + 4 * dG * dG + (2 + (255 - rmean) / 256) * dB * dB;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = e.name;
        }
        if (distance == 0)
            break;
    }
    return best;
}

} // namespace

class TestColorNameManager : public QObject
{
    Q_OBJECT

private slots:
    void parsing_data();
    void parsing();
    void lineBreaks();
    void nearestAndTies();
    void headerOnlyList();
    void missingFile();
    void unreadableFile();
    void indexedSearchAgreesWithScan();
    void sharedInstanceUsesShippedList();

private:
    QString writeList(const QByteArray &content);
    QTemporaryDir m_dir;
    int m_files = 0;
};

QString TestColorNameManager::writeList(const QByteArray &content)
{
    const QString path = m_dir.filePath(QStringLiteral("list%1.csv").arg(++m_files));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write fixture");
    return path;
}

void TestColorNameManager::parsing_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("name"); // empty with hex "-" when skipped
    QTest::addColumn<QString>("hex");

    QTest::newRow("plain") << QByteArray("Red,#FF0000") << "Red" << "#FF0000";
    QTest::newRow("blanks and no #") << QByteArray("  Navy , 000080 ") << "Navy" << "#000080";
    QTest::newRow("quoted name") << QByteArray("\"Sea Blue\",#006994") << "Sea Blue" << "#006994";
    QTest::newRow("extra columns ignored") << QByteArray("Olive,#808000,good, very good") << "Olive" << "#808000";
    QTest::newRow("shorthand") << QByteArray("Grey,#888") << "Grey" << "#888888";
    QTest::newRow("empty name accepted") << QByteArray(",#123456") << "" << "#123456";
    QTest::newRow("inner punctuation kept") << QByteArray("Rock 'n' Roll!,#112233") << "Rock 'n' Roll" << "#112233";
    QTest::newRow("five digits skipped") << QByteArray("Deep,#12345") << "" << "-";
    QTest::newRow("no comma skipped") << QByteArray("Bad") << "" << "-";
    QTest::newRow("no hex skipped") << QByteArray("Nohex,") << "" << "-";
    QTest::newRow("non-ASCII name") << QByteArray("Gr\xc3\xbcn,#00FF00") << QString::fromUtf8("Gr\u00FCn") << "#00FF00";
}

void TestColorNameManager::parsing()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, name);
    QFETCH(QString, hex);
    const auto entries = ColorNameManager::parse(QString::fromUtf8("name,hex\n" + line + "\n"));
    if (hex == u"-") {
        QVERIFY(entries.isEmpty());
        return;
    }
    QCOMPARE(entries.size(), 1);
    QCOMPARE(entries[0].name, name);
    const ColorValue color = *ColorValue::fromHex(hex);
    QCOMPARE(entries[0].r, color.red * 255);
    QCOMPARE(entries[0].g, color.green * 255);
    QCOMPARE(entries[0].b, color.blue * 255);
}

void TestColorNameManager::lineBreaks()
{
    // CR-LF gives an empty line in between; NEL, LS and PS also end lines.
    const QString text = QStringLiteral("Red,#FF0000\r\nA,#000001\r\nB,#000002\u0085C,#000003\u2028D,#000004\u2029E,#000005");
    const auto entries = ColorNameManager::parse(text);
    QStringList names;
    for (const auto &e : entries)
        names << e.name;
    // The first line is the header, whatever it holds.
    QCOMPARE(names, (QStringList{"A", "B", "C", "D", "E"}));
}

void TestColorNameManager::nearestAndTies()
{
    ColorNameManager manager;
    manager.loadPalette(writeList("name,hex\nFirst Black,#000000\nSecond Black,#000000\nRed,#FF0000\nAlmost Red,#FE0000\n"
                                  "Blue,#0000FF\n"));
    QVERIFY(manager.isLoaded());
    QCOMPARE(manager.palette().size(), 5);
    QCOMPARE(manager.findClosestColorName(ColorValue::black()), QStringLiteral("First Black"));
    QCOMPARE(manager.findClosestColorName(ColorValue{1, 0, 0, 1}), QStringLiteral("Red"));
    QCOMPARE(manager.findClosestColorName(*ColorValue::fromHex(QStringLiteral("FD0000"))), QStringLiteral("Almost Red"));
    QCOMPARE(manager.findClosestColorName(*ColorValue::fromHex(QStringLiteral("1010F0"))), QStringLiteral("Blue"));
    // Alpha plays no part.
    QCOMPARE(manager.findClosestColorName(ColorValue{1, 0, 0, 0.2}), QStringLiteral("Red"));
}

void TestColorNameManager::headerOnlyList()
{
    LogCapture log;
    ColorNameManager manager;
    manager.loadPalette(writeList("name,hex\n"));
    QVERIFY(manager.isLoaded());
    QVERIFY(manager.palette().isEmpty());
    QCOMPARE(log.lines(), QStringList{QStringLiteral("ColorNameManager: Loaded 0 colors")});
    QCOMPARE(manager.findClosestColorName(ColorValue::white()), QStringLiteral("Unknown"));
}

void TestColorNameManager::missingFile()
{
    LogCapture log;
    ColorNameManager manager;
    manager.loadPalette(m_dir.filePath(QStringLiteral("absent.csv")));
    QVERIFY(!manager.isLoaded());
    QCOMPARE(log.lines(), QStringList{QStringLiteral("ColorNameManager: Failed to find colornames.csv in bundle")});
    QCOMPARE(manager.findClosestColorName(ColorValue::black()), QStringLiteral("Unknown"));
}

void TestColorNameManager::unreadableFile()
{
    // A folder in place of the file, and bytes that are not UTF-8.
    LogCapture log;
    ColorNameManager folder;
    folder.loadPalette(m_dir.path());
    QVERIFY(!folder.isLoaded());
    ColorNameManager binary;
    binary.loadPalette(writeList("name,hex\nRed,#FF0000\n\xff\xfe\xfd\n"));
    QVERIFY(!binary.isLoaded());
    const QStringList lines = log.lines();
    QCOMPARE(lines.size(), 2);
    for (const QString &line : lines)
        QVERIFY2(line.startsWith(QStringLiteral("ColorNameManager: Error loading CSV: ")), qPrintable(line));
    QCOMPARE(binary.findClosestColorName(ColorValue{1, 0, 0, 1}), QStringLiteral("Unknown"));
}

void TestColorNameManager::indexedSearchAgreesWithScan()
{
    ColorNameManager manager;
    manager.loadPalette(ColorNameManager::locateShippedList());
    QVERIFY(manager.palette().size() > 30000);
    QRandomGenerator random(20261211);
    for (int i = 0; i < 3000; ++i) {
        ColorValue color;
        if (i % 3 == 0) {
            // Exact list colours, where the first of equal entries must win.
            const auto &e = manager.palette()[random.bounded(int(manager.palette().size()))];
            color = {e.r / 255, e.g / 255, e.b / 255, 1};
        } else {
            color = {random.generateDouble(), random.generateDouble(), random.generateDouble(), 1};
        }
        QCOMPARE(manager.findClosestColorName(color), scanName(manager.palette(), color));
    }
    for (int level = 0; level <= 255; level += 5) {
        const ColorValue grey{level / 255.0, level / 255.0, level / 255.0, 1};
        QCOMPARE(manager.findClosestColorName(grey), scanName(manager.palette(), grey));
    }
}

void TestColorNameManager::sharedInstanceUsesShippedList()
{
    LogCapture log;
    ColorNameManager &shared = ColorNameManager::shared();
    QVERIFY(shared.isLoaded());
    QCOMPARE(&shared, &ColorNameManager::shared());
    QCOMPARE(shared.findClosestColorName(ColorValue::white()), QStringLiteral("White"));
    QCOMPARE(shared.findClosestColorName(ColorValue::black()), QStringLiteral("Black"));
    QCOMPARE(shared.findClosestColorName(ColorValue{1, 0, 0, 1}), QStringLiteral("Red"));
    QCOMPARE(log.lines().size(), 1);
    QVERIFY(log.lines().first().startsWith(QStringLiteral("ColorNameManager: Loaded 3")));
}

QTEST_GUILESS_MAIN(TestColorNameManager)
#include "tst_colornamemanager.moc"
