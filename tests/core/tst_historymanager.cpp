#include "picking/historymanager.h"
#include "support/logcapture.h"
#include "support/temppreferences.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTimeZone>

namespace {

// Seconds from the Unix epoch to 2001-01-01 00:00:00 UTC.
constexpr double referenceDate = 978307200;

const QString keptLine = QStringLiteral("HistoryManager: Could not read ColorHistory; kept a copy under "
                                        "Unreadable/ColorHistory");

QStringList hexes(const QList<ColorHistoryItem> &items)
{
    QStringList list;
    for (const ColorHistoryItem &item : items)
        list << item.hex;
    return list;
}

QStringList numberedHexes(int count)
{
    QStringList list;
    for (int i = 1; i <= count; ++i)
        list << QStringLiteral("#0000%1").arg(i, 2, 10, QLatin1Char('0'));
    return list;
}

QByteArray item(const char *id, const char *hex, double date)
{
    return QStringLiteral(R"({"id":"%1","hex":"%2","date":%3})").arg(id, hex).arg(date).toUtf8();
}

const char *const idA = "0E4B8C8A-6B0C-4C5E-9C51-6F3A5E2D1B01";
const char *const idB = "0E4B8C8A-6B0C-4C5E-9C51-6F3A5E2D1B02";

} // namespace

class TestHistoryManager : public QObject
{
    Q_OBJECT

private slots:
    void addColor_data();
    void addColor();
    void repickedColorIsANewEntry();
    void storedForm();
    void loadsTheStoredListUnchanged();
    void additionTrimsAnOverlongStoredList();
    void undecodableEntriesAreSkippedAndKept_data();
    void undecodableEntriesAreSkippedAndKept();
    void emptyPreferencesGiveAnEmptyHistory();
};

void TestHistoryManager::addColor_data()
{
    QTest::addColumn<QStringList>("picks");
    QTest::addColumn<QStringList>("history");

    const QStringList eleven = numberedHexes(11);
    QStringList tenNewest = eleven.mid(1);
    std::reverse(tenNewest.begin(), tenNewest.end());
    QTest::newRow("eleven colours keep the ten newest") << eleven << tenNewest;
    QTest::newRow("a repick moves to the front")
        << QStringList{"#111111", "#222222", "#333333", "#444444", "#222222"}
        << QStringList{"#222222", "#444444", "#333333", "#111111"};
    QTest::newRow("the same colour twice") << QStringList{"#111111", "#111111"} << QStringList{"#111111"};
    QTest::newRow("letter case tells colours apart")
        << QStringList{"#1a2b3c", "#1A2B3C"} << QStringList{"#1A2B3C", "#1a2b3c"};
    QTest::newRow("a repick of the oldest in a full list")
        << numberedHexes(10) + QStringList{"#000001"}
        << QStringList{"#000001", "#000010", "#000009", "#000008", "#000007", "#000006", "#000005", "#000004",
                       "#000003", "#000002"};
}

void TestHistoryManager::addColor()
{
    QFETCH(QStringList, picks);
    QFETCH(QStringList, history);

    TempPreferences preferences;
    HistoryManager manager(preferences.store());
    QSignalSpy spy(&manager, &HistoryManager::historyChanged);
    for (const QString &hex : std::as_const(picks))
        manager.addColor(hex);

    QCOMPARE(hexes(manager.history()), history);
    QCOMPARE(spy.count(), picks.size());
    const auto reopened = preferences.reopened();
    QCOMPARE(hexes(HistoryManager(*reopened).history()), history);
}

void TestHistoryManager::repickedColorIsANewEntry()
{
    TempPreferences preferences;
    HistoryManager manager(preferences.store());
    manager.addColor(QStringLiteral("#1A2B3C"));
    manager.addColor(QStringLiteral("#FFFFFF"));
    const ColorHistoryItem first = manager.history().last();

    manager.addColor(QStringLiteral("#1A2B3C"));
    const ColorHistoryItem again = manager.history().first();
    QCOMPARE(again.hex, first.hex);
    QVERIFY(again.id != first.id);
    QVERIFY(again.date >= first.date);
}

void TestHistoryManager::storedForm()
{
    TempPreferences preferences;
    HistoryManager manager(preferences.store());
    const double before = QDateTime::currentMSecsSinceEpoch() / 1000.0 - referenceDate;
    manager.addColor(QStringLiteral("#1A2B3C"));
    const double after = QDateTime::currentMSecsSinceEpoch() / 1000.0 - referenceDate;

    const auto stored = preferences.reopened()->bytes(HistoryManager::userDefaultsKey);
    QVERIFY(stored);
    // Compact, members in this order, the id in capitals.
    static const QRegularExpression form(
        QStringLiteral(R"(^\[\{"id":"[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}",)"
                       R"("hex":"#1A2B3C","date":([0-9.e+]+)\}\]$)"));
    const QRegularExpressionMatch match = form.match(QString::fromUtf8(*stored));
    QVERIFY2(match.hasMatch(), stored->constData());
    const double date = match.captured(1).toDouble();
    QVERIFY(date >= before && date <= after);
    QCOMPARE(QUuid::fromString(match.captured(0).mid(8, 36)), manager.history().first().id);
}

void TestHistoryManager::loadsTheStoredListUnchanged()
{
    TempPreferences preferences;
    // Duplicates and any member order are read as they are; a lower-case id
    // is still an id.
    const QByteArray stored = "[" + item(idA, "#1A2B3C", 1.5) + ","
                              + R"({"date":0,"hex":"#FFFFFF","id":"0e4b8c8a-6b0c-4c5e-9c51-6f3a5e2d1b02"})" + ","
                              + item(idA, "#1A2B3C", -86400) + "]";
    preferences.store().setBytes(HistoryManager::userDefaultsKey, stored);
    LogCapture log;
    const HistoryManager manager(preferences.store());

    const QDateTime reference(QDate(2001, 1, 1), QTime(0, 0), QTimeZone::utc());
    const QList<ColorHistoryItem> expected{
        {QUuid::fromString(QLatin1StringView(idA)), QStringLiteral("#1A2B3C"), reference.addMSecs(1500)},
        {QUuid::fromString(QLatin1StringView(idB)), QStringLiteral("#FFFFFF"), reference},
        {QUuid::fromString(QLatin1StringView(idA)), QStringLiteral("#1A2B3C"), reference.addDays(-1)},
    };
    QCOMPARE(manager.history(), expected);
    QCOMPARE(log.lines(), QStringList());
    QVERIFY(!preferences.store().contains(PreferencesStore::unreadableKey(HistoryManager::userDefaultsKey)));
}

void TestHistoryManager::additionTrimsAnOverlongStoredList()
{
    TempPreferences preferences;
    QList<ColorHistoryItem> twelve;
    for (const QString &hex : numberedHexes(12))
        twelve << ColorHistoryItem{QUuid::createUuid(), hex, QDateTime::currentDateTimeUtc()};
    preferences.store().setBytes(HistoryManager::userDefaultsKey, HistoryManager::encode(twelve));
    HistoryManager manager(preferences.store());
    QCOMPARE(manager.history().size(), 12);

    manager.addColor(QStringLiteral("#FFFFFF"));
    QCOMPARE(hexes(manager.history()), QStringList{"#FFFFFF"} + numberedHexes(9));
}

void TestHistoryManager::undecodableEntriesAreSkippedAndKept_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QStringList>("loaded");

    const QByteArray good = item(idA, "#1A2B3C", 10);
    const auto among = [&good](const QByteArray &bad) { return "[" + good + "," + bad + "]"; };
    QTest::newRow("missing date") << among(R"({"id":"0E4B8C8A-6B0C-4C5E-9C51-6F3A5E2D1B02","hex":"#FFFFFF"})")
                                  << QStringList{"#1A2B3C"};
    QTest::newRow("date as text") << among(item(idB, "#FFFFFF", 0).replace("\"date\":0", "\"date\":\"0\""))
                                  << QStringList{"#1A2B3C"};
    QTest::newRow("id not a UUID") << among(item("42", "#FFFFFF", 0)) << QStringList{"#1A2B3C"};
    QTest::newRow("id in braces") << among(item("{0E4B8C8A-6B0C-4C5E-9C51-6F3A5E2D1B02}", "#FFFFFF", 0))
                                  << QStringList{"#1A2B3C"};
    QTest::newRow("hex as number") << among(R"({"id":"0E4B8C8A-6B0C-4C5E-9C51-6F3A5E2D1B02","hex":1,"date":0})")
                                   << QStringList{"#1A2B3C"};
    QTest::newRow("entry not an object") << among("\"#FFFFFF\"") << QStringList{"#1A2B3C"};
    QTest::newRow("object, not a list") << good << QStringList();
    QTest::newRow("not JSON") << QByteArray("[{\"id\":") << QStringList();
}

void TestHistoryManager::undecodableEntriesAreSkippedAndKept()
{
    QFETCH(QByteArray, stored);
    QFETCH(QStringList, loaded);

    TempPreferences preferences;
    preferences.store().setBytes(HistoryManager::userDefaultsKey, stored);
    LogCapture log;
    HistoryManager manager(preferences.store());
    QCOMPARE(hexes(manager.history()), loaded);
    QCOMPARE(log.lines(), QStringList{keptLine});

    manager.addColor(QStringLiteral("#000000"));
    QCOMPARE(hexes(manager.history()), QStringList{"#000000"} + loaded);
    const auto reopened = preferences.reopened();
    QCOMPARE(reopened->bytes(PreferencesStore::unreadableKey(HistoryManager::userDefaultsKey)), stored);
}

void TestHistoryManager::emptyPreferencesGiveAnEmptyHistory()
{
    TempPreferences preferences;
    LogCapture log;
    const HistoryManager manager(preferences.store());
    QCOMPARE(manager.history(), QList<ColorHistoryItem>());
    QCOMPARE(log.lines(), QStringList());
    QVERIFY(!QFile::exists(preferences.filePath()));
}

QTEST_GUILESS_MAIN(TestHistoryManager)
#include "tst_historymanager.moc"
