#pragma once

#include "keycombination.h"

#include <QObject>
#include <QStringList>
#include <optional>

class PreferencesStore;

// The recorded key combination of each named global shortcut, kept in the
// preferences under "Shortcut_" + name as its JSON text. Names have no
// default combination.
class ShortcutStore : public QObject
{
    Q_OBJECT

public:
    explicit ShortcutStore(PreferencesStore &preferences, QObject *parent = nullptr);

    static QString preferencesKey(const QString &name);

    std::optional<KeyCombination> combination(const QString &name) const;
    // Nothing unassigns the name.
    void setCombination(const QString &name, const std::optional<KeyCombination> &combination);
    void reset(const QStringList &names);

    // The combination's display text, or empty when unassigned.
    QString displayText(const QString &name) const;

signals:
    void combinationChanged(const QString &name);

private:
    PreferencesStore &m_preferences;
};
