#include "desktoptools.h"
#include "platform/desktopservices.h"
#include "platform/globalshortcuts.h"
#include "platform/screensampler.h"
#include "platform/shortcutstore.h"
#include "platform/x11/x11globalshortcuts.h"
#include "platform/x11/x11screensampler.h"
#include "support/temppreferences.h"

#include <QApplication>

class TestX11DesktopServices : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_services = createDesktopServices(); }

    void clipboardIsReadableByOthers_data();
    void clipboardIsReadableByOthers();
    void pointerPosition();
    void x11Pieces();

private:
    std::unique_ptr<DesktopServices> m_services;
};

void TestX11DesktopServices::clipboardIsReadableByOthers_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("hex") << "1A2B3C";
    QTest::newRow("notation") << "rgb(26, 43, 60)";
    QTest::newRow("several lines") << "Foreground: #1A2B3C\nBackground: #FFFFFF";
    QTest::newRow("beyond ASCII") << QString::fromUtf8("Hex #1A2B3C · Grün");
}

void TestX11DesktopServices::clipboardIsReadableByOthers()
{
    QFETCH(QString, text);
    m_services->setClipboardText(QStringLiteral("an earlier text"));
    m_services->setClipboardText(text);
    const auto read = runTool(QStringLiteral("xclip"), {QStringLiteral("-o"), QStringLiteral("-selection"),
                                                         QStringLiteral("clipboard")});
    QVERIFY(read);
    QCOMPARE(QString::fromUtf8(*read), text);
}

void TestX11DesktopServices::pointerPosition()
{
    QVERIFY(xdotool({QStringLiteral("mousemove"), QStringLiteral("321"), QStringLiteral("123")}));
    QTRY_COMPARE(m_services->pointerPosition(), QPoint(321, 123));
}

void TestX11DesktopServices::x11Pieces()
{
    QVERIFY(m_services->canCaptureScreen());
    QVERIFY(dynamic_cast<X11ScreenSampler *>(m_services->createSampler().get()));
    TempPreferences preferences;
    ShortcutStore store(preferences.store());
    QVERIFY(dynamic_cast<X11GlobalShortcuts *>(m_services->createGlobalShortcuts(store).get()));
}

QTEST_MAIN(TestX11DesktopServices)
#include "tst_x11desktopservices.moc"
