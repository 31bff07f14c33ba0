#include "shortcutstore.h"

#include "preferencesstore.h"

ShortcutStore::ShortcutStore(PreferencesStore &preferences, QObject *parent)
    : QObject(parent), m_preferences(preferences)
{
    // Every store over the same preferences hears of every change, including
    // those made through another store or read back from another process.
    connect(&preferences, &PreferencesStore::valueChanged, this, [this](const QString &key) {
        static const QString prefix = preferencesKey(QString());
        if (key.startsWith(prefix))
            emit combinationChanged(key.mid(prefix.size()));
    });
}

QString ShortcutStore::preferencesKey(const QString &name) { return QStringLiteral("Shortcut_") + name; }

std::optional<KeyCombination> ShortcutStore::combination(const QString &name) const
{
    const auto json = m_preferences.string(preferencesKey(name));
    if (!json)
        return std::nullopt;
    return KeyCombination::fromJson(json->toUtf8());
}

void ShortcutStore::setCombination(const QString &name, const std::optional<KeyCombination> &combination)
{
    if (combination)
        m_preferences.setString(preferencesKey(name), QString::fromUtf8(combination->toJson()));
    else
        m_preferences.remove(preferencesKey(name));
}

void ShortcutStore::reset(const QStringList &names)
{
    for (const QString &name : names)
        setCombination(name, std::nullopt);
}

QString ShortcutStore::displayText(const QString &name) const
{
    const auto keys = combination(name);
    return keys ? keys->displayText() : QString();
}
