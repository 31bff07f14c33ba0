#include "platform/portal/portaldesktopappearance.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QSignalSpy>
#include <QTest>

Q_DECLARE_METATYPE(PreferredColorScheme)

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString settingsInterface = QStringLiteral("org.freedesktop.portal.Settings");
const QString appearanceGroup = QStringLiteral("org.freedesktop.appearance");
const QString colorScheme = QStringLiteral("color-scheme");

QVariant wrapped(const QVariant &value) { return QVariant::fromValue(QDBusVariant(value)); }

QDBusMessage readColorScheme()
{
    QDBusMessage read = QDBusMessage::createMethodCall(portalService, portalPath, settingsInterface,
                                                       QStringLiteral("Read"));
    read << appearanceGroup << colorScheme;
    return read;
}

} // namespace

// The portal's Settings interface holding one value, color-scheme, in the
// variant Read answers: a variant again, or the plain value as ReadOne has it.
// Anything else is not found, as on a portal without it.
class FakeSettingsPortal : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Settings")

public:
    explicit FakeSettingsPortal(const QVariant &answer) : m_answer(answer) {}

public slots:
    QDBusVariant Read(const QString &group, const QString &key)
    {
        if (group != appearanceGroup || key != colorScheme)
            sendErrorReply(QStringLiteral("org.freedesktop.portal.Error.NotFound"), QStringLiteral("no such setting"));
        return QDBusVariant(m_answer);
    }

private:
    QVariant m_answer;
};

// The portal on a connection of its own; the code under test asks without
// waiting, so it can be served from this thread.
class FakePortal
{
public:
    explicit FakePortal(const QVariant &answer) : m_settings(answer)
    {
        m_bus.registerObject(portalPath, &m_settings, QDBusConnection::ExportAllSlots);
        m_bus.registerService(portalService);
    }
    ~FakePortal()
    {
        m_bus.unregisterService(portalService);
        m_bus.unregisterObject(portalPath);
        QDBusConnection::disconnectFromBus(name);
    }

    void settingChanged(const QString &group, const QString &key, const QVariant &value)
    {
        QDBusMessage signal =
            QDBusMessage::createSignal(portalPath, settingsInterface, QStringLiteral("SettingChanged"));
        signal << group << key << wrapped(value);
        m_bus.send(signal);
    }

private:
    static inline const QString name = QStringLiteral("portal");
    QDBusConnection m_bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, name);
    FakeSettingsPortal m_settings;
};

class TestPortalDesktopAppearance : public QObject
{
    Q_OBJECT

private slots:
    void initialValue_data();
    void initialValue();
    void noPortal();
    void followsChangesOfColorSchemeOnly();

private:
    static void settle();
};

// Answers come in the order asked: once a later question is answered, so is
// the one the appearance asked when it was made.
void TestPortalDesktopAppearance::settle()
{
    QDBusPendingCallWatcher later(QDBusConnection::sessionBus().asyncCall(readColorScheme()));
    QSignalSpy answered(&later, &QDBusPendingCallWatcher::finished);
    QVERIFY(answered.wait());
}

void TestPortalDesktopAppearance::initialValue_data()
{
    QTest::addColumn<QVariant>("answer");
    QTest::addColumn<PreferredColorScheme>("expected");

    QTest::newRow("nested variant: dark") << wrapped(1u) << PreferredColorScheme::dark;
    QTest::newRow("nested variant: light") << wrapped(2u) << PreferredColorScheme::light;
    QTest::newRow("nested variant: no preference") << wrapped(0u) << PreferredColorScheme::noPreference;
    QTest::newRow("plain variant: dark") << QVariant(1u) << PreferredColorScheme::dark;
    QTest::newRow("plain variant: light") << QVariant(2u) << PreferredColorScheme::light;
    QTest::newRow("unknown number") << wrapped(3u) << PreferredColorScheme::noPreference;
    QTest::newRow("signed") << wrapped(1) << PreferredColorScheme::dark;
    QTest::newRow("signed, unknown") << wrapped(-1) << PreferredColorScheme::noPreference;
    QTest::newRow("byte") << wrapped(QVariant::fromValue(uchar(2))) << PreferredColorScheme::light;
    QTest::newRow("text") << wrapped(QStringLiteral("prefer-dark")) << PreferredColorScheme::noPreference;
}

void TestPortalDesktopAppearance::initialValue()
{
    QFETCH(QVariant, answer);
    QFETCH(PreferredColorScheme, expected);

    FakePortal portal(answer);
    PortalDesktopAppearance appearance;
    QSignalSpy changed(&appearance, &DesktopAppearance::colorSchemeChanged);
    QCOMPARE(appearance.colorScheme(), PreferredColorScheme::noPreference);
    settle();
    QCOMPARE(appearance.colorScheme(), expected);
    QCOMPARE(changed.size(), expected == PreferredColorScheme::noPreference ? 0 : 1);
}

void TestPortalDesktopAppearance::noPortal()
{
    PortalDesktopAppearance appearance;
    settle();
    QCOMPARE(appearance.colorScheme(), PreferredColorScheme::noPreference);
}

void TestPortalDesktopAppearance::followsChangesOfColorSchemeOnly()
{
    FakePortal portal(wrapped(2u));
    PortalDesktopAppearance appearance;
    settle();
    QSignalSpy changed(&appearance, &DesktopAppearance::colorSchemeChanged);

    portal.settingChanged(appearanceGroup, colorScheme, 1u);
    QVERIFY(changed.wait());
    QCOMPARE(appearance.colorScheme(), PreferredColorScheme::dark);

    // Signals arrive in the order sent: the last one shows the others were
    // heard and left alone.
    portal.settingChanged(appearanceGroup, QStringLiteral("accent-color"), 2u);
    portal.settingChanged(QStringLiteral("org.gnome.desktop.interface"), colorScheme, 2u);
    portal.settingChanged(appearanceGroup, colorScheme, 1u);
    portal.settingChanged(appearanceGroup, colorScheme, QStringLiteral("light"));
    QVERIFY(changed.wait());
    QCOMPARE(changed.size(), 2);
    QCOMPARE(appearance.colorScheme(), PreferredColorScheme::noPreference);
}

QTEST_GUILESS_MAIN(TestPortalDesktopAppearance)
#include "tst_portaldesktopappearance.moc"
