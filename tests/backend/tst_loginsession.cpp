#include "backendhttp.h"
#include "localbackend.h"

#include <QTest>

#include <memory>

namespace {

const QString email = "member@example.com";
const QString password = "member-pass";

} // namespace

// The "login-session" server function: the sign-in the app uses.
class TestLoginSession : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void answersTheFourFields();
    void tokensAreUsable();
    void refusals_data();
    void refusals();
    void corsPreflight();

private:
    HttpReply invoke(const QByteArray &body);

    LocalBackend backend;
    std::unique_ptr<BackendHttp> http;
    QString userId;
};

HttpReply TestLoginSession::invoke(const QByteArray &body)
{
    return http->post("/functions/v1/login-session", body);
}

void TestLoginSession::initTestCase()
{
    QVERIFY2(backend.start(), qPrintable(backend.errorString()));
    http = std::make_unique<BackendHttp>(backend);
    const HttpReply signUp = http->signUp(email, password);
    QCOMPARE(signUp.status, 200);
    userId = signUp.object().value("user").toObject().value("id").toString();
}

void TestLoginSession::answersTheFourFields()
{
    const HttpReply reply = invoke(json({{"email", email}, {"password", password}}));
    QCOMPARE(reply.status, 200);
    const QJsonObject answer = reply.object();
    QCOMPARE(answer.keys(), (QStringList{"access_token", "email", "refresh_token", "user_id"}));
    QCOMPARE(answer.value("user_id").toString(), userId);
    QCOMPARE(answer.value("email").toString(), email);
}

void TestLoginSession::tokensAreUsable()
{
    const QJsonObject answer = invoke(json({{"email", email}, {"password", password}})).object();

    const HttpReply user = http->get("/auth/v1/user", answer.value("access_token").toString().toUtf8());
    QCOMPARE(user.status, 200);
    QCOMPARE(user.object().value("id").toString(), userId);

    const HttpReply refreshed = http->post("/auth/v1/token?grant_type=refresh_token",
                                           json({{"refresh_token", answer.value("refresh_token")}}));
    QCOMPARE(refreshed.status, 200);
}

void TestLoginSession::refusals_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("status");

    QTest::newRow("not JSON") << QByteArray("{\"email\": ") << 400;
    QTest::newRow("empty body") << QByteArray() << 400;
    QTest::newRow("array") << QByteArray(R"(["member@example.com","member-pass"])") << 400;
    QTest::newRow("string") << QByteArray(R"("member@example.com")") << 400;
    QTest::newRow("no password") << json({{"email", email}}) << 400;
    QTest::newRow("no email") << json({{"password", password}}) << 400;
    QTest::newRow("empty password") << json({{"email", email}, {"password", ""}}) << 400;
    QTest::newRow("blank email") << json({{"email", "  "}, {"password", password}}) << 400;
    QTest::newRow("password not a string") << json({{"email", email}, {"password", true}}) << 400;
    QTest::newRow("NUL in password")
        << json({{"email", email}, {"password", password + QChar(0)}}) << 400;
    QTest::newRow("wrong password") << json({{"email", email}, {"password", "member-pasS"}}) << 401;
    QTest::newRow("unknown address")
        << json({{"email", "stranger@example.com"}, {"password", password}}) << 401;
}

void TestLoginSession::refusals()
{
    QFETCH(QByteArray, body);
    QFETCH(int, status);

    const HttpReply reply = invoke(body);
    QCOMPARE(reply.status, status);
    QVERIFY2(!reply.object().value("error").toString().isEmpty(), reply.body.constData());
    QVERIFY(!reply.object().contains("access_token"));
}

void TestLoginSession::corsPreflight()
{
    const HttpReply reply = http->send("OPTIONS", "/functions/v1/login-session", {},
                                       {{"Origin", "http://example.com"},
                                        {"Access-Control-Request-Method", "POST"}});
    QCOMPARE(reply.status, 200);
    QCOMPARE(reply.header("Access-Control-Allow-Origin"), QByteArray("*"));
    QVERIFY(reply.header("Access-Control-Allow-Headers").contains("apikey"));
}

QTEST_GUILESS_MAIN(TestLoginSession)
#include "tst_loginsession.moc"
