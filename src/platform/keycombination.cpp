#include "keycombination.h"

#include "orderedjson.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <cmath>
#include <limits>

namespace {

struct KeyInfo {
    int carbonCode;
    int qtKey;
    bool keypad;
    const char *name;
};

// Virtual key codes of the ANSI layout and the keys around it.
constexpr KeyInfo keys[] = {
    {0, Qt::Key_A, false, "A"},          {1, Qt::Key_S, false, "S"},
    {2, Qt::Key_D, false, "D"},          {3, Qt::Key_F, false, "F"},
    {4, Qt::Key_H, false, "H"},          {5, Qt::Key_G, false, "G"},
    {6, Qt::Key_Z, false, "Z"},          {7, Qt::Key_X, false, "X"},
    {8, Qt::Key_C, false, "C"},          {9, Qt::Key_V, false, "V"},
    {11, Qt::Key_B, false, "B"},         {12, Qt::Key_Q, false, "Q"},
    {13, Qt::Key_W, false, "W"},         {14, Qt::Key_E, false, "E"},
    {15, Qt::Key_R, false, "R"},         {16, Qt::Key_Y, false, "Y"},
    {17, Qt::Key_T, false, "T"},         {18, Qt::Key_1, false, "1"},
    {19, Qt::Key_2, false, "2"},         {20, Qt::Key_3, false, "3"},
    {21, Qt::Key_4, false, "4"},         {22, Qt::Key_6, false, "6"},
    {23, Qt::Key_5, false, "5"},         {24, Qt::Key_Equal, false, "="},
    {25, Qt::Key_9, false, "9"},         {26, Qt::Key_7, false, "7"},
    {27, Qt::Key_Minus, false, "-"},     {28, Qt::Key_8, false, "8"},
    {29, Qt::Key_0, false, "0"},         {30, Qt::Key_BracketRight, false, "]"},
    {31, Qt::Key_O, false, "O"},         {32, Qt::Key_U, false, "U"},
    {33, Qt::Key_BracketLeft, false, "["}, {34, Qt::Key_I, false, "I"},
    {35, Qt::Key_P, false, "P"},         {36, Qt::Key_Return, false, "Return"},
    {37, Qt::Key_L, false, "L"},         {38, Qt::Key_J, false, "J"},
    {39, Qt::Key_Apostrophe, false, "'"}, {40, Qt::Key_K, false, "K"},
    {41, Qt::Key_Semicolon, false, ";"}, {42, Qt::Key_Backslash, false, "\\"},
    {43, Qt::Key_Comma, false, ","},     {44, Qt::Key_Slash, false, "/"},
    {45, Qt::Key_N, false, "N"},         {46, Qt::Key_M, false, "M"},
    {47, Qt::Key_Period, false, "."},    {48, Qt::Key_Tab, false, "Tab"},
    {49, Qt::Key_Space, false, "Space"}, {50, Qt::Key_QuoteLeft, false, "`"},
    {51, Qt::Key_Backspace, false, "Backspace"}, {53, Qt::Key_Escape, false, "Esc"},
    {64, Qt::Key_F17, false, "F17"},     {65, Qt::Key_Period, true, "."},
    {67, Qt::Key_Asterisk, true, "*"},   {69, Qt::Key_Plus, true, "+"},
    {71, Qt::Key_Clear, true, "Clear"},  {75, Qt::Key_Slash, true, "/"},
    {76, Qt::Key_Enter, true, "Enter"},  {78, Qt::Key_Minus, true, "-"},
    {79, Qt::Key_F18, false, "F18"},     {80, Qt::Key_F19, false, "F19"},
    {81, Qt::Key_Equal, true, "="},      {82, Qt::Key_0, true, "0"},
    {83, Qt::Key_1, true, "1"},          {84, Qt::Key_2, true, "2"},
    {85, Qt::Key_3, true, "3"},          {86, Qt::Key_4, true, "4"},
    {87, Qt::Key_5, true, "5"},          {88, Qt::Key_6, true, "6"},
    {89, Qt::Key_7, true, "7"},          {90, Qt::Key_F20, false, "F20"},
    {91, Qt::Key_8, true, "8"},          {92, Qt::Key_9, true, "9"},
    {96, Qt::Key_F5, false, "F5"},       {97, Qt::Key_F6, false, "F6"},
    {98, Qt::Key_F7, false, "F7"},       {99, Qt::Key_F3, false, "F3"},
    {100, Qt::Key_F8, false, "F8"},      {101, Qt::Key_F9, false, "F9"},
    {103, Qt::Key_F11, false, "F11"},    {105, Qt::Key_F13, false, "F13"},
    {106, Qt::Key_F16, false, "F16"},    {107, Qt::Key_F14, false, "F14"},
    {109, Qt::Key_F10, false, "F10"},    {111, Qt::Key_F12, false, "F12"},
    {113, Qt::Key_F15, false, "F15"},    {114, Qt::Key_Help, false, "Help"},
    {115, Qt::Key_Home, false, "Home"},  {116, Qt::Key_PageUp, false, "PgUp"},
    {117, Qt::Key_Delete, false, "Del"}, {118, Qt::Key_F4, false, "F4"},
    {119, Qt::Key_End, false, "End"},    {120, Qt::Key_F2, false, "F2"},
    {121, Qt::Key_PageDown, false, "PgDown"}, {122, Qt::Key_F1, false, "F1"},
    {123, Qt::Key_Left, false, "Left"},  {124, Qt::Key_Right, false, "Right"},
    {125, Qt::Key_Down, false, "Down"},  {126, Qt::Key_Up, false, "Up"},
};

struct ModifierInfo {
    int carbonMask;
    Qt::KeyboardModifier qtModifier;
    const char *name;
};

// In display order.
constexpr ModifierInfo modifiers[] = {
    {KeyCombination::command, Qt::ControlModifier, "Ctrl"},
    {KeyCombination::option, Qt::AltModifier, "Alt"},
    {KeyCombination::shift, Qt::ShiftModifier, "Shift"},
    {KeyCombination::control, Qt::MetaModifier, "Super"},
};

const QString keypadName = QStringLiteral("Num");

// With Shift held, X11 reports the symbol a US layout prints on a key rather
// than the key itself; shortcuts are about keys.
constexpr std::pair<int, int> shiftedSymbols[] = {
    {Qt::Key_Exclam, Qt::Key_1},        {Qt::Key_At, Qt::Key_2},           {Qt::Key_NumberSign, Qt::Key_3},
    {Qt::Key_Dollar, Qt::Key_4},        {Qt::Key_Percent, Qt::Key_5},      {Qt::Key_AsciiCircum, Qt::Key_6},
    {Qt::Key_Ampersand, Qt::Key_7},     {Qt::Key_Asterisk, Qt::Key_8},     {Qt::Key_ParenLeft, Qt::Key_9},
    {Qt::Key_ParenRight, Qt::Key_0},    {Qt::Key_Underscore, Qt::Key_Minus}, {Qt::Key_Plus, Qt::Key_Equal},
    {Qt::Key_BraceLeft, Qt::Key_BracketLeft}, {Qt::Key_BraceRight, Qt::Key_BracketRight},
    {Qt::Key_Bar, Qt::Key_Backslash},   {Qt::Key_Colon, Qt::Key_Semicolon}, {Qt::Key_QuoteDbl, Qt::Key_Apostrophe},
    {Qt::Key_Less, Qt::Key_Comma},      {Qt::Key_Greater, Qt::Key_Period}, {Qt::Key_Question, Qt::Key_Slash},
    {Qt::Key_AsciiTilde, Qt::Key_QuoteLeft},
};

const KeyInfo *byCarbonCode(int code)
{
    for (const KeyInfo &key : keys) {
        if (key.carbonCode == code)
            return &key;
    }
    return nullptr;
}

std::optional<int> modifierMask(const QString &token)
{
    const QString t = token.toLower();
    if (t == u"ctrl" || t == u"control")
        return KeyCombination::command;
    if (t == u"alt" || t == u"option")
        return KeyCombination::option;
    if (t == u"shift")
        return KeyCombination::shift;
    if (t == u"super" || t == u"meta" || t == u"win")
        return KeyCombination::control;
    return std::nullopt;
}

std::optional<int> integral(const QJsonValue &value)
{
    if (!value.isDouble())
        return std::nullopt;
    const double d = value.toDouble();
    if (d != std::floor(d) || d < std::numeric_limits<int>::min() || d > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(d);
}

} // namespace

std::optional<KeyCombination> KeyCombination::fromQt(int qtKey, Qt::KeyboardModifiers qtModifiers)
{
    // Keypad Enter is a keypad key whether or not the flag came with it.
    const bool keypad = qtModifiers.testFlag(Qt::KeypadModifier) || qtKey == Qt::Key_Enter;
    int mask = 0;
    for (const ModifierInfo &m : modifiers) {
        if (qtModifiers.testFlag(m.qtModifier))
            mask |= m.carbonMask;
    }
    for (const KeyInfo &key : keys) {
        if (key.qtKey == qtKey && key.keypad == keypad)
            return KeyCombination{key.carbonCode, mask};
    }
    if (keypad) {
        // A keypad key without a keypad code of its own (Home, arrows with
        // Num Lock off) is the same key as the main one.
        return fromQt(qtKey, qtModifiers & ~Qt::KeypadModifier);
    }
    for (const auto &[symbol, key] : shiftedSymbols) {
        if (symbol == qtKey)
            return fromQt(key, qtModifiers);
    }
    return std::nullopt;
}

std::optional<std::pair<int, Qt::KeyboardModifiers>> KeyCombination::toQt() const
{
    const KeyInfo *key = byCarbonCode(carbonKeyCode);
    if (!key)
        return std::nullopt;
    Qt::KeyboardModifiers qtModifiers;
    for (const ModifierInfo &m : modifiers) {
        if (carbonModifiers & m.carbonMask)
            qtModifiers |= m.qtModifier;
    }
    if (key->keypad)
        qtModifiers |= Qt::KeypadModifier;
    return std::pair{key->qtKey, qtModifiers};
}

bool KeyCombination::isUsableSystemWide() const
{
    if (carbonModifiers & (command | option | control))
        return true;
    const auto qt = toQt();
    return qt && qt->first >= Qt::Key_F1 && qt->first <= Qt::Key_F20;
}

QString KeyCombination::displayText() const
{
    QStringList parts;
    for (const ModifierInfo &m : modifiers) {
        if (carbonModifiers & m.carbonMask)
            parts << QString::fromLatin1(m.name);
    }
    const KeyInfo *key = byCarbonCode(carbonKeyCode);
    if (!key) {
        parts << QStringLiteral("Key%1").arg(carbonKeyCode);
    } else {
        if (key->keypad)
            parts << keypadName;
        parts << QString::fromLatin1(key->name);
    }
    return parts.join(u'+');
}

std::optional<KeyCombination> KeyCombination::fromDisplayText(const QString &text)
{
    QString rest = text.trimmed();
    QString keyName;
    // "+" as the key itself: "Num++", or a lone "+".
    if (rest == u"+" || rest.endsWith(QStringLiteral("++"))) {
        keyName = QStringLiteral("+");
        rest.chop(rest == u"+" ? 1 : 2);
    } else {
        const qsizetype plus = rest.lastIndexOf(u'+');
        keyName = rest.mid(plus + 1).trimmed();
        rest = plus < 0 ? QString() : rest.left(plus);
    }
    if (keyName.isEmpty())
        return std::nullopt;

    int mask = 0;
    bool keypad = false;
    if (!rest.isEmpty()) {
        for (const QString &raw : rest.split(u'+')) {
            const QString token = raw.trimmed();
            if (token.compare(keypadName, Qt::CaseInsensitive) == 0) {
                keypad = true;
                continue;
            }
            const auto m = modifierMask(token);
            if (!m)
                return std::nullopt;
            mask |= *m;
        }
    }

    for (const KeyInfo &key : keys) {
        const bool keypadMatches = key.keypad == keypad || (key.carbonCode == 76 && !keypad);
        if (keypadMatches && keyName.compare(QString::fromLatin1(key.name), Qt::CaseInsensitive) == 0)
            return KeyCombination{key.carbonCode, mask};
    }
    if (!keypad && keyName.startsWith(QStringLiteral("Key"), Qt::CaseInsensitive)) {
        bool ok = false;
        const int code = keyName.mid(3).toInt(&ok);
        if (ok && code >= 0)
            return KeyCombination{code, mask};
    }
    return std::nullopt;
}

QByteArray KeyCombination::toJson() const
{
    return OrderedJson::Object()
        .add(QStringLiteral("carbonKeyCode"), OrderedJson::integer(carbonKeyCode))
        .add(QStringLiteral("carbonModifiers"), OrderedJson::integer(carbonModifiers))
        .toJson();
}

std::optional<KeyCombination> KeyCombination::fromJson(const QByteArray &json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject object = document.object();
    const auto code = integral(object.value(QStringLiteral("carbonKeyCode")));
    const auto mask = integral(object.value(QStringLiteral("carbonModifiers")));
    if (!code || !mask)
        return std::nullopt;
    return KeyCombination{*code, *mask};
}
