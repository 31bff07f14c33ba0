#include "platform/keycombination.h"

#include <QTest>

namespace {

constexpr int command = KeyCombination::command;
constexpr int shift = KeyCombination::shift;
constexpr int option = KeyCombination::option;
constexpr int control = KeyCombination::control;

// The highest virtual key code of the classic key-code set.
constexpr int lastKeyCode = 127;

} // namespace

Q_DECLARE_METATYPE(KeyCombination)

char *toString(const KeyCombination &keys)
{
    return QTest::toString(QStringLiteral("{%1, %2}").arg(keys.carbonKeyCode).arg(keys.carbonModifiers));
}

class TestKeyCombination : public QObject
{
    Q_OBJECT

private slots:
    void fromQt_data();
    void fromQt();
    void everyKnownCodeSurvivesQtAndBack();
    void displayText_data();
    void displayText();
    void displayTextReadsBack();
    void fromDisplayText_data();
    void fromDisplayText();
    void jsonForm();
    void fromJson_data();
    void fromJson();
    void usableSystemWide_data();
    void usableSystemWide();
};

void TestKeyCombination::usableSystemWide_data()
{
    QTest::addColumn<KeyCombination>("keys");
    QTest::addColumn<bool>("usable");
    QTest::newRow("Ctrl+P") << KeyCombination{35, command} << true;
    QTest::newRow("Alt+Space") << KeyCombination{49, option} << true;
    QTest::newRow("Super+Left") << KeyCombination{123, control} << true;
    QTest::newRow("F5 alone") << KeyCombination{96, 0} << true;
    QTest::newRow("Shift+F1") << KeyCombination{122, shift} << true;
    QTest::newRow("letter alone") << KeyCombination{0, 0} << false;
    QTest::newRow("Shift+letter") << KeyCombination{0, shift} << false;
    QTest::newRow("Space alone") << KeyCombination{49, 0} << false;
    QTest::newRow("keypad digit alone") << KeyCombination{87, 0} << false;
    QTest::newRow("unknown code alone") << KeyCombination{10, 0} << false;
}

void TestKeyCombination::usableSystemWide()
{
    QFETCH(KeyCombination, keys);
    QFETCH(bool, usable);
    QCOMPARE(keys.isUsableSystemWide(), usable);
}

void TestKeyCombination::fromQt_data()
{
    QTest::addColumn<int>("qtKey");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<bool>("mapped");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("mask");

    QTest::newRow("Ctrl+Shift+P") << int(Qt::Key_P) << (Qt::ControlModifier | Qt::ShiftModifier) << true << 35
                                  << (command | shift);
    QTest::newRow("Space") << int(Qt::Key_Space) << Qt::KeyboardModifiers() << true << 49 << 0;
    QTest::newRow("Alt+F1") << int(Qt::Key_F1) << Qt::KeyboardModifiers(Qt::AltModifier) << true << 122 << option;
    QTest::newRow("Super+A") << int(Qt::Key_A) << Qt::KeyboardModifiers(Qt::MetaModifier) << true << 0 << control;
    QTest::newRow("all four modifiers")
        << int(Qt::Key_Z) << (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier | Qt::MetaModifier) << true
        << 6 << (command | shift | option | control);
    QTest::newRow("keypad 5") << int(Qt::Key_5) << Qt::KeyboardModifiers(Qt::KeypadModifier) << true << 87 << 0;
    QTest::newRow("main 5") << int(Qt::Key_5) << Qt::KeyboardModifiers() << true << 23 << 0;
    QTest::newRow("keypad Enter without the flag") << int(Qt::Key_Enter) << Qt::KeyboardModifiers() << true << 76
                                                   << 0;
    QTest::newRow("Return") << int(Qt::Key_Return) << Qt::KeyboardModifiers() << true << 36 << 0;
    QTest::newRow("keypad Home is Home") << int(Qt::Key_Home) << Qt::KeyboardModifiers(Qt::KeypadModifier) << true
                                         << 115 << 0;
    QTest::newRow("Shift+1 reported as !") << int(Qt::Key_Exclam) << Qt::KeyboardModifiers(Qt::ShiftModifier) << true
                                           << 18 << shift;
    QTest::newRow("Ctrl+Shift+= reported as +") << int(Qt::Key_Plus) << (Qt::ControlModifier | Qt::ShiftModifier)
                                                << true << 24 << (command | shift);
    QTest::newRow("keypad + stays the keypad key") << int(Qt::Key_Plus) << Qt::KeyboardModifiers(Qt::KeypadModifier)
                                                   << true << 69 << 0;
    QTest::newRow("F21 has no code") << int(Qt::Key_F21) << Qt::KeyboardModifiers() << false << 0 << 0;
    QTest::newRow("a lone modifier") << int(Qt::Key_Control) << Qt::KeyboardModifiers(Qt::ControlModifier) << false
                                     << 0 << 0;
}

void TestKeyCombination::fromQt()
{
    QFETCH(int, qtKey);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(bool, mapped);
    QFETCH(int, code);
    QFETCH(int, mask);

    const auto keys = KeyCombination::fromQt(qtKey, modifiers);
    QCOMPARE(keys.has_value(), mapped);
    if (mapped)
        QCOMPARE(*keys, (KeyCombination{code, mask}));
}

void TestKeyCombination::everyKnownCodeSurvivesQtAndBack()
{
    const int mask = command | shift | option | control;
    int known = 0;
    for (int code = 0; code <= lastKeyCode; ++code) {
        const KeyCombination keys{code, mask};
        const auto qt = keys.toQt();
        if (!qt)
            continue;
        ++known;
        QCOMPARE(KeyCombination::fromQt(qt->first, qt->second), std::optional(keys));
    }
    // Letters, digits, punctuation, keypad, function and navigation keys.
    QVERIFY2(known > 90, qPrintable(QString::number(known)));
}

void TestKeyCombination::displayText_data()
{
    QTest::addColumn<KeyCombination>("keys");
    QTest::addColumn<QString>("text");

    QTest::newRow("Ctrl+Shift+P") << KeyCombination{35, command | shift} << QStringLiteral("Ctrl+Shift+P");
    QTest::newRow("modifier order") << KeyCombination{35, control | shift | option | command}
                                    << QStringLiteral("Ctrl+Alt+Shift+Super+P");
    QTest::newRow("no modifier") << KeyCombination{49, 0} << QStringLiteral("Space");
    QTest::newRow("function key") << KeyCombination{122, option} << QStringLiteral("Alt+F1");
    QTest::newRow("keypad digit") << KeyCombination{87, command} << QStringLiteral("Ctrl+Num+5");
    QTest::newRow("keypad plus") << KeyCombination{69, 0} << QStringLiteral("Num++");
    QTest::newRow("main minus") << KeyCombination{27, command} << QStringLiteral("Ctrl+-");
    QTest::newRow("unknown code") << KeyCombination{10, shift} << QStringLiteral("Shift+Key10");
}

void TestKeyCombination::displayText()
{
    QFETCH(KeyCombination, keys);
    QFETCH(QString, text);
    QCOMPARE(keys.displayText(), text);
}

void TestKeyCombination::displayTextReadsBack()
{
    for (int code = 0; code <= lastKeyCode; ++code) {
        for (int mask : {0, command | shift, option | control}) {
            const KeyCombination keys{code, mask};
            QCOMPARE(KeyCombination::fromDisplayText(keys.displayText()), std::optional(keys));
        }
    }
}

void TestKeyCombination::fromDisplayText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("read");
    QTest::addColumn<KeyCombination>("keys");

    QTest::newRow("any letter case") << QStringLiteral("ctrl+SHIFT+p") << true << KeyCombination{35, command | shift};
    QTest::newRow("other modifier names") << QStringLiteral("Control+Option+Meta+X") << true
                                          << KeyCombination{7, command | option | control};
    QTest::newRow("blanks") << QStringLiteral(" Ctrl + P ") << true << KeyCombination{35, command};
    QTest::newRow("lone key") << QStringLiteral("Esc") << true << KeyCombination{53, 0};
    QTest::newRow("Enter is the keypad key") << QStringLiteral("Enter") << true << KeyCombination{76, 0};
    QTest::newRow("keypad period") << QStringLiteral("Shift+Num+.") << true << KeyCombination{65, shift};
    QTest::newRow("unknown modifier") << QStringLiteral("Hyper+P") << false << KeyCombination{};
    QTest::newRow("no key") << QStringLiteral("Ctrl+") << false << KeyCombination{};
    QTest::newRow("empty") << QString() << false << KeyCombination{};
    QTest::newRow("no main plus key") << QStringLiteral("Ctrl++") << false << KeyCombination{};
    QTest::newRow("no keypad letter") << QStringLiteral("Num+P") << false << KeyCombination{};
    QTest::newRow("unknown key name") << QStringLiteral("Ctrl+Foo") << false << KeyCombination{};
    QTest::newRow("negative code") << QStringLiteral("Key-5") << false << KeyCombination{};
}

void TestKeyCombination::fromDisplayText()
{
    QFETCH(QString, text);
    QFETCH(bool, read);
    QFETCH(KeyCombination, keys);

    const auto parsed = KeyCombination::fromDisplayText(text);
    QCOMPARE(parsed.has_value(), read);
    if (read)
        QCOMPARE(*parsed, keys);
}

void TestKeyCombination::jsonForm()
{
    const KeyCombination keys{35, command | shift};
    QCOMPARE(keys.toJson(), QByteArray(R"({"carbonKeyCode":35,"carbonModifiers":768})"));
    QCOMPARE(KeyCombination::fromJson(keys.toJson()), std::optional(keys));
}

void TestKeyCombination::fromJson_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<bool>("read");
    QTest::addColumn<KeyCombination>("keys");

    QTest::newRow("members in any order, spaced")
        << QByteArray(R"({ "carbonModifiers": 4096, "carbonKeyCode": 0 })") << true << KeyCombination{0, control};
    QTest::newRow("extra member") << QByteArray(R"({"carbonKeyCode":49,"carbonModifiers":0,"x":1})") << true
                                  << KeyCombination{49, 0};
    QTest::newRow("missing modifiers") << QByteArray(R"({"carbonKeyCode":49})") << false << KeyCombination{};
    QTest::newRow("code as text") << QByteArray(R"({"carbonKeyCode":"49","carbonModifiers":0})") << false
                                  << KeyCombination{};
    QTest::newRow("fraction") << QByteArray(R"({"carbonKeyCode":49.5,"carbonModifiers":0})") << false
                              << KeyCombination{};
    QTest::newRow("beyond int") << QByteArray(R"({"carbonKeyCode":1e12,"carbonModifiers":0})") << false
                                << KeyCombination{};
    QTest::newRow("array") << QByteArray("[35,768]") << false << KeyCombination{};
    QTest::newRow("not json") << QByteArray("Ctrl+P") << false << KeyCombination{};
    QTest::newRow("empty") << QByteArray() << false << KeyCombination{};
}

void TestKeyCombination::fromJson()
{
    QFETCH(QByteArray, json);
    QFETCH(bool, read);
    QFETCH(KeyCombination, keys);

    const auto parsed = KeyCombination::fromJson(json);
    QCOMPARE(parsed.has_value(), read);
    if (read)
        QCOMPARE(*parsed, keys);
}

QTEST_GUILESS_MAIN(TestKeyCombination)
#include "tst_keycombination.moc"
