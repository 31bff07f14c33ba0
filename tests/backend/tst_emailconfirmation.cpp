#include "backendhttp.h"
#include "localbackend.h"

#include <QRegularExpression>
#include <QTest>

#include <memory>

namespace {

const QString email = "pending@example.com";
const QString password = "s3cret-pass";

} // namespace

// A backend started with --require-confirmation: new accounts must open the logged link first.
// Its short token lifetime shows that server options reach the server through the start script.
class TestEmailConfirmation : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void signUpAnswersTheUserWithoutSession();
    void signInBeforeConfirmation_data();
    void signInBeforeConfirmation();
    void invalidLinksAreRefused_data();
    void invalidLinksAreRefused();
    void loggedLinkConfirmsOnce();
    void signInAfterConfirmation();

private:
    HttpReply passwordGrant(const QString &password);

    LocalBackend backend{{"--require-confirmation", "--jwt-lifetime", "120"}};
    std::unique_ptr<BackendHttp> http;
};

HttpReply TestEmailConfirmation::passwordGrant(const QString &givenPassword)
{
    return http->post("/auth/v1/token?grant_type=password",
                      json({{"email", email}, {"password", givenPassword}}));
}

void TestEmailConfirmation::initTestCase()
{
    QVERIFY2(backend.start(), qPrintable(backend.errorString()));
    http = std::make_unique<BackendHttp>(backend);
}

void TestEmailConfirmation::signUpAnswersTheUserWithoutSession()
{
    const HttpReply reply = http->signUp(email, password);
    QCOMPARE(reply.status, 200);
    const QJsonObject user = reply.object();
    QCOMPARE(user.value("email").toString(), email);
    QVERIFY(user.value("email_confirmed_at").isNull());
    QVERIFY(!user.contains("access_token"));
    QVERIFY(!user.contains("refresh_token"));
}

void TestEmailConfirmation::signInBeforeConfirmation_data()
{
    QTest::addColumn<QString>("givenPassword");
    QTest::addColumn<QString>("description");
    QTest::addColumn<int>("functionStatus");

    QTest::newRow("right password") << password << "Email not confirmed" << 400;
    // The account's state is only revealed to someone who knows its password.
    QTest::newRow("wrong password") << "not-the-password" << "Invalid login credentials" << 401;
}

void TestEmailConfirmation::signInBeforeConfirmation()
{
    QFETCH(QString, givenPassword);
    QFETCH(QString, description);

    const HttpReply reply = passwordGrant(givenPassword);
    QCOMPARE(reply.status, 400);
    QCOMPARE(reply.object(),
             (QJsonObject{{"error", "invalid_grant"}, {"error_description", description}}));

    const HttpReply function = http->post("/functions/v1/login-session",
                                          json({{"email", email}, {"password", givenPassword}}));
    QTEST(function.status, "functionStatus");
    QCOMPARE(function.object().value("error").toString(), description);
}

void TestEmailConfirmation::invalidLinksAreRefused_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("unknown token") << "/auth/v1/verify?token=made-up&type=signup";
    QTest::newRow("no token") << "/auth/v1/verify?type=signup";
    QTest::newRow("other type") << "/auth/v1/verify?token=made-up&type=recovery";
}

void TestEmailConfirmation::invalidLinksAreRefused()
{
    QFETCH(QString, target);
    const HttpReply reply = http->send("GET", target, {}, {});
    QCOMPARE(reply.status, 403);
    QCOMPARE(reply.object().value("error_code").toString(), QString("otp_expired"));
    QCOMPARE(passwordGrant(password).status, 400);
}

void TestEmailConfirmation::loggedLinkConfirmsOnce()
{
    const QRegularExpression linkPattern("confirmation link for " + QRegularExpression::escape(email)
                                         + R"(: (http://\S+))");
    const auto match = linkPattern.match(backend.serverLog());
    QVERIFY2(match.hasMatch(), "no confirmation link in the server's log");
    const QUrl link(match.captured(1));
    QCOMPARE(link.host(), QString("127.0.0.1"));
    QCOMPARE(link.port(), backend.url().port());
    QCOMPARE(link.path(), QString("/auth/v1/verify"));

    // Opened from an e-mail in a browser, so without any key.
    const HttpReply first = http->send("GET", link.toString(), {}, {});
    QCOMPARE(first.status, 200);
    QVERIFY(first.header("Content-Type").startsWith("text/html"));
    QCOMPARE(http->send("GET", link.toString(), {}, {}).status, 403);
}

void TestEmailConfirmation::signInAfterConfirmation()
{
    const HttpReply reply = passwordGrant(password);
    QCOMPARE(reply.status, 200);
    QCOMPARE(reply.object().value("expires_in").toInt(), 120);
    const QJsonObject user = reply.object().value("user").toObject();
    QVERIFY(!user.value("email_confirmed_at").toString().isEmpty());

    const HttpReply function = http->post("/functions/v1/login-session",
                                          json({{"email", email}, {"password", password}}));
    QCOMPARE(function.status, 200);
}

QTEST_GUILESS_MAIN(TestEmailConfirmation)
#include "tst_emailconfirmation.moc"
