#include "main/colorcard.h"
#include "main/compliancebadge.h"
#include "main/contrastrow.h"
#include "main/menurow.h"
#include "main/paletterow.h"
#include "main/swapbutton.h"
#include "main/traybottombar.h"
#include "main/trayview.h"
#include "picking/colorpickerlogic.h"
#include "picking/shortcuttype.h"
#include "settings/settingsmanager.h"
#include "support/fakedesktop.h"
#include "support/temppreferences.h"

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

namespace {

struct Panel {
    TempPreferences preferences;
    SettingsManager settings{preferences.store()};
    ColorPickerLogic logic;
    FakeDesktopServices desktop;
    TrayView view{settings, logic, desktop};

    Panel()
    {
        logic.setSettings(&settings);
        view.show();
    }
};

QToolButton *editButton(ColorCard *card) { return card->findChild<QToolButton *>(); }
QLineEdit *hexField(ColorCard *card) { return card->findChild<QLineEdit *>(); }

} // namespace

// The tray panel over real state objects and a fake clipboard.
class TestTrayView : public QObject
{
    Q_OBJECT

private slots:
    void paintsTheCurrentColours()
    {
        // The panel is built before it first shows, and again after a change:
        // what it paints must follow the state both times.
        Panel p;
        auto pixel = [](QWidget *widget) { return widget->grab().toImage().pixelColor(5, 5); };
        QCOMPARE(pixel(p.view.foregroundCard()), QColor(Qt::white));
        QCOMPARE(pixel(p.view.backgroundCard()), QColor(Qt::black));
        for (ComplianceBadge *badge : p.view.contrastRow()->findChildren<ComplianceBadge *>()) {
            const QColor fill = pixel(badge);
            QVERIFY2(fill.green() > fill.red(), qPrintable(fill.name()));
        }
        p.logic.setCustomHex(QStringLiteral("FF0000"), true);
        p.logic.setCustomHex(QStringLiteral("FF0000"), false);
        QCOMPARE(pixel(p.view.foregroundCard()), QColor(Qt::red));
        for (ComplianceBadge *badge : p.view.contrastRow()->findChildren<ComplianceBadge *>()) {
            const QColor fill = pixel(badge);
            QVERIFY2(fill.red() > fill.green(), qPrintable(fill.name()));
        }
    }

    void cardsShowBothColours()
    {
        Panel p;
        p.logic.setCustomHex(QStringLiteral("1A2B3C"), true);
        QCOMPARE(p.view.foregroundCard()->shownHex(), QStringLiteral("#1A2B3C"));
        QCOMPARE(p.view.backgroundCard()->shownHex(), QStringLiteral("#000000"));
        QCOMPARE(p.view.width(), TrayView::panelWidth);
        QCOMPARE(p.view.foregroundCard()->height(), 85);
        // Light arrows when neither card is light, dark ones otherwise.
        QCOMPARE(p.view.swapButton()->symbolColor(), QColor(Qt::white));
        p.logic.setCustomHex(QStringLiteral("FFFFFF"), false);
        QCOMPARE(p.view.swapButton()->symbolColor(), QColor(Qt::black));
    }

    void swapExchangesTheColours()
    {
        Panel p;
        p.logic.setCustomHex(QStringLiteral("1A2B3C"), true);
        QTest::mouseClick(p.view.swapButton(), Qt::LeftButton);
        QCOMPARE(p.logic.backgroundHex(), QStringLiteral("#1A2B3C"));
        QCOMPARE(p.view.foregroundCard()->shownHex(), QStringLiteral("#000000"));
        QCOMPARE(p.view.swapButton()->focusPolicy(), Qt::NoFocus);
    }

    void editingHandsTheTypedTextOn_data()
    {
        QTest::addColumn<bool>("foreground");
        QTest::addColumn<bool>("confirmWithReturn");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");

        QTest::newRow("foreground, checkmark") << true << false << "1a2b3c" << "#1A2B3C";
        QTest::newRow("background, Return") << false << true << "#abc" << "#AABBCC";
        QTest::newRow("unusable text changes nothing") << true << true << "zz" << "#FFFFFF";
    }

    void editingHandsTheTypedTextOn()
    {
        QFETCH(bool, foreground);
        QFETCH(bool, confirmWithReturn);
        QFETCH(QString, typed);
        QFETCH(QString, expected);

        Panel p;
        ColorCard *card = foreground ? p.view.foregroundCard() : p.view.backgroundCard();
        const QString before = foreground ? p.logic.foregroundHex() : p.logic.backgroundHex();
        QTest::mouseClick(editButton(card), Qt::LeftButton);
        QVERIFY(card->isEditing());
        // Editing starts from the hex as held, with no "#" added.
        QCOMPARE(hexField(card)->text(), before);
        QCOMPARE(editButton(card)->toolTip(), QStringLiteral("Save"));

        hexField(card)->setText(typed);
        if (confirmWithReturn)
            QTest::keyClick(hexField(card), Qt::Key_Return);
        else
            QTest::mouseClick(editButton(card), Qt::LeftButton);
        QVERIFY(!card->isEditing());
        QCOMPARE(editButton(card)->toolTip(), QStringLiteral("Edit Hex"));
        QCOMPARE(foreground ? p.logic.foregroundColor().toHex() : p.logic.backgroundColor().toHex(),
                 expected == u"#FFFFFF" && !foreground ? QStringLiteral("#000000") : expected);
    }

    void contrastShowsTheRatioAndVerdicts_data()
    {
        QTest::addColumn<QString>("foreground");
        QTest::addColumn<QString>("background");
        QTest::addColumn<QString>("ratio");
        QTest::addColumn<QList<bool>>("verdicts"); // normal AA, normal AAA, large AA, large AAA

        QTest::newRow("black on white") << "000000" << "FFFFFF" << "21.00" << QList<bool>{true, true, true, true};
        QTest::newRow("equal colours") << "777777" << "777777" << "1.00" << QList<bool>{false, false, false, false};
        QTest::newRow("large text only") << "777777" << "000000" << "4.69" << QList<bool>{true, false, true, true};
        QTest::newRow("between 3 and 4.5") << "666666" << "000000" << "3.66" << QList<bool>{false, false, true, false};
    }

    void contrastShowsTheRatioAndVerdicts()
    {
        QFETCH(QString, foreground);
        QFETCH(QString, background);
        QFETCH(QString, ratio);
        QFETCH(QList<bool>, verdicts);

        Panel p;
        p.logic.setCustomHex(foreground, true);
        p.logic.setCustomHex(background, false);
        ContrastRow *row = p.view.contrastRow();
        QCOMPARE(row->ratioText(), ratio);
        QCOMPARE(row->passes(QStringLiteral("Normal"), QStringLiteral("AA")), verdicts[0]);
        QCOMPARE(row->passes(QStringLiteral("Normal"), QStringLiteral("AAA")), verdicts[1]);
        QCOMPARE(row->passes(QStringLiteral("Large"), QStringLiteral("AA")), verdicts[2]);
        QCOMPARE(row->passes(QStringLiteral("Large"), QStringLiteral("AAA")), verdicts[3]);
    }

    void contrastSectionFollowsTheSwitch()
    {
        Panel p;
        QVERIFY(p.view.contrastSection()->isVisible());
        p.settings.saveShowContrastChecker(false);
        QVERIFY(!p.view.contrastSection()->isVisible());
        p.settings.saveShowContrastChecker(true);
        QVERIFY(p.view.contrastSection()->isVisible());
    }

    void copyRowsCopyTheForeground_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<CopyFormat>("format");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("copied");

        QTest::newRow("slot 1 hex") << 0 << CopyFormat::hex << "Copy HEX" << "1A2B3C";
        QTest::newRow("slot 2 rgb") << 1 << CopyFormat::rgb << "Copy RGB" << "rgb(26, 43, 60)";
        QTest::newRow("slot 3 opengl") << 2 << CopyFormat::opengl << "Copy OpenGL"
                                       << ColorValue::fromHexOrBlack(u"1A2B3C").toOpenGLString();
        QTest::newRow("slot 4 hsl") << 3 << CopyFormat::hsl << "Copy HSL"
                                    << ColorValue::fromHexOrBlack(u"1A2B3C").toHSLString();
    }

    void copyRowsCopyTheForeground()
    {
        QFETCH(int, row);
        QFETCH(CopyFormat, format);
        QFETCH(QString, title);
        QFETCH(QString, copied);

        Panel p;
        p.logic.setCustomHex(QStringLiteral("1A2B3C"), true);
        p.settings.saveSlotFormat(row + 1, format);
        MenuRow *menuRow = p.view.copyRows()[row];
        QCOMPARE(menuRow->title(), title);
        QTest::mouseClick(menuRow, Qt::LeftButton);
        QCOMPARE(p.desktop.clipboard, QStringList{copied});
    }

    void copyAllRowsCopyTheReports()
    {
        Panel p;
        p.logic.setCustomHex(QStringLiteral("1A2B3C"), true);
        const QList<MenuRow *> rows = p.view.copyRows();
        QCOMPARE(rows.size(), 6);
        QCOMPARE(rows[4]->title(), QStringLiteral("Copy all as text"));
        QCOMPARE(rows[5]->title(), QStringLiteral("Copy all as json"));
        QTest::mouseClick(rows[4], Qt::LeftButton);
        QTest::mouseClick(rows[5], Qt::LeftButton);
        QCOMPARE(p.desktop.clipboard, (QStringList{p.logic.generateCopyAllText(), p.logic.generateCopyAllJson()}));
    }

    void shortcutHintsFollowTheStore()
    {
        Panel p;
        QVERIFY(p.view.foregroundCard()->shortcutHint().isEmpty());
        QVERIFY(p.view.copyRows()[0]->shortcutHint().isEmpty());
        p.settings.shortcuts().setCombination(QStringLiteral("foregroundColor"),
                                              KeyCombination::fromDisplayText(QStringLiteral("Ctrl+Shift+P")));
        p.settings.shortcuts().setCombination(QStringLiteral("slot1"),
                                              KeyCombination::fromDisplayText(QStringLiteral("Ctrl+1")));
        p.settings.shortcuts().setCombination(QStringLiteral("myPalette2"),
                                              KeyCombination::fromDisplayText(QStringLiteral("Alt+2")));
        QCOMPARE(p.view.foregroundCard()->shortcutHint(), QStringLiteral("Ctrl+Shift+P"));
        QVERIFY(p.view.backgroundCard()->shortcutHint().isEmpty());
        QCOMPARE(p.view.copyRows()[0]->shortcutHint(), QStringLiteral("Ctrl+1"));
        QCOMPARE(p.view.paletteRows()[1]->shortcutHint(), QStringLiteral("Alt+2"));
        QVERIFY(p.view.copyRows()[4]->shortcutHint().isEmpty());
    }

    void paletteRowsCopyStoredHexOrNothing()
    {
        Panel p;
        p.settings.saveMyPaletteColor(0, QStringLiteral("#AABBCC"));
        const QList<PaletteRow *> rows = p.view.paletteRows();
        QCOMPARE(rows.size(), 5);
        QCOMPARE(rows[0]->title(), QStringLiteral("Palette 1"));
        QVERIFY(rows[0]->isEnabled());
        QVERIFY(!rows[1]->isEnabled());

        QTest::mouseClick(rows[1], Qt::LeftButton);
        QVERIFY(p.desktop.clipboard.isEmpty());
        QTest::mouseClick(rows[0], Qt::LeftButton);
        QCOMPARE(p.desktop.clipboard, QStringList{QStringLiteral("#AABBCC")});
    }

    void entriesBeyondTheFifthShowNoHint()
    {
        TempPreferences preferences;
        QList<MyPaletteColor> seven;
        for (int id = 1; id <= 7; ++id)
            seven.append({id, QStringLiteral("11223%1").arg(id)});
        preferences.store().setBytes(SettingsManager::myPaletteKey, Palettes::encode(seven));
        SettingsManager settings(preferences.store());
        for (const QString &name : ShortcutTypes::myPalettes())
            settings.shortcuts().setCombination(name, KeyCombination::fromDisplayText(QStringLiteral("Ctrl+9")));
        ColorPickerLogic logic;
        FakeDesktopServices desktop;
        TrayView view(settings, logic, desktop);
        const QList<PaletteRow *> rows = view.paletteRows();
        QCOMPARE(rows.size(), 7);
        QCOMPARE(rows[4]->shortcutHint(), QStringLiteral("Ctrl+9"));
        QVERIFY(rows[5]->shortcutHint().isEmpty());
        QVERIFY(rows[6]->shortcutHint().isEmpty());
    }

    void bottomBarPinQuitAndShowWindow()
    {
        Panel p;
        QSignalSpy show(&p.view, &TrayView::showWindowRequested);
        QSignalSpy quit(&p.view, &TrayView::quitRequested);
        TrayBottomBar *bar = p.view.bottomBar();
        QVERIFY(!bar->settingsButton()->isEnabled());

        for (bool expected : {true, false}) {
            QTest::mouseClick(bar->pinButton(), Qt::LeftButton);
            QCOMPARE(p.settings.isAlwaysOnTop(), expected);
            QCOMPARE(bar->pinButton()->isChecked(), expected);
            QCOMPARE(p.preferences.reopened()->boolean(SettingsManager::onTopKey), expected);
        }
        QTest::mouseClick(bar->showWindowButton(), Qt::LeftButton);
        QTest::mouseClick(bar->quitButton(), Qt::LeftButton);
        QCOMPARE(show.size(), 1);
        QCOMPARE(quit.size(), 1);
    }
};

QTEST_MAIN(TestTrayView)
#include "tst_trayview.moc"
