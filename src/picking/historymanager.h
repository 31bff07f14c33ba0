#pragma once

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QUuid>

class PreferencesStore;

// One pick: the colour's hex as toHex writes it and when it was picked.
struct ColorHistoryItem {
    QUuid id;
    QString hex;
    QDateTime date;

    friend bool operator==(const ColorHistoryItem &, const ColorHistoryItem &) = default;
};

// The most recent picks, newest first, at most ten, kept in the preferences
// under "ColorHistory".
class HistoryManager : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QList<ColorHistoryItem> history READ history NOTIFY historyChanged)

public:
    static constexpr int maxHistory = 10;
    static inline const QString userDefaultsKey = QStringLiteral("ColorHistory");

    explicit HistoryManager(PreferencesStore &preferences, QObject *parent = nullptr);
    // Over the standard preferences.
    HistoryManager();

    QList<ColorHistoryItem> history() const { return m_history; }

    // Moves the colour to the front (a new entry), drops the oldest beyond ten
    // and saves.
    void addColor(const QString &hex);

    // The stored form: a JSON array of {"id","hex","date"} with the date in
    // seconds since 2001-01-01 00:00:00 UTC.
    static QByteArray encode(const QList<ColorHistoryItem> &items);
    // Decodes what it can; `complete` tells whether every entry was readable.
    static QList<ColorHistoryItem> decode(const QByteArray &json, bool *complete);

signals:
    void historyChanged();

private:
    void load();
    void save();

    PreferencesStore &m_preferences;
    QList<ColorHistoryItem> m_history;
};
