#include "accountfixture.h"
#include "settings/settingsmanager.h"
#include "support/logcapture.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

// The account and its cloud copy against a real local backend.
class TestAccount : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void signUpSignInRestartSignOut();
    void signUpRefusals();
    void wrongPasswordAndMissingField();
    void libraryThenSettingsUpload();
    void downloadsReplaceLocalData();
    void nullColumns();
    void undecodableRowChangesNothing();
    void transfersWhileSignedOutDoNothing();
    void usersCannotTouchEachOthersRows();

private:
    // A signed-in user with a settings store of their own.
    struct SignedIn {
        std::unique_ptr<AccountUser> user;
        std::unique_ptr<SettingsManager> settings;
    };
    SignedIn signedInUser(const QString &name);
    QJsonArray rawRows(AccountUser &user);
    SettingsManager::CloudOutcome transfer(SettingsManager &settings, void (SettingsManager::*operation)(const SettingsManager::CloudCallback &));

    LocalBackend m_backend;
    TempConfig m_config; // keeps the autostart entry of imported settings out of the real home
};

void TestAccount::initTestCase() { QVERIFY2(m_backend.start(), qPrintable(m_backend.errorString())); }

TestAccount::SignedIn TestAccount::signedInUser(const QString &name)
{
    SignedIn result{std::make_unique<AccountUser>(m_backend, name), nullptr};
    if (!result.user->signUp().ok() || !result.user->signIn().ok())
        qFatal("cannot sign in %s", qPrintable(name));
    result.settings = std::make_unique<SettingsManager>(*result.user->preferences);
    result.settings->setAuthManager(result.user->auth.get());
    return result;
}

QJsonArray TestAccount::rawRows(AccountUser &user)
{
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("select"), QStringLiteral("*"));
    const Result<QByteArray> answer = await<QByteArray>(
        [&](const auto &done) { user.auth->client().select(QStringLiteral("user_settings"), query, done); });
    return answer.ok() ? QJsonDocument::fromJson(answer.value()).array() : QJsonArray();
}

SettingsManager::CloudOutcome TestAccount::transfer(SettingsManager &settings,
                                                    void (SettingsManager::*operation)(const SettingsManager::CloudCallback &))
{
    std::optional<SettingsManager::CloudOutcome> outcome;
    (settings.*operation)([&outcome](SettingsManager::CloudOutcome o) { outcome = o; });
    if (!QTest::qWaitFor([&outcome] { return outcome.has_value(); }, 60000))
        return SettingsManager::CloudOutcome::failed;
    return *outcome;
}

void TestAccount::signUpSignInRestartSignOut()
{
    AccountUser user(m_backend, QStringLiteral("ada"));
    QVERIFY(user.auth->isGuestMode());
    QVERIFY(user.signUp().ok());

    user.auth->setShouldShowLogin(true);
    LogCapture log;
    const Result<Done> signIn = user.signIn();
    QVERIFY2(signIn.ok(), qPrintable(signIn.ok() ? QString() : signIn.error().description));
    QVERIFY(!user.auth->isGuestMode());
    QVERIFY(!user.auth->shouldShowLogin());
    QVERIFY(!user.auth->errorMessage());
    QVERIFY(user.auth->session());
    QCOMPARE(user.auth->user()->email, std::optional<QString>(user.email));
    const QString token = user.auth->session()->accessToken;
    QCOMPARE(log.lines(), QStringList{QStringLiteral("AuthManager: login-session successful response. Token: ")
                                      + token.left(10) + QStringLiteral("...")});

    // The session is kept in a private preferences file...
    const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup
        | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
    QCOMPARE(QFile::permissions(user.preferences->filePath()) & others, QFileDevice::Permissions());
    // ...and restored by the next start, which still counts as guest mode.
    const QUuid id = user.auth->user()->id;
    user.restart();
    QVERIFY(QTest::qWaitFor([&] { return user.auth->session().has_value(); }, 30000));
    QCOMPARE(user.auth->user()->id, id);
    QVERIFY(user.auth->isGuestMode());

    log.clear();
    const Result<Done> signOut = await<Done>([&](const auto &done) { user.auth->signOut(QStringLiteral("manual"), done); });
    QVERIFY(signOut.ok());
    QCOMPARE(log.lines(), QStringList{QStringLiteral("AuthManager: Signing out. Reason: manual")});
    QVERIFY(user.auth->isGuestMode());
    QVERIFY(!user.auth->session());
    QVERIFY(!user.auth->user());
    QVERIFY(!user.preferences->contains(user.auth->client().storageKey()));

    // Nothing comes back after a restart, and the old refresh token is dead.
    user.restart();
    QTest::qWait(200);
    QVERIFY(!user.auth->session());
}

void TestAccount::signUpRefusals()
{
    AccountUser user(m_backend, QStringLiteral("bob"));
    QVERIFY(user.signUp().ok());
    AccountUser twin(m_backend, QStringLiteral("bob"));
    const Result<Done> duplicate = twin.signUp();
    QVERIFY(!duplicate.ok());
    QCOMPARE(duplicate.error().status, 422);
    QVERIFY(!twin.auth->errorMessage());

    AccountUser weak(m_backend, QStringLiteral("cy"));
    weak.password = QStringLiteral("12345");
    const Result<Done> tooShort = weak.signUp();
    QVERIFY(!tooShort.ok());
    QCOMPARE(tooShort.error().status, 422);
}

void TestAccount::wrongPasswordAndMissingField()
{
    AccountUser user(m_backend, QStringLiteral("dee"));
    QVERIFY(user.signUp().ok());
    user.password = QStringLiteral("not-the-password");
    QVERIFY(!user.signIn().ok());
    QCOMPARE(user.auth->errorMessage(), std::optional<QString>(QStringLiteral("Invalid email or password. Please try again.")));

    // An empty password is refused by the function with 400 and its "error".
    user.password.clear();
    QVERIFY(!user.signIn().ok());
    QVERIFY(user.auth->errorMessage());
    QVERIFY(!user.auth->errorMessage()->isEmpty());
    QVERIFY(*user.auth->errorMessage() != QStringLiteral("Invalid request. Please check your information."));
    QVERIFY(user.auth->isGuestMode());
}

void TestAccount::libraryThenSettingsUpload()
{
    SignedIn ed = signedInUser(QStringLiteral("ed"));
    ed.settings->addToLibrary(QStringLiteral("Sea"), ed.settings->myPalette());
    QCOMPARE(transfer(*ed.settings, &SettingsManager::saveLibraryToCloud), SettingsManager::CloudOutcome::succeeded);

    QJsonArray rows = rawRows(*ed.user);
    QCOMPARE(rows.size(), 1);
    QJsonObject row = rows.first().toObject();
    QCOMPARE(row[QStringLiteral("id")].toString().toUpper(), Palettes::uuidText(ed.user->auth->user()->id));
    QCOMPARE(row[QStringLiteral("palette_library")].toArray().size(), 1);
    QVERIFY(row[QStringLiteral("app_configuration")].isNull());

    ed.settings->saveAppTheme(AppTheme::matchaLatte);
    LogCapture log;
    QCOMPARE(transfer(*ed.settings, &SettingsManager::saveSettingsToCloud), SettingsManager::CloudOutcome::succeeded);
    QVERIFY(log.contains(QStringLiteral("Settings saved to cloud successfully")));
    row = rawRows(*ed.user).first().toObject();
    QCOMPARE(row[QStringLiteral("palette_library")].toArray().size(), 1);
    QCOMPARE(row[QStringLiteral("app_configuration")][QStringLiteral("appTheme")].toString(), QStringLiteral("matchaLatte"));
}

void TestAccount::downloadsReplaceLocalData()
{
    SignedIn flo = signedInUser(QStringLiteral("flo"));
    flo.settings->saveMyPaletteColor(0, QStringLiteral("112233"));
    flo.settings->addToLibrary(QStringLiteral("Kept in the cloud"), flo.settings->myPalette());
    flo.settings->saveSlotFormat(2, CopyFormat::cmyk);
    QCOMPARE(transfer(*flo.settings, &SettingsManager::saveLibraryToCloud), SettingsManager::CloudOutcome::succeeded);
    QCOMPARE(transfer(*flo.settings, &SettingsManager::saveSettingsToCloud), SettingsManager::CloudOutcome::succeeded);
    const QList<LibraryPalette> uploaded = flo.settings->libraryPalettes();

    // Local changes after the upload are replaced, not merged.
    flo.settings->addToLibrary(QStringLiteral("Only here"), {});
    flo.settings->saveSlotFormat(2, CopyFormat::hsl);
    flo.settings->saveMyPaletteColor(0, std::nullopt);
    LogCapture log;
    QCOMPARE(transfer(*flo.settings, &SettingsManager::loadLibraryFromCloud), SettingsManager::CloudOutcome::succeeded);
    QCOMPARE(flo.settings->libraryPalettes(), uploaded);
    QCOMPARE(transfer(*flo.settings, &SettingsManager::loadSettingsFromCloud), SettingsManager::CloudOutcome::succeeded);
    QCOMPARE(flo.settings->slot2Format(), CopyFormat::cmyk);
    QCOMPARE(flo.settings->myPalette()[0].hex, std::optional<QString>(QStringLiteral("112233")));
    QCOMPARE(log.lines(), (QStringList{QStringLiteral("Library loaded from cloud successfully"),
                                       QStringLiteral("Settings loaded from cloud successfully")}));

    // Both reached the preferences file, as the next start reads them.
    SettingsManager reread(*flo.user->preferences);
    QCOMPARE(reread.libraryPalettes(), uploaded);
    QCOMPARE(reread.slot2Format(), CopyFormat::cmyk);
}

void TestAccount::nullColumns()
{
    // Settings only: the library column stays null, and loading it empties
    // the local library.
    SignedIn gus = signedInUser(QStringLiteral("gus"));
    QCOMPARE(transfer(*gus.settings, &SettingsManager::saveSettingsToCloud), SettingsManager::CloudOutcome::succeeded);
    gus.settings->addToLibrary(QStringLiteral("Local"), gus.settings->myPalette());
    QCOMPARE(transfer(*gus.settings, &SettingsManager::loadLibraryFromCloud), SettingsManager::CloudOutcome::succeeded);
    QVERIFY(gus.settings->libraryPalettes().isEmpty());

    // Library only: loading settings from the null column changes nothing.
    SignedIn hal = signedInUser(QStringLiteral("hal"));
    QCOMPARE(transfer(*hal.settings, &SettingsManager::saveLibraryToCloud), SettingsManager::CloudOutcome::succeeded);
    hal.settings->saveAppTheme(AppTheme::peachFuzz);
    LogCapture log;
    QCOMPARE(transfer(*hal.settings, &SettingsManager::loadSettingsFromCloud), SettingsManager::CloudOutcome::nothingStored);
    QCOMPARE(hal.settings->appTheme(), AppTheme::peachFuzz);
    QVERIFY(log.lines().isEmpty());

    // No row at all: nothing happens, nothing is logged.
    SignedIn ivy = signedInUser(QStringLiteral("ivy"));
    ivy.settings->addToLibrary(QStringLiteral("Mine"), {});
    log.clear();
    QCOMPARE(transfer(*ivy.settings, &SettingsManager::loadLibraryFromCloud), SettingsManager::CloudOutcome::nothingStored);
    QCOMPARE(ivy.settings->libraryPalettes().size(), 1);
    QVERIFY(log.lines().isEmpty());
}

void TestAccount::undecodableRowChangesNothing()
{
    SignedIn jo = signedInUser(QStringLiteral("jo"));
    const QJsonObject bad{
        {QStringLiteral("id"), Palettes::uuidText(jo.user->auth->user()->id)},
        {QStringLiteral("palette_library"),
         QJsonArray{QJsonObject{{QStringLiteral("id"), QStringLiteral("not-a-uuid")}, {QStringLiteral("name"), QStringLiteral("x")},
                                {QStringLiteral("colors"), QJsonArray()}}}},
        {QStringLiteral("app_configuration"), QJsonObject{{QStringLiteral("slot1Format"), QStringLiteral("HEX")}}},
    };
    QVERIFY(await<Done>([&](const auto &done) { jo.user->auth->client().upsert(QStringLiteral("user_settings"), bad, done); }).ok());

    jo.settings->addToLibrary(QStringLiteral("Local"), jo.settings->myPalette());
    jo.settings->saveAppTheme(AppTheme::dark);
    const QList<LibraryPalette> library = jo.settings->libraryPalettes();
    LogCapture log;
    QCOMPARE(transfer(*jo.settings, &SettingsManager::loadLibraryFromCloud), SettingsManager::CloudOutcome::failed);
    QCOMPARE(transfer(*jo.settings, &SettingsManager::loadSettingsFromCloud), SettingsManager::CloudOutcome::failed);
    QCOMPARE(jo.settings->libraryPalettes(), library);
    QCOMPARE(jo.settings->appTheme(), AppTheme::dark);
    QCOMPARE(log.lines().size(), 2);
    QVERIFY(log.lines()[0].startsWith(QStringLiteral("Failed to load library from cloud: ")));
    QVERIFY(log.lines()[1].startsWith(QStringLiteral("Failed to load settings from cloud: ")));
}

void TestAccount::transfersWhileSignedOutDoNothing()
{
    AccountUser guest(m_backend, QStringLiteral("kim"));
    SettingsManager settings(*guest.preferences);
    settings.setAuthManager(guest.auth.get());
    LogCapture log;
    for (auto operation : {&SettingsManager::saveLibraryToCloud, &SettingsManager::loadLibraryFromCloud,
                           &SettingsManager::saveSettingsToCloud, &SettingsManager::loadSettingsFromCloud})
        QCOMPARE(transfer(settings, operation), SettingsManager::CloudOutcome::notSignedIn);
    QVERIFY(log.lines().isEmpty());

    const Result<std::optional<CloudSettings>> fetch =
        await<std::optional<CloudSettings>>([&](const auto &done) { guest.auth->fetchUserSettings(done); });
    QCOMPARE(fetch.error().kind, BackendError::Kind::notSignedIn);
    const Result<Done> save = await<Done>([&](const auto &done) { guest.auth->saveUserSettingsToCloud({}, {}, done); });
    QCOMPARE(save.error().kind, BackendError::Kind::notSignedIn);
}

void TestAccount::usersCannotTouchEachOthersRows()
{
    SignedIn lea = signedInUser(QStringLiteral("lea"));
    lea.settings->addToLibrary(QStringLiteral("Lea's"), lea.settings->myPalette());
    QCOMPARE(transfer(*lea.settings, &SettingsManager::saveLibraryToCloud), SettingsManager::CloudOutcome::succeeded);

    SignedIn max = signedInUser(QStringLiteral("max"));
    QVERIFY(rawRows(*max.user).isEmpty());
    const Result<std::optional<CloudSettings>> fetched =
        await<std::optional<CloudSettings>>([&](const auto &done) { max.user->auth->fetchUserSettings(done); });
    QVERIFY(fetched.ok());
    QVERIFY(!fetched.value());

    // Writing under Lea's id is refused, and her row keeps its library.
    const QJsonObject intrusion{{QStringLiteral("id"), Palettes::uuidText(lea.user->auth->user()->id)},
                                {QStringLiteral("palette_library"), QJsonArray()}};
    const Result<Done> write =
        await<Done>([&](const auto &done) { max.user->auth->client().upsert(QStringLiteral("user_settings"), intrusion, done); });
    QVERIFY(!write.ok());
    QCOMPARE(write.error().kind, BackendError::Kind::http);
    QVERIFY(write.error().status == 401 || write.error().status == 403);
    QCOMPARE(rawRows(*lea.user).first()[QStringLiteral("palette_library")].toArray().size(), 1);
}

QTEST_GUILESS_MAIN(TestAccount)
#include "tst_account.moc"
