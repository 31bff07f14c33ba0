#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <utility>

// Compact JSON text with members in the order they are added, for stored and
// printed records whose member order is part of their form.
namespace OrderedJson {

QByteArray string(const QString &text);
// Shortest text that reads back as the same double.
QByteArray number(double value);
QByteArray integer(qint64 value);
QByteArray boolean(bool value);
QByteArray array(const QList<QByteArray> &items);

class Object
{
public:
    // `json` is an already encoded value.
    Object &add(const QString &key, const QByteArray &json);
    QByteArray toJson() const;

private:
    QList<std::pair<QString, QByteArray>> m_members;
};

} // namespace OrderedJson
