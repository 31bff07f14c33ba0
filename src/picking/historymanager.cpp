#include "historymanager.h"

#include "platform/log.h"
#include "platform/orderedjson.h"
#include "platform/preferencesstore.h"
#include "settings/palettes.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QTimeZone>

namespace {

// Seconds between the Unix epoch and 2001-01-01 00:00:00 UTC.
constexpr qint64 referenceDateOffset = 978307200;

double secondsSinceReferenceDate(const QDateTime &date)
{
    return double(date.toMSecsSinceEpoch()) / 1000.0 - double(referenceDateOffset);
}

QDateTime fromReferenceSeconds(double seconds)
{
    return QDateTime::fromMSecsSinceEpoch(qint64(std::llround((seconds + double(referenceDateOffset)) * 1000.0)),
                                          QTimeZone::utc());
}

std::optional<ColorHistoryItem> decodeItem(const QJsonValue &value)
{
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject object = value.toObject();
    const QJsonValue id = object.value(QStringLiteral("id"));
    const QJsonValue hex = object.value(QStringLiteral("hex"));
    const QJsonValue date = object.value(QStringLiteral("date"));
    if (!id.isString() || !hex.isString() || !date.isDouble())
        return std::nullopt;
    const QUuid uuid = QUuid::fromString(id.toString());
    if (id.toString().size() != 36 || uuid.isNull())
        return std::nullopt;
    return ColorHistoryItem{uuid, hex.toString(), fromReferenceSeconds(date.toDouble())};
}

} // namespace

HistoryManager::HistoryManager(PreferencesStore &preferences, QObject *parent)
    : QObject(parent), m_preferences(preferences)
{
    load();
}

HistoryManager::HistoryManager() : HistoryManager(PreferencesStore::standard()) {}

QByteArray HistoryManager::encode(const QList<ColorHistoryItem> &items)
{
    QList<QByteArray> encoded;
    for (const ColorHistoryItem &item : items) {
        encoded << OrderedJson::Object()
                       .add(QStringLiteral("id"), OrderedJson::string(Palettes::uuidText(item.id)))
                       .add(QStringLiteral("hex"), OrderedJson::string(item.hex))
                       .add(QStringLiteral("date"), OrderedJson::number(secondsSinceReferenceDate(item.date)))
                       .toJson();
    }
    return OrderedJson::array(encoded);
}

QList<ColorHistoryItem> HistoryManager::decode(const QByteArray &json, bool *complete)
{
    QList<ColorHistoryItem> items;
    const auto value = Palettes::parse(json);
    *complete = value && value->isArray();
    if (!*complete)
        return items;
    for (const QJsonValue &element : value->toArray()) {
        if (auto item = decodeItem(element))
            items << *item;
        else
            *complete = false;
    }
    return items;
}

void HistoryManager::load()
{
    if (!m_preferences.contains(userDefaultsKey))
        return;
    const auto json = m_preferences.bytes(userDefaultsKey);
    bool complete = false;
    if (json)
        m_history = decode(*json, &complete);
    // Entries that cannot be read are skipped, and the stored copy is kept
    // aside so the next pick does not destroy them.
    if (!complete && m_preferences.keepUnreadable(userDefaultsKey)) {
        Log::failure(QStringLiteral("HistoryManager: Could not read %1; kept a copy under %2")
                         .arg(userDefaultsKey, PreferencesStore::unreadableKey(userDefaultsKey)));
    }
}

void HistoryManager::addColor(const QString &hex)
{
    m_history.removeIf([&hex](const ColorHistoryItem &item) { return item.hex == hex; });
    m_history.prepend({QUuid::createUuid(), hex, QDateTime::currentDateTimeUtc()});
    // A stored list may be longer than ten (it is loaded as it is); an
    // addition always brings it back to ten.
    while (m_history.size() > maxHistory)
        m_history.removeLast();
    emit historyChanged();
    save();
}

void HistoryManager::save() { m_preferences.setBytes(userDefaultsKey, encode(m_history)); }
