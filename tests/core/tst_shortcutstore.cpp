#include "picking/shortcuttype.h"
#include "platform/shortcutstore.h"
#include "support/temppreferences.h"

#include <QSignalSpy>
#include <QTest>

namespace {

const KeyCombination ctrlShiftP{35, KeyCombination::command | KeyCombination::shift};
const KeyCombination altF1{122, KeyCombination::option};

QStringList announcedNames(const QSignalSpy &spy)
{
    QStringList names;
    for (const QList<QVariant> &arguments : spy)
        names << arguments.at(0).toString();
    return names;
}

} // namespace

class TestShortcutStore : public QObject
{
    Q_OBJECT

private slots:
    void twelveNamesInSettingsOrder();
    void namesAreUnassignedAtFirst();
    void combinationIsStoredAsJsonText();
    void unassigningRemovesTheKey();
    void resetUnassignsOnlyTheGivenNames();
    void undecodableStoredTextIsUnassigned_data();
    void undecodableStoredTextIsUnassigned();
    void everyStoreOverThePreferencesHearsOfChanges();
};

void TestShortcutStore::twelveNamesInSettingsOrder()
{
    const QStringList names{"foregroundColor", "backgroundColor", "alwaysOnTop", "slot1",      "slot2",
                            "slot3",           "slot4",           "myPalette1",  "myPalette2", "myPalette3",
                            "myPalette4",      "myPalette5"};
    QCOMPARE(ShortcutTypes::all(), names);
    QCOMPARE(ShortcutTypes::myPalettes(), names.mid(7));
    for (ShortcutType type : ShortcutTypes::allCases)
        QCOMPARE(ShortcutTypes::fromName(ShortcutTypes::shortcutName(type)), std::optional(type));
    QVERIFY(!ShortcutTypes::fromName(QStringLiteral("ForegroundColor")));
    QVERIFY(!ShortcutTypes::fromName(QStringLiteral("slot5")));
}

void TestShortcutStore::namesAreUnassignedAtFirst()
{
    TempPreferences preferences;
    const ShortcutStore shortcuts(preferences.store());
    for (const QString &name : ShortcutTypes::all()) {
        QVERIFY(!shortcuts.combination(name));
        QCOMPARE(shortcuts.displayText(name), QString());
    }
}

void TestShortcutStore::combinationIsStoredAsJsonText()
{
    TempPreferences preferences;
    ShortcutStore(preferences.store()).setCombination(QStringLiteral("foregroundColor"), ctrlShiftP);

    const auto reopened = preferences.reopened();
    QCOMPARE(reopened->string(QStringLiteral("Shortcut_foregroundColor")),
             QStringLiteral(R"({"carbonKeyCode":35,"carbonModifiers":768})"));
    const ShortcutStore shortcuts(*reopened);
    QCOMPARE(shortcuts.combination(QStringLiteral("foregroundColor")), std::optional(ctrlShiftP));
    QCOMPARE(shortcuts.displayText(QStringLiteral("foregroundColor")), QStringLiteral("Ctrl+Shift+P"));
}

void TestShortcutStore::unassigningRemovesTheKey()
{
    TempPreferences preferences;
    ShortcutStore shortcuts(preferences.store());
    shortcuts.setCombination(QStringLiteral("slot1"), ctrlShiftP);
    shortcuts.setCombination(QStringLiteral("slot1"), std::nullopt);

    QVERIFY(!shortcuts.combination(QStringLiteral("slot1")));
    QVERIFY(!preferences.reopened()->contains(QStringLiteral("Shortcut_slot1")));
}

void TestShortcutStore::resetUnassignsOnlyTheGivenNames()
{
    TempPreferences preferences;
    ShortcutStore shortcuts(preferences.store());
    for (const QString &name : ShortcutTypes::all())
        shortcuts.setCombination(name, altF1);

    shortcuts.reset(ShortcutTypes::myPalettes());

    const auto reopened = preferences.reopened();
    const ShortcutStore stored(*reopened);
    for (const QString &name : ShortcutTypes::all()) {
        const bool reset = ShortcutTypes::myPalettes().contains(name);
        QCOMPARE(stored.combination(name), reset ? std::nullopt : std::optional(altF1));
    }
}

void TestShortcutStore::undecodableStoredTextIsUnassigned_data()
{
    QTest::addColumn<QByteArray>("line");

    QTest::newRow("display text") << QByteArray("Shortcut_slot2=Ctrl+P");
    QTest::newRow("missing member") << QByteArray(R"(Shortcut_slot2="{\"carbonKeyCode\":35}")");
    QTest::newRow("bytes") << QByteArray(R"x(Shortcut_slot2="@ByteArray({\"carbonKeyCode\":35,\"carbonModifiers\":0})")x");
}

void TestShortcutStore::undecodableStoredTextIsUnassigned()
{
    QFETCH(QByteArray, line);
    TempPreferences preferences("[General]\n" + line + '\n');
    const ShortcutStore shortcuts(preferences.store());

    QVERIFY(!shortcuts.combination(QStringLiteral("slot2")));
    QCOMPARE(shortcuts.displayText(QStringLiteral("slot2")), QString());
}

void TestShortcutStore::everyStoreOverThePreferencesHearsOfChanges()
{
    TempPreferences preferences;
    ShortcutStore recorder(preferences.store());
    const ShortcutStore listener(preferences.store());
    QSignalSpy spy(&listener, &ShortcutStore::combinationChanged);

    recorder.setCombination(QStringLiteral("alwaysOnTop"), ctrlShiftP);
    preferences.store().setString(QStringLiteral("AppTheme"), QStringLiteral("dark"));
    recorder.reset({QStringLiteral("slot3"), QStringLiteral("alwaysOnTop")});

    QCOMPARE(announcedNames(spy), (QStringList{"alwaysOnTop", "slot3", "alwaysOnTop"}));
}

QTEST_GUILESS_MAIN(TestShortcutStore)
#include "tst_shortcutstore.moc"
