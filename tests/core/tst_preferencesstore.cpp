#include "platform/preferencesstore.h"
#include "support/tempconfig.h"
#include "support/temppreferences.h"

#include <QDir>
#include <QSignalSpy>
#include <QTest>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int fileMode(const QString &path)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return -1;
    return int(info.st_mode & 07777);
}

// Each value through the typed write that matches its type.
void writeTyped(PreferencesStore &store, const QString &key, const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Bool: store.setBool(key, value.toBool()); break;
    case QMetaType::Double: store.setDouble(key, value.toDouble()); break;
    case QMetaType::QByteArray: store.setBytes(key, value.toByteArray()); break;
    default: store.setString(key, value.toString()); break;
    }
}

QVariant readTyped(const PreferencesStore &store, const QString &key, int type)
{
    switch (type) {
    case QMetaType::Bool: return store.boolean(key);
    case QMetaType::Double: return store.number(key);
    case QMetaType::QByteArray: return store.bytes(key) ? QVariant(*store.bytes(key)) : QVariant();
    default: return store.string(key) ? QVariant(*store.string(key)) : QVariant();
    }
}

const QByteArray binaryGarbage("\x89PNG\r\n\x1a\n\x00\x00\x00\rIHDR\xff\xfe\x00\x01", 20);

} // namespace

class TestPreferencesStore : public QObject
{
    Q_OBJECT

private slots:
    void readsTypedValuesFromTheFile_data();
    void readsTypedValuesFromTheFile();
    void registeredDefaultsAnswerOnlyForMissingKeys();
    void valuesSurviveTheFile_data();
    void valuesSurviveTheFile();
    void removedKeyIsGoneFromTheFile();
    void fileIsCreatedOwnerOnlyOnFirstWrite();
    void existingFileIsMadeOwnerOnlyOnWrite();
    void corruptFileReadsAsEmptyUntilWritten_data();
    void corruptFileReadsAsEmptyUntilWritten();
    void unreadableFileIsReplacedOnFirstWrite();
    void keepUnreadableCopiesTheStoredValueOnce();
    void everyWriteIsAnnounced();
    void reloadAnnouncesKeysChangedElsewhere();
    void defaultFilePathFollowsXdgConfigHome_data();
    void defaultFilePathFollowsXdgConfigHome();
};

void TestPreferencesStore::readsTypedValuesFromTheFile_data()
{
    // The file as another program, or an earlier start, left it; reads of a
    // missing or differently typed value give no string, no bytes, false, 0.
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QVariant>("asString");
    QTest::addColumn<bool>("asBool");
    QTest::addColumn<double>("asNumber");
    QTest::addColumn<QVariant>("asBytes");

    QTest::newRow("missing") << QByteArray("Other=1") << QVariant() << false << 0.0 << QVariant();
    QTest::newRow("text") << QByteArray("K=Hex Code") << QVariant(QStringLiteral("Hex Code")) << false << 0.0
                          << QVariant();
    QTest::newRow("true") << QByteArray("K=true") << QVariant(QStringLiteral("true")) << true << 0.0 << QVariant();
    QTest::newRow("false") << QByteArray("K=false") << QVariant(QStringLiteral("false")) << false << 0.0
                           << QVariant();
    QTest::newRow("fraction") << QByteArray("K=0.35") << QVariant(QStringLiteral("0.35")) << true << 0.35
                              << QVariant();
    QTest::newRow("zero") << QByteArray("K=0") << QVariant(QStringLiteral("0")) << false << 0.0 << QVariant();
    QTest::newRow("quoted with comma") << QByteArray("K=\"a, b\"") << QVariant(QStringLiteral("a, b")) << false
                                       << 0.0 << QVariant();
    QTest::newRow("bytes") << QByteArray("K=\"@ByteArray([1,2])\"") << QVariant() << false << 0.0
                           << QVariant(QByteArray("[1,2]"));
}

void TestPreferencesStore::readsTypedValuesFromTheFile()
{
    QFETCH(QByteArray, line);
    QFETCH(QVariant, asString);
    QFETCH(bool, asBool);
    QFETCH(double, asNumber);
    QFETCH(QVariant, asBytes);

    TempPreferences preferences("[General]\n" + line + '\n');
    const PreferencesStore &store = preferences.store();
    QCOMPARE(readTyped(store, QStringLiteral("K"), QMetaType::QString), asString);
    QCOMPARE(store.boolean(QStringLiteral("K")), asBool);
    QCOMPARE(store.number(QStringLiteral("K")), asNumber);
    QCOMPARE(readTyped(store, QStringLiteral("K"), QMetaType::QByteArray), asBytes);
}

void TestPreferencesStore::registeredDefaultsAnswerOnlyForMissingKeys()
{
    TempPreferences preferences;
    PreferencesStore &store = preferences.store();
    store.registerDefaults({{QStringLiteral("Flag"), true},
                            {QStringLiteral("Theme"), QStringLiteral("system")},
                            {QStringLiteral("Opacity"), 0.5}});

    QCOMPARE(store.boolean(QStringLiteral("Flag")), true);
    QCOMPARE(store.string(QStringLiteral("Theme")), QStringLiteral("system"));
    QCOMPARE(store.number(QStringLiteral("Opacity")), 0.5);
    QVERIFY(!store.contains(QStringLiteral("Flag")));
    QVERIFY2(!QFile::exists(preferences.filePath()), "defaults are never written");

    store.setBool(QStringLiteral("Flag"), false);
    store.setString(QStringLiteral("Theme"), QStringLiteral("dark"));
    store.setDouble(QStringLiteral("Opacity"), 0.0);
    QCOMPARE(store.boolean(QStringLiteral("Flag")), false);
    QCOMPARE(store.string(QStringLiteral("Theme")), QStringLiteral("dark"));
    QCOMPARE(store.number(QStringLiteral("Opacity")), 0.0);
}

void TestPreferencesStore::valuesSurviveTheFile_data()
{
    QTest::addColumn<QVariant>("value");

    QTest::newRow("true") << QVariant(true);
    QTest::newRow("false") << QVariant(false);
    QTest::newRow("fraction") << QVariant(0.35);
    QTest::newRow("tiny") << QVariant(1e-300);
    QTest::newRow("negative") << QVariant(-2.5);
    QTest::newRow("plain text") << QVariant(QStringLiteral("Hex Code"));
    QTest::newRow("empty text") << QVariant(QString());
    QTest::newRow("json text") << QVariant(QStringLiteral(R"({"carbonKeyCode":35,"carbonModifiers":768})"));
    QTest::newRow("blanks around") << QVariant(QStringLiteral("  padded  "));
    QTest::newRow("at sign first") << QVariant(QStringLiteral("@ByteArray(x)"));
    QTest::newRow("line breaks and semicolons") << QVariant(QStringLiteral("a;b\nc=d\\e"));
    QTest::newRow("non-ASCII") << QVariant(QStringLiteral("Pfirsich \u00FC \u2764"));
    QTest::newRow("text that looks like a number") << QVariant(QStringLiteral("007"));
    QTest::newRow("json bytes") << QVariant(QByteArray(R"([{"id":1,"hex":"1A2B3C"},{"id":2}])"));
    QTest::newRow("binary bytes") << QVariant(QByteArray("\x00\xff\n\"=,;", 7));
    QTest::newRow("empty bytes") << QVariant(QByteArray(""));
}

void TestPreferencesStore::valuesSurviveTheFile()
{
    QFETCH(QVariant, value);
    TempPreferences preferences;
    writeTyped(preferences.store(), QStringLiteral("Key"), value);

    const auto reopened = preferences.reopened();
    QVERIFY(reopened->contains(QStringLiteral("Key")));
    QCOMPARE(readTyped(*reopened, QStringLiteral("Key"), value.typeId()), value);
}

void TestPreferencesStore::removedKeyIsGoneFromTheFile()
{
    TempPreferences preferences;
    PreferencesStore &store = preferences.store();
    store.registerDefaults({{QStringLiteral("Name"), QStringLiteral("fallback")}});
    store.setString(QStringLiteral("Name"), QStringLiteral("kept"));
    store.setString(QStringLiteral("Other"), QStringLiteral("stays"));
    store.remove(QStringLiteral("Name"));

    QCOMPARE(store.string(QStringLiteral("Name")), QStringLiteral("fallback"));
    const auto reopened = preferences.reopened();
    QVERIFY(!reopened->contains(QStringLiteral("Name")));
    QCOMPARE(reopened->string(QStringLiteral("Other")), QStringLiteral("stays"));
}

void TestPreferencesStore::fileIsCreatedOwnerOnlyOnFirstWrite()
{
    TempPreferences preferences;
    PreferencesStore &store = preferences.store();
    QVERIFY(!store.contains(QStringLiteral("Flag")));
    QVERIFY2(!QFile::exists(preferences.filePath()), "reading creates no file");

    store.setBool(QStringLiteral("Flag"), true);
    QCOMPARE(fileMode(preferences.filePath()), 0600);
    // Later writes replace the file; the replacement stays private.
    store.setString(QStringLiteral("Token"), QStringLiteral("secret"));
    QCOMPARE(fileMode(preferences.filePath()), 0600);
}

void TestPreferencesStore::existingFileIsMadeOwnerOnlyOnWrite()
{
    TempPreferences preferences("[General]\nFlag=true\n");
    QVERIFY(QFile::setPermissions(preferences.filePath(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup
                                                              | QFile::ReadOther));
    preferences.store().setString(QStringLiteral("Token"), QStringLiteral("secret"));

    QCOMPARE(fileMode(preferences.filePath()), 0600);
    QCOMPARE(preferences.reopened()->boolean(QStringLiteral("Flag")), true);
}

void TestPreferencesStore::corruptFileReadsAsEmptyUntilWritten_data()
{
    QTest::addColumn<QByteArray>("contents");
    // The parser takes what it can from a damaged file; a file it rejects
    // as a whole reads as empty.
    QTest::addColumn<bool>("flagReadable");

    QTest::newRow("binary") << binaryGarbage << false;
    QTest::newRow("unclosed section") << QByteArray("[General\nFlag=true\n") << false;
    QTest::newRow("binary after a setting") << QByteArray("[General]\nFlag=true\n") + binaryGarbage << true;
    QTest::newRow("line without value") << QByteArray("[General]\nFlag=true\nnot a setting\n") << true;
}

void TestPreferencesStore::corruptFileReadsAsEmptyUntilWritten()
{
    QFETCH(QByteArray, contents);
    QFETCH(bool, flagReadable);
    {
        TempPreferences preferences(contents);
        PreferencesStore &store = preferences.store();
        store.registerDefaults({{QStringLiteral("Theme"), QStringLiteral("system")}});

        QCOMPARE(store.boolean(QStringLiteral("Flag")), flagReadable);
        QCOMPARE(store.string(QStringLiteral("Theme")), QStringLiteral("system"));
        QCOMPARE(preferences.contents(), contents);

        store.setString(QStringLiteral("Theme"), QStringLiteral("dark"));
        const auto reopened = preferences.reopened();
        QCOMPARE(reopened->string(QStringLiteral("Theme")), QStringLiteral("dark"));
        QCOMPARE(reopened->boolean(QStringLiteral("Flag")), flagReadable);
        QCOMPARE(fileMode(preferences.filePath()), 0600);
        // The replaced file is readable from now on.
        store.reload();
        QCOMPARE(store.string(QStringLiteral("Theme")), QStringLiteral("dark"));
    }
    {
        // A store that only reads leaves the file alone, also when it goes.
        TempPreferences preferences(contents);
        preferences.store().string(QStringLiteral("Theme"));
        preferences.store().reload();
        QCOMPARE(preferences.contents(), contents);
    }
}

void TestPreferencesStore::unreadableFileIsReplacedOnFirstWrite()
{
    if (::geteuid() == 0)
        QSKIP("the superuser reads every file");
    TempPreferences preferences("[General]\nFlag=true\n", QFileDevice::Permissions());
    PreferencesStore &store = preferences.store();
    QCOMPARE(store.boolean(QStringLiteral("Flag")), false);

    store.setString(QStringLiteral("Theme"), QStringLiteral("dark"));
    QCOMPARE(fileMode(preferences.filePath()), 0600);
    const auto reopened = preferences.reopened();
    QCOMPARE(reopened->string(QStringLiteral("Theme")), QStringLiteral("dark"));
    QVERIFY(!reopened->contains(QStringLiteral("Flag")));
}

void TestPreferencesStore::keepUnreadableCopiesTheStoredValueOnce()
{
    TempPreferences preferences;
    PreferencesStore &store = preferences.store();
    const QString key = QStringLiteral("PaletteLibrary");
    QCOMPARE(PreferencesStore::unreadableKey(key), QStringLiteral("Unreadable/PaletteLibrary"));

    QVERIFY2(!store.keepUnreadable(key), "nothing stored, nothing kept");
    QVERIFY(!QFile::exists(preferences.filePath()));

    store.setBytes(key, "not json");
    QVERIFY(store.keepUnreadable(key));
    QVERIFY2(!store.keepUnreadable(key), "the same value is not written twice");
    store.setBytes(key, "[]");

    const auto reopened = preferences.reopened();
    QCOMPARE(reopened->bytes(PreferencesStore::unreadableKey(key)), QByteArray("not json"));
    QCOMPARE(reopened->bytes(key), QByteArray("[]"));
}

void TestPreferencesStore::everyWriteIsAnnounced()
{
    TempPreferences preferences;
    PreferencesStore &store = preferences.store();
    QSignalSpy spy(&store, &PreferencesStore::valueChanged);

    store.setString(QStringLiteral("A"), QStringLiteral("x"));
    store.setBool(QStringLiteral("B"), true);
    store.setDouble(QStringLiteral("C"), 1.5);
    store.setBytes(QStringLiteral("D"), "[]");
    store.remove(QStringLiteral("A"));

    QStringList keys;
    for (const QList<QVariant> &arguments : std::as_const(spy))
        keys << arguments.at(0).toString();
    QCOMPARE(keys, (QStringList{"A", "B", "C", "D", "A"}));
}

void TestPreferencesStore::reloadAnnouncesKeysChangedElsewhere()
{
    TempPreferences preferences("[General]\nSame=1\nChanged=old\nRemoved=x\n");
    PreferencesStore &store = preferences.store();
    QSignalSpy spy(&store, &PreferencesStore::valueChanged);

    // Of another length: within one millisecond the time stamp cannot tell.
    writeFile(preferences.filePath(), "[General]\nSame=1\nChanged=a longer value\nAdded=y\n");
    store.reload();

    QStringList keys;
    for (const QList<QVariant> &arguments : std::as_const(spy))
        keys << arguments.at(0).toString();
    keys.sort();
    QCOMPARE(keys, (QStringList{"Added", "Changed", "Removed"}));
    QCOMPARE(store.string(QStringLiteral("Changed")), QStringLiteral("a longer value"));
    QVERIFY(!store.contains(QStringLiteral("Removed")));
}

void TestPreferencesStore::defaultFilePathFollowsXdgConfigHome_data()
{
    QTest::addColumn<QByteArray>("xdgConfigHome");
    QTest::addColumn<bool>("followed");

    QTest::newRow("absolute") << QByteArray("/xdg/config") << true;
    QTest::newRow("unset") << QByteArray() << false;
    QTest::newRow("empty") << QByteArray("") << false;
    QTest::newRow("relative") << QByteArray("relative/config") << false;
}

void TestPreferencesStore::defaultFilePathFollowsXdgConfigHome()
{
    QFETCH(QByteArray, xdgConfigHome);
    QFETCH(bool, followed);

    const TempConfig restoresTheVariable;
    if (xdgConfigHome.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", xdgConfigHome);
    const QString base = followed ? QString::fromUtf8(xdgConfigHome) : QDir::homePath() + QStringLiteral("/.config");
    QCOMPARE(PreferencesStore::defaultFilePath(), base + QStringLiteral("/Tintora/Tintora.conf"));
}

QTEST_GUILESS_MAIN(TestPreferencesStore)
#include "tst_preferencesstore.moc"
