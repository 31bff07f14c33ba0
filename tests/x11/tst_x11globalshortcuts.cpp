#include "desktoptools.h"
#include "platform/shortcutstore.h"
#include "platform/x11/x11globalshortcuts.h"
#include "support/temppreferences.h"

#include <QApplication>
#include <QSignalSpy>
#include <memory>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#define XK_LATIN1
#include <X11/keysymdef.h>

namespace {

// Long enough for a key event that would wrongly fire to have arrived.
constexpr int quietMs = 200;

KeyCombination keys(const char *text) { return *KeyCombination::fromDisplayText(QString::fromLatin1(text)); }

} // namespace

class TestX11GlobalShortcuts : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void firesOnceOnRelease_data();
    void firesOnceOnRelease();
    void autoRepeatFiresOnce();
    void changedCombinationIsTakenAtOnce();
    void changeFromAnotherProcess();
    void removedHandlerStopsGrab();
    void takenCombinationIsReported();

private:
    int fired(const QString &name) const { return m_fired.value(name); }
    void handle(const QString &name)
    {
        m_shortcuts->setHandler(name, [this, name] { ++m_fired[name]; });
    }

    std::unique_ptr<TempPreferences> m_preferences;
    std::unique_ptr<ShortcutStore> m_store;
    std::unique_ptr<X11GlobalShortcuts> m_shortcuts;
    QHash<QString, int> m_fired;
};

void TestX11GlobalShortcuts::init()
{
    m_preferences = std::make_unique<TempPreferences>();
    m_store = std::make_unique<ShortcutStore>(m_preferences->store());
    m_shortcuts = std::make_unique<X11GlobalShortcuts>(*m_store);
    m_fired.clear();
}

void TestX11GlobalShortcuts::cleanup()
{
    m_shortcuts.reset();
    m_store.reset();
    m_preferences.reset();
}

void TestX11GlobalShortcuts::firesOnceOnRelease_data()
{
    QTest::addColumn<QString>("combination");
    QTest::addColumn<QString>("press");
    QTest::addColumn<QString>("otherModifiers");
    QTest::addColumn<QStringList>("locks");
    QTest::newRow("ctrl shift letter") << "Ctrl+Shift+P" << "ctrl+shift+p" << "ctrl+p" << QStringList();
    QTest::newRow("alt function key") << "Alt+F5" << "alt+F5" << "F5" << QStringList();
    QTest::newRow("super arrow") << "Super+Left" << "super+Left" << "super+alt+Left" << QStringList();
    QTest::newRow("keypad") << "Ctrl+Num+5" << "ctrl+KP_5" << "shift+ctrl+KP_5" << QStringList();
    QTest::newRow("num lock on") << "Ctrl+Shift+P" << "ctrl+shift+p" << "shift+p" << QStringList{"Num_Lock"};
    QTest::newRow("caps lock on") << "Ctrl+Alt+K" << "ctrl+alt+k" << "ctrl+k" << QStringList{"Caps_Lock"};
    QTest::newRow("both locks on") << "Ctrl+Alt+K" << "ctrl+alt+k" << "alt+k" << QStringList{"Num_Lock", "Caps_Lock"};
}

void TestX11GlobalShortcuts::firesOnceOnRelease()
{
    QFETCH(QString, combination);
    QFETCH(QString, press);
    QFETCH(QString, otherModifiers);
    QFETCH(QStringList, locks);

    m_store->setCombination(QStringLiteral("foregroundColor"), KeyCombination::fromDisplayText(combination));
    handle(QStringLiteral("foregroundColor"));
    handle(QStringLiteral("backgroundColor"));
    m_store->setCombination(QStringLiteral("backgroundColor"), keys("Ctrl+Shift+B"));

    for (const QString &lock : locks)
        QVERIFY(xdotool({QStringLiteral("key"), lock}));

    QVERIFY(xdotool({QStringLiteral("keydown"), press}));
    QTest::qWait(quietMs);
    QCOMPARE(fired(QStringLiteral("foregroundColor")), 0);
    QVERIFY(xdotool({QStringLiteral("keyup"), press}));
    QTRY_COMPARE(fired(QStringLiteral("foregroundColor")), 1);

    // The same key with other modifiers is not the shortcut.
    QVERIFY(xdotool({QStringLiteral("key"), otherModifiers}));
    QTest::qWait(quietMs);

    for (const QString &lock : locks)
        QVERIFY(xdotool({QStringLiteral("key"), lock}));
    QCOMPARE(fired(QStringLiteral("foregroundColor")), 1);
    QCOMPARE(fired(QStringLiteral("backgroundColor")), 0);
}

void TestX11GlobalShortcuts::autoRepeatFiresOnce()
{
    m_store->setCombination(QStringLiteral("slot1"), keys("Ctrl+Shift+R"));
    handle(QStringLiteral("slot1"));
    // Held past the server's repeat delay, so the key repeats several times.
    QVERIFY(xdotool({QStringLiteral("keydown"), QStringLiteral("ctrl+shift+r"), QStringLiteral("sleep"),
                     QStringLiteral("1.2"), QStringLiteral("keyup"), QStringLiteral("r")}));
    QTRY_COMPARE(fired(QStringLiteral("slot1")), 1);
    QVERIFY(xdotool({QStringLiteral("keyup"), QStringLiteral("ctrl+shift")}));
    QTest::qWait(quietMs);
    QCOMPARE(fired(QStringLiteral("slot1")), 1);
}

void TestX11GlobalShortcuts::changedCombinationIsTakenAtOnce()
{
    handle(QStringLiteral("alwaysOnTop"));
    m_store->setCombination(QStringLiteral("alwaysOnTop"), keys("Ctrl+Shift+P"));
    QVERIFY(xdotool({QStringLiteral("key"), QStringLiteral("ctrl+shift+p")}));
    QTRY_COMPARE(fired(QStringLiteral("alwaysOnTop")), 1);

    m_store->setCombination(QStringLiteral("alwaysOnTop"), keys("Ctrl+Alt+Return"));
    QVERIFY(xdotool({QStringLiteral("key"), QStringLiteral("ctrl+shift+p")}));
    QTest::qWait(quietMs);
    QCOMPARE(fired(QStringLiteral("alwaysOnTop")), 1);
    QVERIFY(xdotool({QStringLiteral("key"), QStringLiteral("ctrl+alt+Return")}));
    QTRY_COMPARE(fired(QStringLiteral("alwaysOnTop")), 2);

    m_store->reset({QStringLiteral("alwaysOnTop")});
    QVERIFY(xdotool({QStringLiteral("key"), QStringLiteral("ctrl+alt+Return")}));
    QTest::qWait(quietMs);
    QCOMPARE(fired(QStringLiteral("alwaysOnTop")), 2);
}

void TestX11GlobalShortcuts::changeFromAnotherProcess()
{
    handle(QStringLiteral("myPalette3"));
    m_store->setCombination(QStringLiteral("myPalette3"), keys("Ctrl+Shift+3"));

    // The command line writes the file; the running instance reloads it.
    QVERIFY(runTool(QCoreApplication::applicationDirPath() + QStringLiteral("/tintora"),
                    {QStringLiteral("shortcuts"), QStringLiteral("set"), QStringLiteral("myPalette3"),
                     QStringLiteral("super+shift+9")}));
    m_preferences->store().reload();

    QVERIFY(xdotool({QStringLiteral("key"), QStringLiteral("ctrl+shift+3")}));
    QTest::qWait(quietMs);
    QCOMPARE(fired(QStringLiteral("myPalette3")), 0);
    QVERIFY(xdotool({QStringLiteral("key"), QStringLiteral("super+shift+9")}));
    QTRY_COMPARE(fired(QStringLiteral("myPalette3")), 1);
}

void TestX11GlobalShortcuts::removedHandlerStopsGrab()
{
    m_store->setCombination(QStringLiteral("slot2"), keys("Ctrl+Shift+Y"));
    handle(QStringLiteral("slot2"));
    m_shortcuts->setHandler(QStringLiteral("slot2"), {});
    QVERIFY(xdotool({QStringLiteral("key"), QStringLiteral("ctrl+shift+y")}));
    QTest::qWait(quietMs);
    QCOMPARE(fired(QStringLiteral("slot2")), 0);
}

void TestX11GlobalShortcuts::takenCombinationIsReported()
{
    // Another client holds Ctrl+Alt+G on the root window.
    xcb_connection_t *other = xcb_connect(nullptr, nullptr);
    QVERIFY(!xcb_connection_has_error(other));
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(other)).data->root;
    xcb_key_symbols_t *symbols = xcb_key_symbols_alloc(other);
    xcb_keycode_t *keycodes = xcb_key_symbols_get_keycode(symbols, XK_g);
    QVERIFY(keycodes && *keycodes);
    QVERIFY(!xcb_request_check(other, xcb_grab_key_checked(other, false, root, XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1,
                                                          *keycodes, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC)));
    free(keycodes);
    xcb_key_symbols_free(symbols);

    QSignalSpy failed(m_shortcuts.get(), &GlobalShortcuts::registrationFailed);
    m_store->setCombination(QStringLiteral("backgroundColor"), keys("Ctrl+Alt+G"));
    m_store->setCombination(QStringLiteral("foregroundColor"), keys("Ctrl+Alt+H"));
    handle(QStringLiteral("backgroundColor"));
    handle(QStringLiteral("foregroundColor"));
    QCOMPARE(failed.size(), 1);
    QCOMPARE(failed.first().at(0).toString(), QStringLiteral("backgroundColor"));
    QCOMPARE(failed.first().at(1).toString(), QStringLiteral("Ctrl+Alt+G is taken by another program"));

    // The other one works, and the taken one fires nothing here.
    QVERIFY(xdotool({QStringLiteral("key"), QStringLiteral("ctrl+alt+g")}));
    QVERIFY(xdotool({QStringLiteral("key"), QStringLiteral("ctrl+alt+h")}));
    QTRY_COMPARE(fired(QStringLiteral("foregroundColor")), 1);
    QCOMPARE(fired(QStringLiteral("backgroundColor")), 0);

    // Once the other program lets go, recording it again takes it.
    xcb_disconnect(other);
    QTest::qWait(quietMs);
    m_store->setCombination(QStringLiteral("backgroundColor"), keys("Ctrl+Alt+G"));
    QVERIFY(xdotool({QStringLiteral("key"), QStringLiteral("ctrl+alt+g")}));
    QTRY_COMPARE(fired(QStringLiteral("backgroundColor")), 1);
}

QTEST_MAIN(TestX11GlobalShortcuts)
#include "tst_x11globalshortcuts.moc"
