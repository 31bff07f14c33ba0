#include "databasesettings.h"
#include "jwtcodec.h"

#include <QJsonDocument>
#include <QMessageAuthenticationCode>
#include <QTest>

namespace {

const QByteArray secret = "a-test-secret-of-more-than-thirty-two-characters";
constexpr qint64 now = 1900000000;

QByteArray segment(const QByteArray &json)
{
    return json.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals);
}

// An HS256 token over arbitrary header and payload texts, signed with the test secret.
QByteArray handMade(const QByteArray &header, const QByteArray &payload)
{
    const QByteArray input = segment(header) + '.' + segment(payload);
    return input + '.'
        + segment(QMessageAuthenticationCode::hash(input, secret, QCryptographicHash::Sha256));
}

} // namespace

class TestBackendUnits : public QObject
{
    Q_OBJECT

private slots:
    void jwtSignedTokensVerify();
    void jwtReadsTheStandardExample();
    void jwtRefusals_data();
    void jwtRefusals();
    void databaseSettings_data();
    void databaseSettings();
    void databaseSettingsRefusals_data();
    void databaseSettingsRefusals();
};

void TestBackendUnits::jwtSignedTokensVerify()
{
    const JwtCodec codec(secret);
    const QJsonObject claims{{"sub", "8d1b6f3e"}, {"role", "authenticated"}, {"exp", now + 60}};
    const auto verified = codec.verify(codec.sign(claims), now);
    QVERIFY2(verified.claims, qPrintable(verified.error));
    QCOMPARE(*verified.claims, claims);
}

// The HS256 example of RFC 7515 (appendix A.1), produced by another implementation.
void TestBackendUnits::jwtReadsTheStandardExample()
{
    const QByteArray key = QByteArray::fromBase64(
        "AyM1SysPpbyDfgZld3umj1qzKObwVMkoqQ-EstJQLr_T-1qS0gZH75aKtMN3Yj0iPS4hcgUuTwjAzZr1Z9CAow",
        QByteArray::Base64UrlEncoding);
    const QByteArray token =
        "eyJ0eXAiOiJKV1QiLA0KICJhbGciOiJIUzI1NiJ9"
        ".eyJpc3MiOiJqb2UiLA0KICJleHAiOjEzMDA4MTkzODAsDQogImh0dHA6Ly9leGFtcGxlLmNvbS9pc19yb290Ijp0cnVlfQ"
        ".dBjftJeZ4CVP-mB92K27uhbUJU1p1r_wW1gFWFOEjXk";
    const JwtCodec codec(key);
    const auto verified = codec.verify(token, 1300819379);
    QVERIFY2(verified.claims, qPrintable(verified.error));
    QCOMPARE(verified.claims->value("iss").toString(), QString("joe"));
    QVERIFY(!codec.verify(token, 1300819380).claims);
}

void TestBackendUnits::jwtRefusals_data()
{
    QTest::addColumn<QByteArray>("token");

    const JwtCodec codec(secret);
    const QByteArray valid = codec.sign({{"sub", "alice"}, {"exp", now + 60}});
    const QList<QByteArray> parts = valid.split('.');
    const QByteArray otherPayload = codec.sign({{"sub", "mallory"}, {"exp", now + 60}}).split('.')[1];
    QByteArray flipped = valid;
    flipped[flipped.size() - 2] = flipped.at(flipped.size() - 2) == 'A' ? 'B' : 'A';

    QTest::newRow("expired") << codec.sign({{"exp", now}});
    QTest::newRow("expiry not a number") << codec.sign({{"exp", "tomorrow"}});
    QTest::newRow("other secret")
        << JwtCodec("another-secret-of-more-than-thirty-two-chars").sign({{"sub", "alice"}});
    QTest::newRow("payload swapped") << parts[0] + '.' + otherPayload + '.' + parts[2];
    QTest::newRow("signature altered") << flipped;
    QTest::newRow("signature missing") << parts[0] + '.' + parts[1] + '.';
    QTest::newRow("alg none") << segment(R"({"alg":"none"})") + '.' + parts[1] + '.';
    QTest::newRow("alg HS512 claimed") << handMade(R"({"alg":"HS512"})", R"({"sub":"alice"})");
    QTest::newRow("payload not an object") << handMade(R"({"alg":"HS256"})", "[1,2]");
    QTest::newRow("payload not JSON") << handMade(R"({"alg":"HS256"})", "sub=alice");
    QTest::newRow("two segments") << parts[0] + '.' + parts[1];
    QTest::newRow("four segments") << valid + ".x";
    QTest::newRow("not base64") << QByteArray("###.$$$.%%%");
    QTest::newRow("empty") << QByteArray();
}

void TestBackendUnits::jwtRefusals()
{
    QFETCH(QByteArray, token);
    const auto verified = JwtCodec(secret).verify(token, now);
    QVERIFY(!verified.claims);
    QVERIFY(!verified.error.isEmpty());
}

void TestBackendUnits::databaseSettings_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("options");

    QTest::newRow("empty keeps defaults") << "" << "" << 5432 << "tintora" << "" << "";
    QTest::newRow("all keys") << "host=/run/pg port=5433 dbname=db user=me" << "/run/pg" << 5433
                              << "db" << "me" << "";
    QTest::newRow("spaces around =") << "host = /run/pg  port= 6000" << "/run/pg" << 6000
                                     << "tintora" << "" << "";
    QTest::newRow("quoted with space") << "host='/home/a b/pg' user=x" << "/home/a b/pg" << 5432
                                       << "tintora" << "x" << "";
    QTest::newRow("escaped quote") << R"(user='o\'brien')" << "" << 5432 << "tintora"
                                   << "o'brien" << "";
    QTest::newRow("other keys pass through") << "sslmode=disable connect_timeout=5" << "" << 5432
                                             << "tintora" << "" << "sslmode=disable;connect_timeout=5";
}

void TestBackendUnits::databaseSettings()
{
    QFETCH(QString, text);
    QString error;
    const auto settings = DatabaseSettings::parse(text, &error);
    QVERIFY2(settings, qPrintable(error));
    QTEST(settings->host, "host");
    QTEST(settings->port, "port");
    QTEST(settings->name, "name");
    QTEST(settings->user, "user");
    QTEST(settings->options, "options");
}

void TestBackendUnits::databaseSettingsRefusals_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("port not a number") << "port=abc";
    QTest::newRow("port out of range") << "port=70000";
    QTest::newRow("key without value") << "host";
    QTest::newRow("value without key") << "=x";
    QTest::newRow("unterminated quote") << "host='/tmp";
}

void TestBackendUnits::databaseSettingsRefusals()
{
    QFETCH(QString, text);
    QString error;
    QVERIFY(!DatabaseSettings::parse(text, &error));
    QVERIFY(!error.isEmpty());
}

QTEST_GUILESS_MAIN(TestBackendUnits)
#include "tst_backendunits.moc"
