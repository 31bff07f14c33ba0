#include "settings/settingsmanager.h"
#include "support/logcapture.h"
#include "support/temppreferences.h"

#include <QSignalSpy>
#include <QTest>

Q_DECLARE_METATYPE(MyPaletteColor)

namespace {

// Slots with ids 1, 2, ... in order; nullptr is an empty slot.
QList<MyPaletteColor> paletteOf(std::initializer_list<const char *> hexes)
{
    QList<MyPaletteColor> palette;
    int id = 0;
    for (const char *hex : hexes)
        palette << MyPaletteColor{++id, hex ? std::optional(QString::fromLatin1(hex)) : std::nullopt};
    return palette;
}

const QUuid firstId = QUuid::fromString(QLatin1StringView("6F1C2A0E-3B4D-4E5F-8A9B-0C1D2E3F4A01"));
const QUuid secondId = QUuid::fromString(QLatin1StringView("6F1C2A0E-3B4D-4E5F-8A9B-0C1D2E3F4A02"));

QByteArray paletteJson(const char *id, const char *name)
{
    return QStringLiteral(R"({"id":"%1","name":"%2","colors":[{"id":1,"hex":"1A2B3C"},{"id":2}]})")
        .arg(QLatin1StringView(id), QLatin1StringView(name))
        .toUtf8();
}

QStringList names(const QList<LibraryPalette> &library)
{
    QStringList list;
    for (const LibraryPalette &palette : library)
        list << palette.name;
    return list;
}

QString keptLine(const QString &key)
{
    return QStringLiteral("SettingsManager: Could not read %1; kept a copy under Unreadable/%1").arg(key);
}

// Settings over preferences holding `key` with `bytes`.
struct StoredSettings {
    StoredSettings(const QString &key, const QByteArray &bytes)
    {
        preferences.store().setBytes(key, bytes);
        settings.emplace(preferences.store());
    }
    TempPreferences preferences;
    std::optional<SettingsManager> settings;
};

QStringList writtenKeys(const QSignalSpy &spy)
{
    QStringList keys;
    for (const QList<QVariant> &arguments : spy)
        keys << arguments.at(0).toString();
    return keys;
}

} // namespace

class TestPalettes : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_log.emplace(); }
    void cleanup() { m_log.reset(); }

    void encodedForm();
    void decodeColor_data();
    void decodeColor();
    void decodePalette_data();
    void decodePalette();

    void saveMyPaletteColor_data();
    void saveMyPaletteColor();
    void storedMyPalette_data();
    void storedMyPalette();

    void addToLibraryKeepsEveryPalette();
    void loadFromLibraryCopiesThePalette();
    void deleteFromLibraryRemovesEveryMatch();
    void renameLibraryPalette();
    void updateLibraryPaletteColor_data();
    void updateLibraryPaletteColor();
    void replaceLibraryStoresTheNewOne();
    void storedLibrary_data();
    void storedLibrary();

    void search_data();
    void search();

private:
    // Diagnostic lines of the settings under test.
    std::optional<LogCapture> m_log;
};

void TestPalettes::encodedForm()
{
    QCOMPARE(Palettes::encode(paletteOf({"1A2B3C", nullptr})), QByteArray(R"([{"id":1,"hex":"1A2B3C"},{"id":2}])"));
    const LibraryPalette quoted{firstId, QStringLiteral("Say \"hi\"\n"), paletteOf({"ABC"})};
    QCOMPARE(Palettes::encode(quoted),
             QByteArray("{\"id\":\"6F1C2A0E-3B4D-4E5F-8A9B-0C1D2E3F4A01\",\"name\":\"Say \\\"hi\\\"\\n\","
                        "\"colors\":[{\"id\":1,\"hex\":\"ABC\"}]}"));
    const QList<LibraryPalette> library{{firstId, QStringLiteral("Ünï 🎨"), paletteOf({"1A2B3C", nullptr, "#FFF"})},
                                        {secondId, QString(), {}}};
    QCOMPARE(Palettes::decodeLibrary(*Palettes::parse(Palettes::encode(library))), std::optional(library));
}

void TestPalettes::decodeColor_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<bool>("read");
    QTest::addColumn<MyPaletteColor>("color");

    QTest::newRow("with hex") << QByteArray(R"({"id":4,"hex":"#aabbcc"})") << true
                              << MyPaletteColor{4, QStringLiteral("#aabbcc")};
    QTest::newRow("empty slot") << QByteArray(R"({"id":2})") << true << MyPaletteColor{2, std::nullopt};
    QTest::newRow("null hex is empty") << QByteArray(R"({"id":2,"hex":null})") << true
                                       << MyPaletteColor{2, std::nullopt};
    QTest::newRow("extra member") << QByteArray(R"({"id":1,"hex":"","x":[]})") << true
                                  << MyPaletteColor{1, QString()};
    QTest::newRow("id as text") << QByteArray(R"({"id":"1"})") << false << MyPaletteColor{};
    QTest::newRow("fractional id") << QByteArray(R"({"id":1.5})") << false << MyPaletteColor{};
    QTest::newRow("missing id") << QByteArray(R"({"hex":"FFFFFF"})") << false << MyPaletteColor{};
    QTest::newRow("hex as number") << QByteArray(R"({"id":1,"hex":123456})") << false << MyPaletteColor{};
    QTest::newRow("not an object") << QByteArray("1") << false << MyPaletteColor{};
}

void TestPalettes::decodeColor()
{
    QFETCH(QByteArray, json);
    QFETCH(bool, read);
    QFETCH(MyPaletteColor, color);

    const auto value = Palettes::parse(json);
    QVERIFY(value);
    const auto decoded = Palettes::decodeColor(*value);
    QCOMPARE(decoded.has_value(), read);
    if (read)
        QCOMPARE(*decoded, color);
}

void TestPalettes::decodePalette_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<bool>("read");

    QTest::newRow("as written") << paletteJson("6F1C2A0E-3B4D-4E5F-8A9B-0C1D2E3F4A01", "Mine") << true;
    QTest::newRow("lower-case id") << paletteJson("6f1c2a0e-3b4d-4e5f-8a9b-0c1d2e3f4a01", "Mine") << true;
    QTest::newRow("id in braces") << paletteJson("{6F1C2A0E-3B4D-4E5F-8A9B-0C1D2E3F4A01}", "Mine") << false;
    QTest::newRow("id not a UUID") << paletteJson("palette-1", "Mine") << false;
    QTest::newRow("missing name") << QByteArray(R"({"id":"6F1C2A0E-3B4D-4E5F-8A9B-0C1D2E3F4A01","colors":[]})")
                                  << false;
    QTest::newRow("missing colours") << QByteArray(R"({"id":"6F1C2A0E-3B4D-4E5F-8A9B-0C1D2E3F4A01","name":"x"})")
                                     << false;
    QTest::newRow("one bad colour")
        << QByteArray(R"({"id":"6F1C2A0E-3B4D-4E5F-8A9B-0C1D2E3F4A01","name":"x","colors":[{"id":1},{"id":"2"}]})")
        << false;
}

void TestPalettes::decodePalette()
{
    QFETCH(QByteArray, json);
    QFETCH(bool, read);

    const auto decoded = Palettes::decodePalette(*Palettes::parse(json));
    QCOMPARE(decoded.has_value(), read);
    if (read)
        QCOMPARE(*decoded, (LibraryPalette{firstId, QStringLiteral("Mine"), paletteOf({"1A2B3C", nullptr})}));
}

void TestPalettes::saveMyPaletteColor_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<int>("index");
    QTest::addColumn<QVariant>("hex");
    QTest::addColumn<QByteArray>("result");

    const QByteArray full(R"([{"id":1,"hex":"111111"},{"id":2,"hex":"222222"},{"id":3,"hex":"333333"},)"
                          R"({"id":4,"hex":"444444"},{"id":5,"hex":"555555"}])");
    QTest::newRow("first slot of a fresh palette")
        << QByteArray() << 0 << QVariant(QStringLiteral("1A2B3C"))
        << QByteArray(R"([{"id":1,"hex":"1A2B3C"},{"id":2},{"id":3},{"id":4},{"id":5}])");
    QTest::newRow("clearing slot 3")
        << full << 2 << QVariant()
        << QByteArray(R"([{"id":1,"hex":"111111"},{"id":2,"hex":"222222"},{"id":3},)"
                      R"({"id":4,"hex":"444444"},{"id":5,"hex":"555555"}])");
    QTest::newRow("stored as given") << QByteArray() << 4 << QVariant(QStringLiteral("#abc"))
                                     << QByteArray(R"([{"id":1},{"id":2},{"id":3},{"id":4},{"id":5,"hex":"#abc"}])");
    QTest::newRow("position 5") << full << 5 << QVariant(QStringLiteral("1A2B3C")) << QByteArray();
    QTest::newRow("position -1") << full << -1 << QVariant(QStringLiteral("1A2B3C")) << QByteArray();
    QTest::newRow("beyond a short palette") << QByteArray(R"([{"id":1},{"id":2},{"id":3}])") << 3
                                            << QVariant(QStringLiteral("1A2B3C")) << QByteArray();
}

void TestPalettes::saveMyPaletteColor()
{
    QFETCH(QByteArray, stored);
    QFETCH(int, index);
    QFETCH(QVariant, hex);
    QFETCH(QByteArray, result);

    TempPreferences preferences;
    if (!stored.isNull())
        preferences.store().setBytes(SettingsManager::myPaletteKey, stored);
    SettingsManager settings(preferences.store());
    const QList<MyPaletteColor> before = settings.myPalette();
    QSignalSpy changed(&settings, &SettingsManager::changed);
    QSignalSpy written(&preferences.store(), &PreferencesStore::valueChanged);

    settings.saveMyPaletteColor(index, hex.isValid() ? std::optional(hex.toString()) : std::nullopt);

    if (result.isNull()) {
        QCOMPARE(settings.myPalette(), before);
        QCOMPARE(changed.count(), 0);
        QCOMPARE(written.count(), 0);
        return;
    }
    QCOMPARE(changed.count(), 1);
    QCOMPARE(preferences.reopened()->bytes(SettingsManager::myPaletteKey), result);
    QCOMPARE(Palettes::encode(settings.myPalette()), result);
}

void TestPalettes::storedMyPalette_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QList<MyPaletteColor>>("palette");
    QTest::addColumn<bool>("kept");

    const QList<MyPaletteColor> empty = Palettes::defaultMyPalette();
    QTest::newRow("three entries") << QByteArray(R"([{"id":1,"hex":"1A2B3C"},{"id":2},{"id":3}])")
                                   << paletteOf({"1A2B3C", nullptr, nullptr}) << false;
    QTest::newRow("ids as stored") << QByteArray(R"([{"id":9,"hex":"FFF"},{"id":7}])")
                                   << QList<MyPaletteColor>{{9, QStringLiteral("FFF")}, {7, std::nullopt}} << false;
    QTest::newRow("not JSON") << QByteArray("garbage") << empty << true;
    QTest::newRow("an object") << QByteArray(R"({"id":1})") << empty << true;
    // Positions matter, so one unreadable slot drops them all.
    QTest::newRow("one bad slot") << QByteArray(R"([{"id":1,"hex":"1A2B3C"},{"id":"two"},{"id":3}])") << empty
                                  << true;
}

void TestPalettes::storedMyPalette()
{
    QFETCH(QByteArray, stored);
    QFETCH(QList<MyPaletteColor>, palette);
    QFETCH(bool, kept);

    StoredSettings s(SettingsManager::myPaletteKey, stored);
    QCOMPARE(s.settings->myPalette(), palette);
    QCOMPARE(m_log->contains(keptLine(SettingsManager::myPaletteKey)), kept);

    s.settings->saveMyPaletteColor(0, QStringLiteral("ABCDEF"));
    const auto reopened = s.preferences.reopened();
    const auto copy = reopened->bytes(PreferencesStore::unreadableKey(SettingsManager::myPaletteKey));
    QCOMPARE(copy, kept ? std::optional(stored) : std::nullopt);
}

void TestPalettes::addToLibraryKeepsEveryPalette()
{
    TempPreferences preferences;
    SettingsManager settings(preferences.store());
    QSignalSpy changed(&settings, &SettingsManager::changed);
    const QList<MyPaletteColor> colors = paletteOf({"111111", nullptr, "333333", nullptr, "555555"});

    settings.addToLibrary(QStringLiteral(" Brand "), colors);
    settings.addToLibrary(QStringLiteral(" Brand "), colors);

    const QList<LibraryPalette> library = settings.libraryPalettes();
    QCOMPARE(names(library), (QStringList{" Brand ", " Brand "}));
    QVERIFY(library[0].id != library[1].id);
    QVERIFY(!library[0].id.isNull());
    QCOMPARE(library[1].colors, colors);
    QCOMPARE(changed.count(), 0);
    const auto reopened = preferences.reopened();
    QCOMPARE(SettingsManager(*reopened).libraryPalettes(), library);
}

void TestPalettes::loadFromLibraryCopiesThePalette()
{
    TempPreferences preferences;
    SettingsManager settings(preferences.store());
    const QList<MyPaletteColor> saved = paletteOf({"111111", nullptr, "333333", nullptr, "555555"});
    settings.addToLibrary(QStringLiteral("Saved"), saved);
    for (int i = 0; i < 5; ++i)
        settings.saveMyPaletteColor(i, QStringLiteral("EEEEEE"));
    const QUuid id = settings.libraryPalettes().first().id;

    QSignalSpy written(&preferences.store(), &PreferencesStore::valueChanged);
    settings.loadFromLibrary(QUuid::createUuid());
    QCOMPARE(written.count(), 0);

    settings.loadFromLibrary(id);
    QCOMPARE(settings.myPalette(), saved);
    settings.saveMyPaletteColor(1, QStringLiteral("ABCDEF"));
    QCOMPARE(settings.libraryPalettes().first().colors, saved);

    const auto reopened = preferences.reopened();
    const SettingsManager next(*reopened);
    QCOMPARE(next.myPalette(), paletteOf({"111111", "ABCDEF", "333333", nullptr, "555555"}));
    QCOMPARE(next.libraryPalettes().first().colors, saved);
}

void TestPalettes::deleteFromLibraryRemovesEveryMatch()
{
    // Two palettes that share an id, as only stored data can hold them.
    const QByteArray stored = "[" + paletteJson("6F1C2A0E-3B4D-4E5F-8A9B-0C1D2E3F4A01", "A") + ","
                              + paletteJson("6F1C2A0E-3B4D-4E5F-8A9B-0C1D2E3F4A02", "B") + ","
                              + paletteJson("6F1C2A0E-3B4D-4E5F-8A9B-0C1D2E3F4A01", "C") + "]";
    StoredSettings s(SettingsManager::libraryKey, stored);
    QSignalSpy written(&s.preferences.store(), &PreferencesStore::valueChanged);

    s.settings->deleteFromLibrary(firstId);
    QCOMPARE(names(s.settings->libraryPalettes()), QStringList{"B"});
    // An id that is gone still rewrites the unchanged library.
    s.settings->deleteFromLibrary(firstId);
    QCOMPARE(writtenKeys(written), (QStringList{"PaletteLibrary", "PaletteLibrary"}));

    const auto reopened = s.preferences.reopened();
    QCOMPARE(names(SettingsManager(*reopened).libraryPalettes()), QStringList{"B"});
}

void TestPalettes::renameLibraryPalette()
{
    TempPreferences preferences;
    SettingsManager settings(preferences.store());
    settings.addToLibrary(QStringLiteral("Old"), paletteOf({"111111"}));
    settings.addToLibrary(QStringLiteral("Other"), paletteOf({"222222"}));
    const QUuid id = settings.libraryPalettes().first().id;
    QSignalSpy written(&preferences.store(), &PreferencesStore::valueChanged);

    settings.renameLibraryPalette(QUuid::createUuid(), QStringLiteral("Lost"));
    QCOMPARE(written.count(), 0);
    settings.renameLibraryPalette(id, QString());

    QCOMPARE(names(settings.libraryPalettes()), (QStringList{"", "Other"}));
    const auto reopened = preferences.reopened();
    const QList<LibraryPalette> stored = SettingsManager(*reopened).libraryPalettes();
    QCOMPARE(names(stored), (QStringList{"", "Other"}));
    QCOMPARE(stored.first().id, id);
}

void TestPalettes::updateLibraryPaletteColor_data()
{
    QTest::addColumn<bool>("knownPalette");
    QTest::addColumn<int>("index");
    QTest::addColumn<QList<MyPaletteColor>>("colors");

    const QList<MyPaletteColor> saved = paletteOf({"111111", nullptr, "333333", nullptr, "555555"});
    QTest::newRow("empty slot gets a colour") << true << 1 << paletteOf({"111111", "ABCDEF", "333333", nullptr, "555555"});
    QTest::newRow("last slot") << true << 4 << paletteOf({"111111", nullptr, "333333", nullptr, "ABCDEF"});
    QTest::newRow("position 5") << true << 5 << saved;
    QTest::newRow("position -1") << true << -1 << saved;
    QTest::newRow("unknown palette") << false << 0 << saved;
}

void TestPalettes::updateLibraryPaletteColor()
{
    QFETCH(bool, knownPalette);
    QFETCH(int, index);
    QFETCH(QList<MyPaletteColor>, colors);

    TempPreferences preferences;
    SettingsManager settings(preferences.store());
    settings.addToLibrary(QStringLiteral("Saved"), paletteOf({"111111", nullptr, "333333", nullptr, "555555"}));
    const QUuid id = knownPalette ? settings.libraryPalettes().first().id : QUuid::createUuid();
    QSignalSpy written(&preferences.store(), &PreferencesStore::valueChanged);

    settings.updateLibraryPaletteColor(id, index, QStringLiteral("ABCDEF"));

    QCOMPARE(settings.libraryPalettes().first().colors, colors);
    const bool changed = colors != paletteOf({"111111", nullptr, "333333", nullptr, "555555"});
    QCOMPARE(written.count(), changed ? 1 : 0);
    const auto reopened = preferences.reopened();
    QCOMPARE(SettingsManager(*reopened).libraryPalettes().first().colors, colors);
}

void TestPalettes::replaceLibraryStoresTheNewOne()
{
    TempPreferences preferences;
    SettingsManager settings(preferences.store());
    settings.addToLibrary(QStringLiteral("Local"), paletteOf({"111111"}));
    const QList<LibraryPalette> fetched{{firstId, QStringLiteral("Fetched"), paletteOf({"ABCDEF", nullptr})}};

    settings.replaceLibrary(fetched);
    QCOMPARE(settings.libraryPalettes(), fetched);
    const auto reopened = preferences.reopened();
    QCOMPARE(SettingsManager(*reopened).libraryPalettes(), fetched);
}

void TestPalettes::storedLibrary_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QStringList>("loaded");
    QTest::addColumn<bool>("kept");

    const QByteArray a = paletteJson("6F1C2A0E-3B4D-4E5F-8A9B-0C1D2E3F4A01", "A");
    const QByteArray c = paletteJson("6F1C2A0E-3B4D-4E5F-8A9B-0C1D2E3F4A03", "C");
    QTest::newRow("readable") << "[" + a + "," + c + "]" << QStringList{"A", "C"} << false;
    QTest::newRow("empty") << QByteArray("[]") << QStringList() << false;
    // Palettes stand alone: the readable ones are used.
    QTest::newRow("one bad palette") << "[" + a + R"(,{"id":"x","name":"B","colors":[]},)" + c + "]"
                                     << QStringList{"A", "C"} << true;
    QTest::newRow("not JSON") << QByteArray("[{") << QStringList() << true;
    QTest::newRow("not a list") << a << QStringList() << true;
}

void TestPalettes::storedLibrary()
{
    QFETCH(QByteArray, stored);
    QFETCH(QStringList, loaded);
    QFETCH(bool, kept);

    StoredSettings s(SettingsManager::libraryKey, stored);
    QCOMPARE(names(s.settings->libraryPalettes()), loaded);
    QCOMPARE(m_log->contains(keptLine(SettingsManager::libraryKey)), kept);

    s.settings->addToLibrary(QStringLiteral("New"), Palettes::defaultMyPalette());
    const auto reopened = s.preferences.reopened();
    QCOMPARE(names(SettingsManager(*reopened).libraryPalettes()), loaded + QStringList{"New"});
    const auto copy = reopened->bytes(PreferencesStore::unreadableKey(SettingsManager::libraryKey));
    QCOMPARE(copy, kept ? std::optional(stored) : std::nullopt);
}

void TestPalettes::search_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("found");

    QTest::newRow("empty lists all") << QString() << QStringList{"Ocean Blues", "SUNSET", "forest", "Straße Ärger"};
    QTest::newRow("small letters find capitals") << "sunset" << QStringList{"SUNSET"};
    QTest::newRow("stored order") << "o" << QStringList{"Ocean Blues", "forest"};
    QTest::newRow("a space as typed") << " " << QStringList{"Ocean Blues", "Straße Ärger"};
    QTest::newRow("not trimmed") << " sunset" << QStringList();
    QTest::newRow("beyond ASCII") << "äRGER" << QStringList{"Straße Ärger"};
    QTest::newRow("nothing") << "violet" << QStringList();
}

void TestPalettes::search()
{
    QFETCH(QString, text);
    QFETCH(QStringList, found);

    QList<LibraryPalette> library;
    for (const char *name : {"Ocean Blues", "SUNSET", "forest", "Straße Ärger"})
        library << LibraryPalette{QUuid::createUuid(), QString::fromUtf8(name), {}};
    QCOMPARE(names(Palettes::search(library, text)), found);
}

QTEST_GUILESS_MAIN(TestPalettes)
#include "tst_palettes.moc"
