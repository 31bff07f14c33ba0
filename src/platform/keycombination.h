#pragma once

#include <QByteArray>
#include <QString>
#include <Qt>
#include <optional>

// A global shortcut's keys, kept in the portable form that settings records
// carry between machines: a virtual key code and a modifier mask of the
// classic desktop key-code set. On Linux, Ctrl stands for Command, Alt for
// Option and Super for Control.
struct KeyCombination {
    enum Modifier : int {
        command = 256,
        shift = 512,
        option = 2048,
        control = 4096,
    };

    int carbonKeyCode = 0;
    int carbonModifiers = 0;

    // From a Qt key and modifiers; nothing for keys without a portable code.
    static std::optional<KeyCombination> fromQt(int qtKey, Qt::KeyboardModifiers modifiers);
    // The Qt key (with KeypadModifier for keypad keys) and modifiers; nothing
    // for a key code Tintora cannot press.
    std::optional<std::pair<int, Qt::KeyboardModifiers>> toQt() const;

    // Whether it leaves other programs their typing: it holds Ctrl, Alt or
    // Super, or is a function key (F1 to F20) alone.
    bool isUsableSystemWide() const;

    // "Ctrl+Alt+Shift+Super+P"; keypad keys as "Num+5".
    QString displayText() const;
    // Reads the display form; modifier and key names in any letter case.
    static std::optional<KeyCombination> fromDisplayText(const QString &text);

    // {"carbonKeyCode": int, "carbonModifiers": int}
    QByteArray toJson() const;
    static std::optional<KeyCombination> fromJson(const QByteArray &json);

    friend bool operator==(const KeyCombination &, const KeyCombination &) = default;
};
