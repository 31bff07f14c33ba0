#include "backendhttp.h"
#include "jwtcodec.h"
#include "localbackend.h"

#include <QDateTime>
#include <QFile>
#include <QTest>

#include <memory>

namespace {

const QString takenEmail = "taken@example.com";
const QString password = "correct horse";
// The database cannot hold a NUL; such input must be refused, never cut short or logged.
const QString nulPassword = QString("nul-secret") + QChar(0) + "tail";

struct ListeningSocket
{
    QString address;
    quint16 port;
};

// The listening TCP sockets of this machine, from the kernel's tables (hex "0100007F:1F90").
QList<ListeningSocket> listeningSockets()
{
    QList<ListeningSocket> sockets;
    for (const char *table : {"/proc/net/tcp", "/proc/net/tcp6"}) {
        QFile file(table);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        file.readLine();
        while (!file.atEnd()) {
            const QList<QByteArray> fields = file.readLine().simplified().split(' ');
            if (fields.size() < 4 || fields[3] != "0A")
                continue;
            const QList<QByteArray> local = fields[1].split(':');
            sockets.append({QString::fromLatin1(local[0]), local[1].toUShort(nullptr, 16)});
        }
    }
    return sockets;
}

} // namespace

class TestAuthApi : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void signUp_data();
    void signUp();
    void passwordGrant_data();
    void passwordGrant();
    void sessionCarriesUserAndSignedClaims();
    void refreshTokensRotate();
    void userEndpoint_data();
    void userEndpoint();
    void logoutRevokesRefreshTokens_data();
    void logoutRevokesRefreshTokens();
    void apiKeyRequired_data();
    void apiKeyRequired();
    void listensOnLoopbackOnly();
    void logHoldsNoTokenOrPassword();

private:
    LocalBackend backend;
    std::unique_ptr<BackendHttp> http;
    QList<QByteArray> issuedTokens; // must never show up in the server's log
    QJsonObject remember(const QJsonObject &session);
};

QJsonObject TestAuthApi::remember(const QJsonObject &session)
{
    issuedTokens << session.value("access_token").toString().toUtf8()
                 << session.value("refresh_token").toString().toUtf8();
    return session;
}

void TestAuthApi::initTestCase()
{
    QVERIFY2(backend.start(), qPrintable(backend.errorString()));
    http = std::make_unique<BackendHttp>(backend);
    QCOMPARE(http->signUp(takenEmail, password).status, 200);
}

void TestAuthApi::signUp_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("errorCode");
    QTest::addColumn<QString>("message");

    const auto body = [](const QString &email, const QString &password) {
        return json({{"email", email}, {"password", password}});
    };
    QTest::newRow("new account") << body("new@example.com", "secret") << 200 << "" << "";
    QTest::newRow("duplicate") << body(takenEmail, "another secret") << 422 << "user_already_exists"
                               << "User already registered";
    QTest::newRow("duplicate in other case")
        << body(" Taken@Example.COM", "another secret") << 422 << "user_already_exists"
        << "User already registered";
    QTest::newRow("five characters") << body("short@example.com", "12345") << 422 << "weak_password"
                                     << "Password should be at least 6 characters.";
    QTest::newRow("five characters, not bytes")
        << body("accents@example.com", QString::fromUtf8("ééééé")) << 422 << "weak_password"
        << "Password should be at least 6 characters.";
    QTest::newRow("no password") << json({{"email", "nopass@example.com"}}) << 422 << "weak_password"
                                 << "Password should be at least 6 characters.";
    QTest::newRow("beyond bcrypt's 72 bytes") << body("long@example.com", QString(73, 'x')) << 422
                                              << "validation_failed"
                                              << "Password cannot be longer than 72 characters";
    QTest::newRow("no @") << body("nobody.example.com", "secret") << 400 << "validation_failed"
                          << "Unable to validate email address: invalid format";
    QTest::newRow("no domain dot") << body("a@localhost", "secret") << 400 << "validation_failed"
                                   << "Unable to validate email address: invalid format";
    QTest::newRow("not JSON") << QByteArray("{email:") << 400 << "bad_json"
                              << "Could not parse request body as JSON";
    QTest::newRow("NUL in password") << body("nul@example.com", nulPassword) << 422
                                     << "weak_password"
                                     << "Password should be at least 6 characters.";
    QTest::newRow("NUL in address") << body(QString("nul") + QChar(0) + "@example.com", password)
                                    << 400 << "validation_failed"
                                    << "Unable to validate email address: invalid format";
}

void TestAuthApi::signUp()
{
    QFETCH(QByteArray, body);
    QFETCH(int, status);
    QFETCH(QString, errorCode);

    const HttpReply reply = http->post("/auth/v1/signup", body);
    QCOMPARE(reply.status, status);
    if (status == 200) {
        const QJsonObject session = remember(reply.object());
        QVERIFY(!session.value("access_token").toString().isEmpty());
        QCOMPARE(session.value("user").toObject().value("email").toString(),
                 QString("new@example.com"));
        return;
    }
    QCOMPARE(reply.object().value("code").toInt(), status);
    QCOMPARE(reply.object().value("error_code").toString(), errorCode);
    QTEST(reply.object().value("msg").toString(), "message");
}

void TestAuthApi::passwordGrant_data()
{
    QTest::addColumn<QJsonObject>("credentials");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("right password") << QJsonObject{{"email", takenEmail}, {"password", password}}
                                    << true;
    QTest::newRow("address in other case")
        << QJsonObject{{"email", "TAKEN@example.com"}, {"password", password}} << true;
    QTest::newRow("wrong password") << QJsonObject{{"email", takenEmail}, {"password", "wrong horse"}}
                                    << false;
    QTest::newRow("password in other case")
        << QJsonObject{{"email", takenEmail}, {"password", password.toUpper()}} << false;
    QTest::newRow("unknown address")
        << QJsonObject{{"email", "nobody@example.com"}, {"password", password}} << false;
    QTest::newRow("no password") << QJsonObject{{"email", takenEmail}} << false;
    QTest::newRow("password not a string")
        << QJsonObject{{"email", takenEmail}, {"password", 12345678}} << false;
    QTest::newRow("NUL in password") << QJsonObject{{"email", takenEmail}, {"password", nulPassword}}
                                     << false;
    QTest::newRow("NUL in address")
        << QJsonObject{{"email", takenEmail + QChar(0)}, {"password", nulPassword}} << false;
}

void TestAuthApi::passwordGrant()
{
    QFETCH(QJsonObject, credentials);
    QFETCH(bool, accepted);

    const HttpReply reply = http->post("/auth/v1/token?grant_type=password", json(credentials));
    if (accepted) {
        QCOMPARE(reply.status, 200);
        remember(reply.object());
        return;
    }
    QCOMPARE(reply.status, 400);
    QCOMPARE(reply.object(), (QJsonObject{{"error", "invalid_grant"},
                                          {"error_description", "Invalid login credentials"}}));
}

void TestAuthApi::sessionCarriesUserAndSignedClaims()
{
    const qint64 before = QDateTime::currentSecsSinceEpoch();
    const QJsonObject session = remember(http->signIn(takenEmail, password));
    const QJsonObject user = session.value("user").toObject();
    QCOMPARE(session.value("token_type").toString(), QString("bearer"));
    QCOMPARE(session.value("expires_in").toInt(), 3600);
    QVERIFY(session.value("expires_at").toInteger() >= before + 3600);
    QVERIFY(!session.value("refresh_token").toString().isEmpty());
    QVERIFY(!QUuid::fromString(user.value("id").toString()).isNull());
    QCOMPARE(user.value("aud").toString(), QString("authenticated"));
    QCOMPARE(user.value("role").toString(), QString("authenticated"));
    QCOMPARE(user.value("email").toString(), takenEmail);
    for (const char *stamp : {"email_confirmed_at", "created_at", "updated_at"})
        QVERIFY2(QDateTime::fromString(user.value(stamp).toString(), Qt::ISODateWithMs).isValid(),
                 stamp);

    const QByteArray accessToken = session.value("access_token").toString().toUtf8();
    const auto verified = JwtCodec(backend.jwtSecret()).verify(accessToken, before);
    QVERIFY2(verified.claims, qPrintable(verified.error));
    QCOMPARE(verified.claims->value("sub").toString(), user.value("id").toString());
    QCOMPARE(verified.claims->value("email").toString(), takenEmail);
    QCOMPARE(verified.claims->value("role").toString(), QString("authenticated"));
    QCOMPARE(verified.claims->value("aud").toString(), QString("authenticated"));
    QCOMPARE(verified.claims->value("exp").toInteger(), session.value("expires_at").toInteger());
    QVERIFY(!verified.claims->value("session_id").toString().isEmpty());
}

void TestAuthApi::refreshTokensRotate()
{
    const QJsonObject first = remember(http->signIn(takenEmail, password));
    const auto refresh = [this](const QJsonValue &token) {
        return http->post("/auth/v1/token?grant_type=refresh_token",
                          json({{"refresh_token", token}}));
    };

    const HttpReply second = refresh(first.value("refresh_token"));
    QCOMPARE(second.status, 200);
    remember(second.object());
    QVERIFY(second.object().value("refresh_token") != first.value("refresh_token"));
    QCOMPARE(second.object().value("user").toObject().value("id"),
             first.value("user").toObject().value("id"));
    const auto sessionOf = [](const QJsonObject &session) {
        return tokenClaims(session.value("access_token").toString().toUtf8()).value("session_id");
    };
    QCOMPARE(sessionOf(second.object()), sessionOf(first));

    const HttpReply reused = refresh(first.value("refresh_token"));
    QCOMPARE(reused.status, 400);
    QCOMPARE(reused.object().value("error_description").toString(),
             QString("Invalid Refresh Token: Already Used"));

    const HttpReply third = refresh(second.object().value("refresh_token"));
    QCOMPARE(third.status, 200);
    remember(third.object());

    for (const QString &unknownToken : {QString("never-issued"), QString("nul") + QChar(0)}) {
        const HttpReply unknown = refresh(unknownToken);
        QCOMPARE(unknown.status, 400);
        QCOMPARE(unknown.object().value("error_description").toString(),
                 QString("Invalid Refresh Token: Refresh Token Not Found"));
    }
}

void TestAuthApi::userEndpoint_data()
{
    QTest::addColumn<QByteArray>("authorization");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("errorCode");

    const QJsonObject session = remember(http->signIn(takenEmail, password));
    const QByteArray accessToken = session.value("access_token").toString().toUtf8();
    QJsonObject expiredClaims = tokenClaims(accessToken);
    expiredClaims["exp"] = QDateTime::currentSecsSinceEpoch() - 10;
    QByteArray altered = accessToken;
    altered[altered.size() - 2] = altered.at(altered.size() - 2) == 'A' ? 'B' : 'A';

    QTest::newRow("valid") << "Bearer " + accessToken << 200 << "";
    QTest::newRow("scheme in lower case") << "bearer " + accessToken << 200 << "";
    QTest::newRow("none") << QByteArray() << 401 << "no_authorization";
    QTest::newRow("not a token") << QByteArray("Bearer nonsense") << 401 << "bad_jwt";
    QTest::newRow("signature altered") << "Bearer " + altered << 401 << "bad_jwt";
    QTest::newRow("expired") << "Bearer " + JwtCodec(backend.jwtSecret()).sign(expiredClaims) << 401
                             << "bad_jwt";
    QTest::newRow("foreign secret")
        << "Bearer " + JwtCodec("a-foreign-secret-of-thirty-two-characters").sign(tokenClaims(accessToken))
        << 401 << "bad_jwt";
    QTest::newRow("anon key") << "Bearer " + backend.anonKey() << 401 << "bad_jwt";
}

void TestAuthApi::userEndpoint()
{
    QFETCH(QByteArray, authorization);
    QFETCH(int, status);

    BackendHttp::Headers headers{{"apikey", backend.anonKey()}};
    if (!authorization.isEmpty())
        headers.append({"Authorization", authorization});
    const HttpReply reply = http->send("GET", "/auth/v1/user", {}, headers);
    QCOMPARE(reply.status, status);
    if (status == 200) {
        QCOMPARE(reply.object().value("email").toString(), takenEmail);
        return;
    }
    QTEST(reply.object().value("error_code").toString(), "errorCode");
    QCOMPARE(reply.object().value("code").toInt(), status);
}

void TestAuthApi::logoutRevokesRefreshTokens_data()
{
    QTest::addColumn<QString>("scope");
    QTest::addColumn<bool>("ownSessionEnds");
    QTest::addColumn<bool>("otherSessionEnds");

    QTest::newRow("default is global") << "" << true << true;
    QTest::newRow("global") << "global" << true << true;
    QTest::newRow("local") << "local" << true << false;
    QTest::newRow("others") << "others" << false << true;
}

void TestAuthApi::logoutRevokesRefreshTokens()
{
    QFETCH(QString, scope);
    QFETCH(bool, ownSessionEnds);
    QFETCH(bool, otherSessionEnds);

    const QString email = QString("logout-%1@example.com").arg(QTest::currentDataTag()).remove(' ');
    QCOMPARE(http->signUp(email, password).status, 200);
    const QJsonObject own = remember(http->signIn(email, password));
    const QJsonObject other = remember(http->signIn(email, password));
    const QByteArray accessToken = own.value("access_token").toString().toUtf8();

    const HttpReply logout = http->post(
        "/auth/v1/logout" + (scope.isEmpty() ? QString() : "?scope=" + scope), {}, accessToken);
    QCOMPARE(logout.status, 204);
    QVERIFY(logout.body.isEmpty());

    const auto refreshStatus = [this](const QJsonObject &session) {
        return http->post("/auth/v1/token?grant_type=refresh_token",
                          json({{"refresh_token", session.value("refresh_token")}}))
            .status;
    };
    QCOMPARE(refreshStatus(own), ownSessionEnds ? 400 : 200);
    QCOMPARE(refreshStatus(other), otherSessionEnds ? 400 : 200);
    QCOMPARE(http->get("/auth/v1/user", accessToken).status, ownSessionEnds ? 403 : 200);
}

void TestAuthApi::apiKeyRequired_data()
{
    QTest::addColumn<QByteArray>("method");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QByteArray>("apiKey");

    const QJsonObject session = remember(http->signIn(takenEmail, password));
    const QByteArray accessToken = session.value("access_token").toString().toUtf8();
    const QByteArray foreignKey =
        JwtCodec("a-foreign-secret-of-thirty-two-characters").sign({{"role", "anon"}});
    const QList<QPair<QByteArray, QString>> endpoints{
        {"POST", "/auth/v1/signup"},
        {"POST", "/auth/v1/token?grant_type=password"},
        {"GET", "/auth/v1/user"},
        {"POST", "/functions/v1/login-session"},
        {"GET", "/rest/v1/user_settings"},
        {"GET", "/no/such/route"},
    };
    for (const auto &[method, target] : endpoints) {
        QTest::addRow("%s %s without key", method.constData(), qPrintable(target))
            << method << target << QByteArray();
        QTest::addRow("%s %s with foreign key", method.constData(), qPrintable(target))
            << method << target << foreignKey;
    }
    QTest::newRow("access token as key") << QByteArray("GET") << "/auth/v1/user" << accessToken;
    QTest::newRow("garbage key") << QByteArray("GET") << "/auth/v1/user" << QByteArray("garbage");
}

void TestAuthApi::apiKeyRequired()
{
    QFETCH(QByteArray, method);
    QFETCH(QString, target);
    QFETCH(QByteArray, apiKey);

    BackendHttp::Headers headers{{"Content-Type", "application/json"}};
    if (!apiKey.isEmpty())
        headers.append({"apikey", apiKey});
    const HttpReply reply = http->send(method, target,
                                       json({{"email", "x@example.com"}, {"password", "secret"}}),
                                       headers);
    QCOMPARE(reply.status, 401);
    QVERIFY(!reply.object().value("message").toString().isEmpty());
}

void TestAuthApi::listensOnLoopbackOnly()
{
    const QList<ListeningSocket> sockets = listeningSockets();
    for (const quint16 port : {quint16(backend.url().port()), backend.databasePort()}) {
        int found = 0;
        for (const ListeningSocket &socket : sockets) {
            if (socket.port != port)
                continue;
            ++found;
            QCOMPARE(socket.address, QString("0100007F")); // 127.0.0.1, in the kernel's byte order
        }
        QVERIFY2(found > 0, qPrintable(QString("nothing listens on port %1").arg(port)));
    }
}

void TestAuthApi::logHoldsNoTokenOrPassword()
{
    const QString log = backend.serverLog();
    QVERIFY(log.contains("POST /auth/v1/token?grant_type=password 200"));
    QVERIFY(!issuedTokens.isEmpty());
    for (const QByteArray &token : std::as_const(issuedTokens))
        QVERIFY2(!log.contains(QString::fromUtf8(token)), "a token was logged");
    QVERIFY(!log.contains(password));
    QVERIFY(!log.contains("nul-secret"));
}

QTEST_GUILESS_MAIN(TestAuthApi)
#include "tst_authapi.moc"
