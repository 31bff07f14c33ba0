#pragma once

#include <QByteArray>
#include <QObject>
#include <QSettings>
#include <QString>
#include <QVariantMap>
#include <optional>

// The user's preferences: typed values by key in an INI file, written through
// at once. Registered defaults answer only for keys that hold no value.
class PreferencesStore : public QObject
{
    Q_OBJECT

public:
    explicit PreferencesStore(const QString &filePath, QObject *parent = nullptr);

    // $XDG_CONFIG_HOME/Tintora/Tintora.conf (~/.config when unset).
    static QString defaultFilePath();
    // The process-wide store over defaultFilePath().
    static PreferencesStore &standard();

    QString filePath() const { return m_filePath; }

    void registerDefaults(const QVariantMap &defaults);

    bool contains(const QString &key) const;
    // No string for a missing key or a byte value.
    std::optional<QString> string(const QString &key) const;
    // False for a missing key.
    bool boolean(const QString &key) const;
    // 0.0 for a missing key or a value that is no number.
    double number(const QString &key) const;
    // No bytes for a missing key or a value of another type.
    std::optional<QByteArray> bytes(const QString &key) const;

    void setString(const QString &key, const QString &value);
    void setBool(const QString &key, bool value);
    void setDouble(const QString &key, double value);
    void setBytes(const QString &key, const QByteArray &value);
    void remove(const QString &key);

    // Copies the stored value of `key` to unreadableKey(key), so that data a
    // reader could not decode survives the next write of the key. Returns
    // whether a copy was written.
    bool keepUnreadable(const QString &key);
    static QString unreadableKey(const QString &key);

    // Reads values another process has written to the file since, announcing
    // each key whose value changed.
    void reload();

signals:
    void valueChanged(const QString &key);

private:
    QVariant value(const QString &key) const;
    void write(const QString &key, const QVariant &value);
    void prepareFile();
    QVariantMap snapshot() const;

    QString m_filePath;
    QSettings m_settings;
    QVariantMap m_defaults;
    // The file could not be read or parsed: it is treated as empty, and kept
    // as it is until the first write replaces it.
    bool m_unreadable = false;
};
