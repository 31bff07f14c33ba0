#include "desktoptools.h"
#include "settings/palettes.h"

#include <QApplication>
#include <QMouseEvent>
#include <QProcess>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QWidget>

namespace {

QString app() { return QStringLiteral(TINTORA_APP); }

// A window of this process that the app must leave active and let clicks
// reach.
class Bystander : public QWidget
{
public:
    int clicks = 0;

protected:
    void mousePressEvent(QMouseEvent *) override { ++clicks; }
};

// A window painted #1A2B3C, to pick from.
class PaintedWindow : public QWidget
{
public:
    PaintedWindow() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint)
    {
        setGeometry(100, 100, 300, 200);
        setAutoFillBackground(true);
        QPalette colors = palette();
        colors.setColor(QPalette::Window, QColor(0x1A, 0x2B, 0x3C));
        setPalette(colors);
    }
};

} // namespace

// The real `tintora` on an X server with a window manager and a tray: a
// second start, command-line actions and the toast's manners.
class TestDesktopApp : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), m_home.path());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home.path());
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        m_environment = environment;
        // Prepared before the start, as a user's earlier sessions would have.
        {
            QSettings stored(configFile(), QSettings::IniFormat);
            stored.setValue(QStringLiteral("AutoCopyHex"), true);
            stored.setValue(QStringLiteral("MyPaletteColors"),
                            Palettes::encode(QList<MyPaletteColor>{{1, QStringLiteral("#AABBCC")}, {2, std::nullopt}}));
        }
        QCOMPARE(run({QStringLiteral("shortcuts"), QStringLiteral("set"), QStringLiteral("foregroundColor"),
                      QStringLiteral("ctrl+alt+p")}),
                 0);
        m_app.setProcessEnvironment(environment);
        m_app.setProcessChannelMode(QProcess::ForwardedChannels);
        m_app.start(app(), {});
        QVERIFY(m_app.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(!mainWindow().isEmpty(), 10000);
    }

    void secondStartReopensTheFirst()
    {
        const QString window = mainWindow();
        QVERIFY(xdotool({QStringLiteral("windowactivate"), QStringLiteral("--sync"), window}));
        QVERIFY(xdotool({QStringLiteral("key"), QStringLiteral("--window"), window, QStringLiteral("alt+F4")}));
        QTRY_VERIFY_WITH_TIMEOUT(mainWindow().isEmpty(), 5000);
        QCOMPARE(m_app.state(), QProcess::Running);

        QCOMPARE(run({}), 0);
        QTRY_VERIFY_WITH_TIMEOUT(!mainWindow().isEmpty(), 5000);
        QCOMPARE(m_app.state(), QProcess::Running);
    }

    void actionFlipsAlwaysOnTop()
    {
        QCOMPARE(run({QStringLiteral("--action"), QStringLiteral("alwaysOnTop")}), 0);
        QTRY_VERIFY_WITH_TIMEOUT(storedOnTop(), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(windowState(mainWindow()).contains("_NET_WM_STATE_ABOVE"), 5000);
        QCOMPARE(run({QStringLiteral("--action"), QStringLiteral("alwaysOnTop")}), 0);
        QTRY_VERIFY_WITH_TIMEOUT(!storedOnTop(), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(!windowState(mainWindow()).contains("_NET_WM_STATE_ABOVE"), 5000);
    }

    void toastKeepsFocusAwayAndLetsClicksThrough()
    {
        // A window of ours under the toast's place, active.
        Bystander bystander;
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        bystander.setGeometry(screen.center().x() - 300, screen.bottom() - 300, 600, 280);
        bystander.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bystander));
        const QString ours = QString::number(bystander.winId());
        QVERIFY(xdotool({QStringLiteral("windowactivate"), QStringLiteral("--sync"), ours}));
        // Where the toast will sit: bottom centre, above the usable area's bottom.
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        const QStringList clickThere = clickArguments(QPoint(area.center().x(), area.bottom() - 60 - 10));
        // Without a toast a click there reaches our window (once the window
        // manager has put it in place).
        QTRY_VERIFY_WITH_TIMEOUT(xdotool(clickThere) && bystander.clicks > 0, 5000);
        const int clicksBefore = bystander.clicks;

        const QStringList before = appWindows();
        QCOMPARE(run({QStringLiteral("--action"), QStringLiteral("slot1")}), 0);
        QTRY_VERIFY_WITH_TIMEOUT(appWindows().size() > before.size(), 5000);
        QCOMPARE(clipboard(), QByteArray("FFFFFF"));
        QCOMPARE(activeWindow(), ours);

        // With the toast there, the click still lands on the window beneath.
        const QStringList toast = newWindows(before);
        QCOMPARE(toast.size(), 1);
        QVERIFY(appWindows().contains(toast.constFirst()));
        QVERIFY(xdotool(clickThere));
        QTRY_COMPARE(bystander.clicks, clicksBefore + 1);
        QCOMPARE(activeWindow(), ours);
    }

    void recordedShortcutPicksFromTheScreen()
    {
        PaintedWindow painted;
        painted.show();
        QVERIFY(QTest::qWaitForWindowExposed(&painted));
        const QPoint inside = painted.geometry().center();
        const QByteArray clipboardBefore = clipboard();

        // The keys open one magnifier; pressing them again while it is open
        // opens no second one and leaves the first in place.
        QVERIFY(xdotool({QStringLiteral("key"), QStringLiteral("ctrl+alt+p")}));
        QTRY_COMPARE_WITH_TIMEOUT(magnifiers().size(), 1, 15000);
        const QString first = magnifiers().constFirst();
        QVERIFY(xdotool({QStringLiteral("key"), QStringLiteral("ctrl+alt+p")}));
        QTest::qWait(500);
        QCOMPARE(magnifiers(), QStringList{first});

        // Escape closes it and changes nothing.
        QVERIFY(xdotool({QStringLiteral("key"), QStringLiteral("Escape")}));
        QTRY_VERIFY_WITH_TIMEOUT(magnifiers().isEmpty(), 15000);
        QVERIFY(!storedHistory().contains("1A2B3C"));
        QCOMPARE(clipboard(), clipboardBefore);

        // A click on the painted window picks its colour.
        QVERIFY(xdotool({QStringLiteral("key"), QStringLiteral("ctrl+alt+p")}));
        QTRY_COMPARE_WITH_TIMEOUT(magnifiers().size(), 1, 15000);
        const QStringList before = appWindows();
        QVERIFY(clickAt(inside));
        QTRY_VERIFY_WITH_TIMEOUT(magnifiers().isEmpty(), 15000);
        QTRY_VERIFY_WITH_TIMEOUT(storedHistory().contains("\"#1A2B3C\""), 5000);
        QCOMPARE(clipboard(), QByteArray("1A2B3C"));
        // And the toast says so, in a window of its own.
        QTRY_COMPARE_WITH_TIMEOUT(windowNames(newWindows(before)), QStringList{"#1A2B3C loaded."}, 5000);
    }

    // After the pick: the foreground is #1A2B3C.
    void slotAndPaletteActionsCopyTheirTexts_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QByteArray>("copied");
        QTest::addColumn<QString>("toast");
        QTest::newRow("slot 1: hex") << "slot1" << QByteArray("1A2B3C") << "1A2B3C loaded.";
        QTest::newRow("slot 2: rgb") << "slot2" << QByteArray("rgb(26, 43, 60)") << "rgb(26, 43, 60) loaded.";
        QTest::newRow("palette 1") << "myPalette1" << QByteArray("#AABBCC") << "AABBCC loaded.";
    }

    void slotAndPaletteActionsCopyTheirTexts()
    {
        QFETCH(QString, action);
        QFETCH(QByteArray, copied);
        QFETCH(QString, toast);
        const QStringList before = appWindows();
        QCOMPARE(run({QStringLiteral("--action"), action}), 0);
        QTRY_COMPARE_WITH_TIMEOUT(clipboard(), copied, 5000);
        QTRY_VERIFY_WITH_TIMEOUT(windowNames(appWindows()).contains(toast), 5000);
    }

    void emptyPaletteSlotCopiesNothing()
    {
        const QByteArray clipboardBefore = clipboard();
        QCOMPARE(run({QStringLiteral("--action"), QStringLiteral("myPalette2")}), 0);
        QTest::qWait(500);
        QCOMPARE(clipboard(), clipboardBefore);
    }

    void cleanupTestCase()
    {
        m_app.terminate();
        if (!m_app.waitForFinished(5000))
            m_app.kill();
    }

private:
    QString configFile() const { return m_home.path() + QStringLiteral("/Tintora/Tintora.conf"); }

    static QByteArray clipboard()
    {
        return runTool(QStringLiteral("xclip"),
                       {QStringLiteral("-o"), QStringLiteral("-selection"), QStringLiteral("clipboard")})
            .value_or(QByteArray());
    }

    QByteArray storedHistory() const
    {
        QSettings stored(configFile(), QSettings::IniFormat);
        return stored.value(QStringLiteral("ColorHistory")).toByteArray();
    }

    static QStringList windowNames(const QStringList &windows)
    {
        QStringList names;
        for (const QString &window : windows) {
            if (const auto name = runTool(QStringLiteral("xdotool"), {QStringLiteral("getwindowname"), window}))
                names << QString::fromUtf8(name->trimmed());
        }
        return names;
    }

    QStringList newWindows(const QStringList &before) const
    {
        QStringList added;
        for (const QString &window : appWindows()) {
            if (!before.contains(window))
                added << window;
        }
        return added;
    }

    // The app's windows that cover the whole screen: its magnifiers.
    QStringList magnifiers() const
    {
        QStringList found;
        for (const QString &window : appWindows()) {
            const auto geometry = runTool(QStringLiteral("xdotool"), {QStringLiteral("getwindowgeometry"), window});
            if (geometry && geometry->contains("1920x1080"))
                found << window;
        }
        return found;
    }

    int run(const QStringList &arguments)
    {
        QProcess second;
        second.setProcessEnvironment(m_environment);
        second.start(app(), arguments);
        if (!QTest::qWaitFor([&] { return second.state() == QProcess::NotRunning; }, 10000))
            return -1;
        return second.exitStatus() == QProcess::NormalExit ? second.exitCode() : -1;
    }

    QStringList appWindows() const
    {
        // xdotool fails both when nothing matches and when a window it looks
        // at goes away meanwhile (a toast fading out): ask again before
        // taking a failure for "none".
        for (int attempt = 0; attempt < 3; ++attempt) {
            const auto found = runTool(QStringLiteral("xdotool"),
                                       {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                                        QString::number(m_app.processId())});
            if (found)
                return QString::fromUtf8(*found).split(u'\n', Qt::SkipEmptyParts);
        }
        return {};
    }

    QString mainWindow() const
    {
        for (const QString &window : appWindows()) {
            const auto name = runTool(QStringLiteral("xdotool"), {QStringLiteral("getwindowname"), window});
            const auto geometry = runTool(QStringLiteral("xdotool"), {QStringLiteral("getwindowgeometry"), window});
            if (name && name->trimmed() == "Tintora" && geometry && geometry->contains("340x"))
                return window;
        }
        return {};
    }

    static QByteArray windowState(const QString &window)
    {
        return runTool(QStringLiteral("xprop"), {QStringLiteral("-id"), window, QStringLiteral("_NET_WM_STATE")})
            .value_or(QByteArray());
    }

    bool storedOnTop() const
    {
        QSettings stored(configFile(), QSettings::IniFormat);
        return stored.value(QStringLiteral("IsAlwaysOnTop")).toBool();
    }

    QTemporaryDir m_home;
    QProcessEnvironment m_environment;
    QProcess m_app;
};

QTEST_MAIN(TestDesktopApp)
#include "tst_desktopapp.moc"
