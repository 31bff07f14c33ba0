#include "platform/globalshortcuts.h"
#include "platform/portal/portaldesktopservices.h"
#include "platform/portal/portalscreensampler.h"
#include "platform/shortcutstore.h"
#include "support/temppreferences.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QTest>
#include <QSemaphore>
#include <QSignalSpy>
#include <QThread>
#include <QTimer>

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");

struct Rgb {
    double red = 0, green = 0, blue = 0;
};

QDBusArgument &operator<<(QDBusArgument &argument, const Rgb &rgb)
{
    argument.beginStructure();
    argument << rgb.red << rgb.green << rgb.blue;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, Rgb &rgb)
{
    argument.beginStructure();
    argument >> rgb.red >> rgb.green >> rgb.blue;
    argument.endStructure();
    return argument;
}

} // namespace

Q_DECLARE_METATYPE(Rgb)

// The desktop portal's Screenshot interface as a desktop answers it: the
// request object at the path the caller's token names sends Response.
class FakeScreenshotPortal : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Screenshot")
    Q_PROPERTY(uint version READ version)

public:
    FakeScreenshotPortal(const QDBusConnection &bus, uint code, const QVariantMap &results)
        : m_bus(bus), m_code(code), m_results(results)
    {
    }
    uint version() const { return 2; }

public slots:
    QDBusObjectPath PickColor(const QString &, const QVariantMap &options, const QDBusMessage &message)
    {
        QString sender = message.service().mid(1);
        sender.replace(u'.', u'_');
        const QString path = portalPath + QStringLiteral("/request/%1/%2")
                                              .arg(sender, options.value(QStringLiteral("handle_token")).toString());
        // The answer comes later, as the user clicks.
        QTimer::singleShot(20, this, [this, path] {
            QDBusMessage response = QDBusMessage::createSignal(path, QStringLiteral("org.freedesktop.portal.Request"),
                                                               QStringLiteral("Response"));
            response << m_code << m_results;
            m_bus.send(response);
        });
        return QDBusObjectPath(path);
    }

private:
    QDBusConnection m_bus;
    uint m_code;
    QVariantMap m_results;
};

// Serves the fake portal from a thread of its own, so that blocking calls
// of the code under test get their answers.
class PortalThread : public QThread
{
public:
    PortalThread(uint code, const QVariantMap &results) : m_code(code), m_results(results)
    {
        start();
        m_ready.acquire();
    }
    ~PortalThread() override
    {
        quit();
        wait();
    }

protected:
    void run() override
    {
        const QString name = QStringLiteral("portal");
        {
            QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, name);
            FakeScreenshotPortal portal(bus, m_code, m_results);
            bus.registerObject(portalPath, &portal, QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties);
            bus.registerService(portalService);
            m_ready.release();
            exec();
            bus.unregisterService(portalService);
        }
        QDBusConnection::disconnectFromBus(name);
    }

private:
    uint m_code;
    QVariantMap m_results;
    QSemaphore m_ready;
};

class TestPortalScreenSampler : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qDBusRegisterMetaType<Rgb>(); }

    void answers_data();
    void answers();
    void noPortal();
    void shortcutsAreLeftToTheDesktop();

private:
    static QList<std::optional<ColorValue>> pick();
};

QList<std::optional<ColorValue>> TestPortalScreenSampler::pick()
{
    QList<std::optional<ColorValue>> answers;
    PortalScreenSampler sampler;
    sampler.show([&](std::optional<ColorValue> color) { answers << color; });
    QTest::qWaitFor([&] { return !answers.isEmpty(); }, 5000);
    QTest::qWait(50);
    return answers;
}

void TestPortalScreenSampler::answers_data()
{
    QTest::addColumn<uint>("code");
    QTest::addColumn<QVariantMap>("results");
    QTest::addColumn<std::optional<ColorValue>>("expected");
    const QVariant picked = QVariant::fromValue(Rgb{26 / 255.0, 43 / 255.0, 60 / 255.0});
    QTest::newRow("picked") << 0u << QVariantMap{{"color", picked}}
                            << std::optional(ColorValue::clipped(26 / 255.0, 43 / 255.0, 60 / 255.0));
    QTest::newRow("out of range is clipped") << 0u << QVariantMap{{"color", QVariant::fromValue(Rgb{1.2, -0.1, 0.5})}}
                                             << std::optional(ColorValue{1, 0, 0.5, 1});
    QTest::newRow("cancelled") << 1u << QVariantMap{{"color", picked}} << std::optional<ColorValue>();
    QTest::newRow("failed") << 2u << QVariantMap() << std::optional<ColorValue>();
    QTest::newRow("no colour") << 0u << QVariantMap() << std::optional<ColorValue>();
    QTest::newRow("colour of the wrong type") << 0u << QVariantMap{{"color", QStringLiteral("#1A2B3C")}}
                                              << std::optional<ColorValue>();
}

void TestPortalScreenSampler::answers()
{
    QFETCH(uint, code);
    QFETCH(QVariantMap, results);
    QFETCH(std::optional<ColorValue>, expected);
    PortalThread portal(code, results);
    PortalDesktopServices services;
    QVERIFY(services.canCaptureScreen());
    const auto answers = pick();
    QCOMPARE(answers.size(), 1);
    QCOMPARE(answers.first(), expected);
}

void TestPortalScreenSampler::noPortal()
{
    PortalDesktopServices services;
    QVERIFY(!services.canCaptureScreen());
    const auto answers = pick();
    QCOMPARE(answers.size(), 1);
    QCOMPARE(answers.first(), std::nullopt);
}

void TestPortalScreenSampler::shortcutsAreLeftToTheDesktop()
{
    TempPreferences preferences;
    ShortcutStore store(preferences.store());
    PortalDesktopServices services;
    const auto shortcuts = services.createGlobalShortcuts(store);
    QSignalSpy failed(shortcuts.get(), &GlobalShortcuts::registrationFailed);
    store.setCombination(QStringLiteral("slot1"), KeyCombination::fromDisplayText(QStringLiteral("Ctrl+1")));
    shortcuts->setHandler(QStringLiteral("slot1"), [] { QFAIL("no key is grabbed on this desktop"); });
    QCOMPARE(failed.size(), 0);
}

QTEST_GUILESS_MAIN(TestPortalScreenSampler)
#include "tst_portalscreensampler.moc"
