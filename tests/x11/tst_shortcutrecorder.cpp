#include "desktoptools.h"
#include "platform/shortcutrecorder.h"
#include "platform/shortcutstore.h"
#include "platform/x11/x11globalshortcuts.h"
#include "support/temppreferences.h"

#include <QApplication>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
constexpr int quietMs = 200;
}

// Recording with real keys, while the global shortcuts are live on the same
// store, as in the settings window.
class TestShortcutRecorder : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void records_data();
    void records();
    void clearButton();

private:
    QString buttonText() const { return m_window->findChild<QPushButton *>()->text(); }

    std::unique_ptr<TempPreferences> m_preferences;
    std::unique_ptr<ShortcutStore> m_store;
    std::unique_ptr<X11GlobalShortcuts> m_shortcuts;
    std::unique_ptr<QWidget> m_window;
    ShortcutRecorder *m_recorder = nullptr;
    int m_picks = 0;
};

void TestShortcutRecorder::init()
{
    m_preferences = std::make_unique<TempPreferences>();
    m_store = std::make_unique<ShortcutStore>(m_preferences->store());
    m_store->setCombination(QStringLiteral("foregroundColor"), KeyCombination::fromDisplayText(QStringLiteral("Ctrl+Shift+P")));
    m_store->setCombination(QStringLiteral("slot1"), KeyCombination::fromDisplayText(QStringLiteral("Alt+F2")));
    m_shortcuts = std::make_unique<X11GlobalShortcuts>(*m_store);
    m_picks = 0;
    m_shortcuts->setHandler(QStringLiteral("foregroundColor"), [this] { ++m_picks; });

    m_window = std::make_unique<QWidget>();
    m_recorder = new ShortcutRecorder(*m_store, QStringLiteral("slot1"));
    (new QVBoxLayout(m_window.get()))->addWidget(m_recorder);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void TestShortcutRecorder::cleanup()
{
    m_window.reset();
    m_shortcuts.reset();
    m_store.reset();
    m_preferences.reset();
}

void TestShortcutRecorder::records_data()
{
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("recording");
    QTest::newRow("new combination") << QStringList{"ctrl+alt+k"} << "Ctrl+Alt+K" << false;
    QTest::newRow("one in use is recorded, not run") << QStringList{"ctrl+shift+p"} << "Ctrl+Shift+P" << false;
    QTest::newRow("escape cancels") << QStringList{"Escape"} << "Alt+F2" << false;
    QTest::newRow("modifiers alone wait") << QStringList{"ctrl", "shift"} << "Alt+F2" << true;
    QTest::newRow("typing key refused") << QStringList{"shift+k"} << "Alt+F2" << true;
    QTest::newRow("refused, then a good one") << QStringList{"k", "super+k"} << "Super+K" << false;
    QTest::newRow("function key alone") << QStringList{"F7"} << "F7" << false;
}

void TestShortcutRecorder::records()
{
    QFETCH(QStringList, keys);
    QFETCH(QString, stored);
    QFETCH(bool, recording);

    QCOMPARE(buttonText(), QStringLiteral("Alt+F2"));
    const QPoint button = m_window->findChild<QPushButton *>()->mapToGlobal(QPoint(10, 5));
    QVERIFY(clickAt(button));
    QTRY_VERIFY(m_recorder->isRecording());
    QCOMPARE(buttonText(), QStringLiteral("Type Shortcut…"));

    for (const QString &key : keys)
        QVERIFY(xdotool({QStringLiteral("key"), key}));
    QTRY_COMPARE(m_store->displayText(QStringLiteral("slot1")), stored);
    QTest::qWait(quietMs);
    QCOMPARE(m_store->displayText(QStringLiteral("slot1")), stored);
    QCOMPARE(m_recorder->isRecording(), recording);
    if (!recording)
        QCOMPARE(buttonText(), stored);
    QCOMPARE(m_picks, 0);

    // Once recording ends the global shortcuts work again.
    if (recording)
        QVERIFY(xdotool({QStringLiteral("key"), QStringLiteral("Escape")}));
    QTRY_VERIFY(!m_recorder->isRecording());
    if (stored != u"Ctrl+Shift+P") {
        QVERIFY(xdotool({QStringLiteral("key"), QStringLiteral("ctrl+shift+p")}));
        QTRY_COMPARE(m_picks, 1);
    }
}

void TestShortcutRecorder::clearButton()
{
    auto *clear = m_window->findChild<QToolButton *>();
    QVERIFY(clear->isVisible());
    const QPoint at = clear->mapToGlobal(clear->rect().center());
    QVERIFY(clickAt(at));
    QTRY_COMPARE(m_store->combination(QStringLiteral("slot1")), std::nullopt);
    QCOMPARE(buttonText(), QStringLiteral("Record Shortcut"));
    QVERIFY(!clear->isVisible());
}

QTEST_MAIN(TestShortcutRecorder)
#include "tst_shortcutrecorder.moc"
