#include "backendhttp.h"
#include "localbackend.h"

#include <QDateTime>
#include <QJsonDocument>
#include <QTest>

#include <memory>

namespace {

const QString password = "settings-pass";
const QJsonArray library{QJsonObject{{"id", "6F1C2A9E-0B7D-4C55-9E3A-2D8B1F0C4E77"},
                                     {"name", "Warm"},
                                     {"colors", QJsonArray{"FF8800", "CC3300"}}}};
const QJsonObject configuration{{"appTheme", "ocean"}, {"autoCopyHex", true}};

struct Account
{
    QString id; // upper case, as the app writes it
    QByteArray accessToken;
};

const BackendHttp::Headers merge{{"Prefer", "resolution=merge-duplicates"}};

} // namespace

// The user_settings table: upserts that write only the columns sent, and row-level security
// keeping each user to their own row.
class TestUserSettings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void uploadsWriteOnlyTheirColumn();
    void representationIsReturnedOnRequest();
    void selectColumns_data();
    void selectColumns();
    void othersCannotReadTheRow();
    void othersCannotWriteTheRow_data();
    void othersCannotWriteTheRow();
    void anonymousRequestsAreRefused();
    void badUpserts_data();
    void badUpserts();

private:
    Account signUp(const QString &email);
    HttpReply upsert(const Account &account, const QJsonObject &row,
                     const BackendHttp::Headers &headers = merge);
    QJsonArray rowsOf(const Account &reader, const QString &id);

    LocalBackend backend;
    std::unique_ptr<BackendHttp> http;
    Account alice;
    Account bob;
};

Account TestUserSettings::signUp(const QString &email)
{
    const QJsonObject session = http->signUp(email, password).object();
    return {session.value("user").toObject().value("id").toString().toUpper(),
            session.value("access_token").toString().toUtf8()};
}

HttpReply TestUserSettings::upsert(const Account &account, const QJsonObject &row,
                                   const BackendHttp::Headers &headers)
{
    return http->post("/rest/v1/user_settings", json(row), account.accessToken, headers);
}

QJsonArray TestUserSettings::rowsOf(const Account &reader, const QString &id)
{
    const HttpReply reply = http->get("/rest/v1/user_settings?select=*&id=eq." + id,
                                      reader.accessToken);
    if (reply.status != 200)
        QTest::qFail(reply.body.constData(), __FILE__, __LINE__);
    return reply.array();
}

void TestUserSettings::initTestCase()
{
    QVERIFY2(backend.start(), qPrintable(backend.errorString()));
    http = std::make_unique<BackendHttp>(backend);
    alice = signUp("alice@example.com");
    bob = signUp("bob@example.com");
    QVERIFY(!alice.accessToken.isEmpty() && !bob.accessToken.isEmpty());
}

void TestUserSettings::uploadsWriteOnlyTheirColumn()
{
    const HttpReply first = upsert(alice, {{"id", alice.id}, {"palette_library", library}});
    QCOMPARE(first.status, 201);
    QVERIFY(first.body.isEmpty());
    QJsonArray rows = rowsOf(alice, alice.id);
    QCOMPARE(rows.size(), 1);
    QJsonObject row = rows.first().toObject();
    QCOMPARE(row.value("id").toString().toUpper(), alice.id);
    QCOMPARE(row.value("palette_library").toArray(), library);
    QVERIFY(row.value("app_configuration").isNull());

    const auto updatedAt = [](const QJsonObject &row) {
        return QDateTime::fromString(row.value("updated_at").toString(), Qt::ISODateWithMs);
    };
    const QDateTime created = updatedAt(row);
    QVERIFY(created.isValid());

    QCOMPARE(upsert(alice, {{"id", alice.id}, {"app_configuration", configuration}}).status, 201);
    row = rowsOf(alice, alice.id).first().toObject();
    QCOMPARE(row.value("palette_library").toArray(), library);
    QCOMPARE(row.value("app_configuration").toObject(), configuration);
    QVERIFY(updatedAt(row) > created);

    // Sent as an array of one, the other client form; an explicit null is a value sent.
    const HttpReply cleared = http->post("/rest/v1/user_settings?on_conflict=id",
                                         QJsonDocument(QJsonArray{QJsonObject{
                                                           {"id", alice.id},
                                                           {"palette_library", QJsonValue::Null}}})
                                             .toJson(),
                                         alice.accessToken, merge);
    QCOMPARE(cleared.status, 201);
    row = rowsOf(alice, alice.id).first().toObject();
    QVERIFY(row.value("palette_library").isNull());
    QCOMPARE(row.value("app_configuration").toObject(), configuration);
}

void TestUserSettings::representationIsReturnedOnRequest()
{
    const HttpReply reply =
        upsert(alice, {{"id", alice.id}, {"palette_library", library}},
               {{"Prefer", "resolution=merge-duplicates,return=representation"}});
    QCOMPARE(reply.status, 201);
    QCOMPARE(reply.array().size(), 1);
    const QJsonObject row = reply.array().first().toObject();
    QCOMPARE(row.value("palette_library").toArray(), library);
    QCOMPARE(row.value("app_configuration").toObject(), configuration);
}

void TestUserSettings::selectColumns_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("keys");

    QTest::newRow("all") << "select=*&id=eq.%1" << 200
                         << QStringList{"app_configuration", "id", "palette_library", "updated_at"};
    QTest::newRow("no select means all") << "id=eq.%1" << 200
                                         << QStringList{"app_configuration", "id",
                                                        "palette_library", "updated_at"};
    QTest::newRow("two columns") << "select=id,palette_library&id=eq.%1" << 200
                                 << QStringList{"id", "palette_library"};
    QTest::newRow("id in lower case") << "select=id&id=eq.%2" << 200 << QStringList{"id"};
    QTest::newRow("no filter: own row only") << "select=id" << 200 << QStringList{"id"};
    QTest::newRow("unknown column") << "select=id,password&id=eq.%1" << 400 << QStringList{};
    QTest::newRow("expression as column") << "select=id::text&id=eq.%1" << 400 << QStringList{};
    QTest::newRow("id not a uuid") << "id=eq.1%20or%201=1" << 400 << QStringList{};
    QTest::newRow("NUL in id") << "id=eq.%1%00" << 400 << QStringList{};
    QTest::newRow("other operator") << "id=gt.%1" << 400 << QStringList{};
    QTest::newRow("other filter") << "app_configuration=eq.null" << 400 << QStringList{};
}

void TestUserSettings::selectColumns()
{
    QFETCH(QString, query);
    QFETCH(int, status);
    QFETCH(QStringList, keys);

    const HttpReply reply = http->get(
        "/rest/v1/user_settings?" + query.arg(alice.id, alice.id.toLower()), alice.accessToken);
    QCOMPARE(reply.status, status);
    if (status != 200) {
        QVERIFY(!reply.object().value("code").toString().isEmpty());
        QVERIFY(!reply.object().value("message").toString().isEmpty());
        return;
    }
    QCOMPARE(reply.array().size(), 1);
    QCOMPARE(reply.array().first().toObject().keys(), keys);
}

void TestUserSettings::othersCannotReadTheRow()
{
    QCOMPARE(rowsOf(bob, alice.id), QJsonArray());
    const HttpReply everything = http->get("/rest/v1/user_settings?select=*", bob.accessToken);
    QCOMPARE(everything.status, 200);
    QCOMPARE(everything.array(), QJsonArray());
}

void TestUserSettings::othersCannotWriteTheRow_data()
{
    QTest::addColumn<BackendHttp::Headers>("headers");
    QTest::newRow("upsert") << merge;
    QTest::newRow("insert") << BackendHttp::Headers{};
    QTest::newRow("upsert ignoring duplicates")
        << BackendHttp::Headers{{"Prefer", "resolution=ignore-duplicates"}};
}

void TestUserSettings::othersCannotWriteTheRow()
{
    QFETCH(BackendHttp::Headers, headers);
    const QJsonObject before = rowsOf(alice, alice.id).first().toObject();

    const HttpReply reply = upsert(bob, {{"id", alice.id}, {"app_configuration", QJsonObject{}}},
                                   headers);
    QCOMPARE(reply.status, 403);
    QCOMPARE(reply.object().value("code").toString(), QString("42501"));
    QCOMPARE(reply.object().value("message").toString(),
             QString(R"(new row violates row-level security policy for table "user_settings")"));
    QCOMPARE(rowsOf(alice, alice.id).first().toObject(), before);
}

void TestUserSettings::anonymousRequestsAreRefused()
{
    const QJsonObject before = rowsOf(alice, alice.id).first().toObject();
    QCOMPARE(http->get("/rest/v1/user_settings?select=*").status, 401);
    const HttpReply write =
        http->post("/rest/v1/user_settings", json({{"id", alice.id}, {"palette_library", 1}}), {}, merge);
    QCOMPARE(write.status, 401);
    QCOMPARE(rowsOf(alice, alice.id).first().toObject(), before);
}

void TestUserSettings::badUpserts_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QByteArray>("prefer");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("code");

    const QByteArray mergeDuplicates = "resolution=merge-duplicates";
    QTest::newRow("unknown column") << QByteArray(R"({"id":"%1","theme":"dark"})") << mergeDuplicates
                                    << 400 << "PGRST204";
    QTest::newRow("not JSON") << QByteArray(R"({"id":)") << mergeDuplicates << 400 << "PGRST102";
    QTest::newRow("keys differ between rows")
        << QByteArray(R"([{"id":"%1"},{"id":"%1","palette_library":[]}])") << mergeDuplicates << 400
        << "PGRST102";
    QTest::newRow("id not a uuid") << QByteArray(R"({"id":"alice"})") << mergeDuplicates << 400
                                   << "22P02";
    QTest::newRow("NUL in a value")
        << QByteArray(R"({"id":"%1","palette_library":["a\u0000b"]})") << mergeDuplicates << 400
        << "22P05";
    QTest::newRow("existing row without merge")
        << QByteArray(R"({"id":"%1","palette_library":[]})") << QByteArray() << 409 << "23505";
}

void TestUserSettings::badUpserts()
{
    QFETCH(QByteArray, body);
    QFETCH(QByteArray, prefer);
    QFETCH(int, status);

    const QJsonObject before = rowsOf(alice, alice.id).first().toObject();
    BackendHttp::Headers headers;
    if (!prefer.isEmpty())
        headers.append({"Prefer", prefer});
    const HttpReply reply = http->post("/rest/v1/user_settings",
                                       QString::fromUtf8(body).arg(alice.id).toUtf8(),
                                       alice.accessToken, headers);
    QCOMPARE(reply.status, status);
    QTEST(reply.object().value("code").toString(), "code");
    QCOMPARE(rowsOf(alice, alice.id).first().toObject(), before);
}

QTEST_GUILESS_MAIN(TestUserSettings)
#include "tst_usersettings.moc"
