#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

class PreferencesStore;

// Where the backend client keeps its session: byte values in the user's
// preferences (a file private to the user).
class UserDefaultsStorage
{
public:
    explicit UserDefaultsStorage(PreferencesStore &preferences) : m_preferences(&preferences) {}

    void store(const QString &key, const QByteArray &value);
    // Nothing when the key is absent or holds no byte value.
    std::optional<QByteArray> retrieve(const QString &key) const;
    void remove(const QString &key);

private:
    PreferencesStore *m_preferences;
};
