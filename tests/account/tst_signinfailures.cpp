#include "account/authmanager.h"
#include "support/await.h"
#include "support/logcapture.h"
#include "support/scriptedhttpserver.h"
#include "support/temppreferences.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using Answer = ScriptedHttpServer::Answer;
Q_DECLARE_METATYPE(ScriptedHttpServer::Answer)

// Sign-in answers a real account service never gives, from a scripted server.
class TestSignInFailures : public QObject
{
    Q_OBJECT

private slots:
    void failureMessages_data();
    void failureMessages();
    void requestCarriesKeyAndBody();
    void unconfiguredServiceFailsAtOnce();
};

void TestSignInFailures::failureMessages_data()
{
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("log");

    const QByteArray tokens = R"({"access_token":"eyJhbGciOi.eyJleHAiOjF9.c2ln","refresh_token":"r1","user_id":"u"})";
    QTest::newRow("400 with message") << Answer{400, R"({"message":"Email not confirmed","error":"x"})", {}, false}
                                      << "Email not confirmed" << QStringList();
    QTest::newRow("400 with error") << Answer{400, R"({"error":"x"})", {}, false} << "x" << QStringList();
    QTest::newRow("400 message not a string") << Answer{400, R"({"message":5,"error":"e"})", {}, false} << "e" << QStringList();
    QTest::newRow("400 not JSON") << Answer{400, "Bad Request", {}, false}
                                  << "Invalid request. Please check your information." << QStringList();
    QTest::newRow("400 JSON array") << Answer{400, R"(["x"])", {}, false}
                                    << "Invalid request. Please check your information." << QStringList();
    QTest::newRow("401") << Answer{401, R"({"error":"Invalid login credentials"})", {}, false}
                         << "Invalid email or password. Please try again." << QStringList();
    QTest::newRow("500") << Answer{500, "oops", {}, false} << "Login failed (500). Please try again later." << QStringList();
    QTest::newRow("404") << Answer{404, "", {}, false} << "Login failed (404). Please try again later." << QStringList();
    QTest::newRow("relay") << Answer{502, R"({"message":"relay"})", {{"x-relay-error", "true"}}, false}
                           << "Network connection issue. Please try again." << QStringList();
    QTest::newRow("missing refresh token")
        << Answer{200, R"({"access_token":"abc","user_id":"u"})", {}, false}
        << "Decoding Error: Key 'refresh_token' missing. Path: []"
        << QStringList{"AuthManager: JSON Decoding Error: Key 'refresh_token' missing. Path: []"};
    QTest::newRow("token of the wrong type")
        << Answer{200, R"({"access_token":5,"refresh_token":"r","user_id":"u"})", {}, false}
        << "Decoding Error: Type mismatch for 'String'. Path: [\"access_token\"]"
        << QStringList{"AuthManager: JSON Decoding Error: Type mismatch for 'String'. Path: [\"access_token\"]"};
    QTest::newRow("null user id") << Answer{200, R"({"access_token":"a","refresh_token":"r","user_id":null})", {}, false}
                                  << "Decoding Error: Value for 'String' missing. Path: [\"user_id\"]"
                                  << QStringList{"AuthManager: JSON Decoding Error: Value for 'String' missing. Path: [\"user_id\"]"};
    // The function answers, but the tokens are not accepted as a session:
    // the scripted server gives the same body for the user lookup.
    QTest::newRow("tokens not accepted") << Answer{200, tokens, {}, false} << "Something went wrong. Please try again."
                                         << QStringList{"AuthManager: login-session successful response. Token: eyJhbGciOi...",
                                                        "SignIn Error: The session could not be read."};
    QTest::newRow("server never answers") << Answer{200, {}, {}, true} << "Something went wrong. Please try again."
                                          << QStringList{"SignIn Error: The request timed out."};
}

void TestSignInFailures::failureMessages()
{
    QFETCH(Answer, answer);
    QFETCH(QString, message);
    QFETCH(QStringList, log);

    ScriptedHttpServer server;
    QVERIFY(server.listen());
    server.setAnswer(answer);
    TempPreferences preferences;
    AuthManager auth({server.url(), QStringLiteral("anon-key")}, preferences.store());
    auth.client().setTimeout(1500);
    auth.setShouldShowLogin(true);
    LogCapture capture;

    const Result<Done> result = await<Done>([&](const auto &done) {
        auth.signIn(QStringLiteral("user@example.com"), QStringLiteral("secret"), done);
    });
    QVERIFY(!result.ok());
    QCOMPARE(auth.errorMessage(), std::optional<QString>(message));
    QCOMPARE(capture.lines(), log);
    QVERIFY(auth.isGuestMode());
    QVERIFY(auth.shouldShowLogin());
    QVERIFY(!auth.session());
}

void TestSignInFailures::requestCarriesKeyAndBody()
{
    ScriptedHttpServer server;
    QVERIFY(server.listen());
    server.setAnswer({401, {}, {}, false});
    TempPreferences preferences;
    AuthManager auth({server.url(), QStringLiteral("anon-key")}, preferences.store());
    await<Done>([&](const auto &done) { auth.signIn(QStringLiteral("a@b.co"), QStringLiteral("p\"w"), done); });
    QCOMPARE(server.requests().size(), 1);
    const QByteArray request = server.requests().first();
    QVERIFY(request.startsWith("POST /functions/v1/login-session HTTP/1.1\r\n"));
    QVERIFY(request.contains("\r\napikey: anon-key\r\n"));
    QVERIFY(request.contains("\r\nAuthorization: Bearer anon-key\r\n"));
    const QJsonObject body = QJsonDocument::fromJson(request.mid(request.indexOf("\r\n\r\n") + 4)).object();
    QCOMPARE(body, (QJsonObject{{QStringLiteral("email"), QStringLiteral("a@b.co")},
                               {QStringLiteral("password"), QStringLiteral("p\"w")}}));
}

void TestSignInFailures::unconfiguredServiceFailsAtOnce()
{
    TempPreferences preferences;
    AuthManager auth(BackendConfig{}, preferences.store());
    LogCapture capture;
    const Result<Done> result = await<Done>([&](const auto &done) {
        auth.signIn(QStringLiteral("user@example.com"), QStringLiteral("secret"), done);
    });
    QVERIFY(!result.ok());
    QCOMPARE(result.error().kind, BackendError::Kind::notConfigured);
    QCOMPARE(auth.errorMessage(), std::optional<QString>(QStringLiteral("Something went wrong. Please try again.")));
    QCOMPARE(capture.lines().size(), 1);
    QVERIFY(capture.lines().first().startsWith(QStringLiteral("SignIn Error: No account service is configured")));

    const Result<Done> signUp = await<Done>([&](const auto &done) {
        auth.signUp(QStringLiteral("user@example.com"), QStringLiteral("secret"), done);
    });
    QCOMPARE(signUp.error().kind, BackendError::Kind::notConfigured);
}

QTEST_GUILESS_MAIN(TestSignInFailures)
#include "tst_signinfailures.moc"
