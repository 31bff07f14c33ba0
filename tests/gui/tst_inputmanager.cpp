#include "picking/colorpickerlogic.h"
#include "picking/historymanager.h"
#include "picking/inputmanager.h"
#include "picking/toastview.h"
#include "picking/toastwindowcontroller.h"
#include "settings/settingsmanager.h"
#include "support/fakedesktop.h"
#include "support/temppreferences.h"

#include <QApplication>
#include <QTest>

namespace {

QString toastText()
{
    ToastView *toast = ToastWindowController::shared().window();
    return toast ? toast->text() : QString();
}

// The shared objects over fresh preferences, with the handlers registered.
struct Fixture {
    TempPreferences preferences;
    SettingsManager settings{preferences.store()};
    HistoryManager history{preferences.store()};
    ColorPickerLogic logic;
    FakeDesktopServices desktop;
    InputManager input{logic, history, settings, desktop};

    Fixture()
    {
        logic.setSettings(&settings);
        input.setupMonitors();
    }
};

} // namespace

// The shortcut actions over a fake desktop: picks, copies and the on-top switch.
class TestInputManager : public QObject
{
    Q_OBJECT

private slots:
    void registersTheTwelveHandlersInOrder()
    {
        Fixture f;
        QVERIFY(f.desktop.shortcuts);
        const QStringList expected{QStringLiteral("slot1"),           QStringLiteral("slot2"),
                                   QStringLiteral("slot3"),           QStringLiteral("slot4"),
                                   QStringLiteral("foregroundColor"), QStringLiteral("backgroundColor"),
                                   QStringLiteral("alwaysOnTop"),     QStringLiteral("myPalette1"),
                                   QStringLiteral("myPalette2"),      QStringLiteral("myPalette3"),
                                   QStringLiteral("myPalette4"),      QStringLiteral("myPalette5")};
        QCOMPARE(f.desktop.shortcuts->registrationOrder(), expected);
        f.input.setupMonitors();
        QCOMPARE(f.desktop.shortcutObjectsCreated, 1);
    }

    void pickGoesToStateHistoryClipboardAndToast_data()
    {
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<bool>("autoCopy");
        QTest::addColumn<bool>("complementary");
        QTest::addColumn<QString>("foreground");
        QTest::addColumn<QString>("background");
        QTest::addColumn<QStringList>("clipboard");

        const QStringList copied{QStringLiteral("1A2B3C")};
        QTest::newRow("foreground, auto-copy on") << "foregroundColor" << true << false << "#1A2B3C" << "#000000" << copied;
        QTest::newRow("foreground, auto-copy off") << "foregroundColor" << false << false << "#1A2B3C" << "#000000"
                                                   << QStringList();
        QTest::newRow("background, auto-copy on") << "backgroundColor" << true << false << "#FFFFFF" << "#1A2B3C" << copied;
        // The complement replaces the foreground; the toast still names the background.
        QTest::newRow("background with complement") << "backgroundColor" << false << true << "#E5D4C3" << "#1A2B3C"
                                                     << QStringList();
    }

    void pickGoesToStateHistoryClipboardAndToast()
    {
        QFETCH(QString, shortcut);
        QFETCH(bool, autoCopy);
        QFETCH(bool, complementary);
        QFETCH(QString, foreground);
        QFETCH(QString, background);
        QFETCH(QStringList, clipboard);

        Fixture f;
        f.settings.setAutoCopyHex(autoCopy);
        f.settings.saveAutoApplyComplementary(complementary);
        f.desktop.pointer = QPoint(40, 50);
        QVERIFY(f.desktop.shortcuts->trigger(shortcut));
        QVERIFY(f.input.isSampling());
        f.desktop.openSampler()->complete(ColorValue::fromHex(u"#1A2B3C"));

        QTRY_COMPARE(f.history.history().value(0).hex, QStringLiteral("#1A2B3C"));
        QCOMPARE(f.logic.foregroundColor().toHex(), foreground);
        QCOMPARE(f.logic.backgroundColor().toHex(), background);
        QCOMPARE(f.desktop.clipboard, clipboard);
        QCOMPARE(toastText(), QStringLiteral("#1A2B3C loaded."));
        QVERIFY(!f.input.isSampling());
    }

    void oneSamplerAtATime()
    {
        Fixture f;
        f.desktop.shortcuts->trigger(QStringLiteral("foregroundColor"));
        f.desktop.shortcuts->trigger(QStringLiteral("foregroundColor"));
        f.desktop.shortcuts->trigger(QStringLiteral("backgroundColor"));
        QCOMPARE(f.desktop.samplers.size(), 1);

        f.desktop.openSampler()->complete(std::nullopt);
        QVERIFY(!f.input.isSampling());
        f.desktop.shortcuts->trigger(QStringLiteral("backgroundColor"));
        QCOMPARE(f.desktop.samplers.size(), 2);
    }

    void cancelChangesNothing()
    {
        Fixture f;
        f.settings.setAutoCopyHex(true);
        ToastWindowController::shared().show(QStringLiteral("before"), {});
        f.input.pickColor(PickerTarget::foreground);
        f.desktop.openSampler()->complete(std::nullopt);
        QCoreApplication::processEvents();

        QCOMPARE(f.logic.foregroundHex(), QStringLiteral("FFFFFF"));
        QVERIFY(f.history.history().isEmpty());
        QVERIFY(f.desktop.clipboard.isEmpty());
        QCOMPARE(toastText(), QStringLiteral("before loaded."));
    }

    void completionAfterTheManagerIsGoneIsHarmless()
    {
        TempPreferences preferences;
        SettingsManager settings(preferences.store());
        HistoryManager history(preferences.store());
        ColorPickerLogic logic;
        FakeDesktopServices desktop;
        auto input = std::make_unique<InputManager>(logic, history, settings, desktop);
        input->pickColor(PickerTarget::foreground);
        // The pick's last step is queued; the manager goes before it runs.
        desktop.openSampler()->complete(ColorValue::black());
        input.reset();
        QCoreApplication::processEvents();
        QVERIFY(history.history().isEmpty());
    }

    void slotShortcutsCopyTheForeground_data()
    {
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<CopyFormat>("format");
        QTest::addColumn<QString>("copied");

        QTest::newRow("hex without #") << "slot1" << CopyFormat::hex << "1A2B3C";
        QTest::newRow("rgb") << "slot2" << CopyFormat::rgb << "rgb(26, 43, 60)";
        QTest::newRow("hsl") << "slot3" << CopyFormat::hsl << ColorValue::fromHexOrBlack(u"1A2B3C").toHSLString();
        QTest::newRow("opengl") << "slot4" << CopyFormat::opengl
                                << ColorValue::fromHexOrBlack(u"1A2B3C").toOpenGLString();
    }

    void slotShortcutsCopyTheForeground()
    {
        QFETCH(QString, shortcut);
        QFETCH(CopyFormat, format);
        QFETCH(QString, copied);

        Fixture f;
        f.settings.saveSlotFormat(shortcut.right(1).toInt(), format);
        f.logic.updateForegroundColor(*ColorValue::fromHex(u"1A2B3C"), true);
        QVERIFY(f.desktop.shortcuts->trigger(shortcut));
        QCOMPARE(f.desktop.clipboard, QStringList{copied});
        QCOMPARE(toastText(), copied + QStringLiteral(" loaded."));
        QVERIFY(f.history.history().isEmpty());
    }

    void paletteShortcutsCopyTheStoredHex_data()
    {
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<QStringList>("clipboard");
        QTest::addColumn<QString>("toast");

        QTest::newRow("stored with #") << "myPalette1" << QStringList{"#AABBCC"} << "AABBCC loaded.";
        QTest::newRow("stored without #") << "myPalette2" << QStringList{"12"} << "12 loaded.";
        QTest::newRow("empty slot") << "myPalette3" << QStringList() << "";
        QTest::newRow("empty text") << "myPalette4" << QStringList() << "";
    }

    void paletteShortcutsCopyTheStoredHex()
    {
        QFETCH(QString, shortcut);
        QFETCH(QStringList, clipboard);
        QFETCH(QString, toast);

        Fixture f;
        ToastWindowController::shared().show(QString(), {});
        ToastWindowController::shared().window()->close();
        QTRY_VERIFY(!ToastWindowController::shared().window());

        f.settings.saveMyPaletteColor(0, QStringLiteral("#AABBCC"));
        f.settings.saveMyPaletteColor(1, QStringLiteral("12"));
        f.settings.saveMyPaletteColor(3, QString());
        QVERIFY(f.desktop.shortcuts->trigger(shortcut));
        QCOMPARE(f.desktop.clipboard, clipboard);
        QCOMPARE(toastText(), toast);
    }

    void paletteShortcutBeyondAShortPaletteDoesNothing()
    {
        TempPreferences preferences;
        preferences.store().setBytes(SettingsManager::myPaletteKey,
                                     Palettes::encode(QList<MyPaletteColor>{{1, QStringLiteral("ABCDEF")}}));
        SettingsManager settings(preferences.store());
        QCOMPARE(settings.myPalette().size(), 1);
        HistoryManager history(preferences.store());
        ColorPickerLogic logic;
        FakeDesktopServices desktop;
        InputManager input(logic, history, settings, desktop);
        input.setupMonitors();
        desktop.shortcuts->trigger(QStringLiteral("myPalette5"));
        QVERIFY(desktop.clipboard.isEmpty());
        desktop.shortcuts->trigger(QStringLiteral("myPalette1"));
        QCOMPARE(desktop.clipboard, QStringList{QStringLiteral("ABCDEF")});
    }

    void alwaysOnTopFlipsTheStoredSetting()
    {
        Fixture f;
        for (bool expected : {true, false, true}) {
            QVERIFY(f.input.handleAction(QStringLiteral("alwaysOnTop")));
            QCOMPARE(f.settings.isAlwaysOnTop(), expected);
            QCOMPARE(f.preferences.reopened()->boolean(SettingsManager::onTopKey), expected);
        }
    }

    void unknownActionNameIsRefused()
    {
        Fixture f;
        QVERIFY(!f.input.handleAction(QStringLiteral("Foregroundcolor")));
        QVERIFY(!f.input.handleAction(QString()));
        QVERIFY(f.desktop.samplers.isEmpty());
    }
};

QTEST_MAIN(TestInputManager)
#include "tst_inputmanager.moc"
