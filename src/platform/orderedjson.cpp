#include "orderedjson.h"

#include <QLocale>
#include <cmath>

namespace OrderedJson {

QByteArray string(const QString &text)
{
    static const char hexDigits[] = "0123456789abcdef";
    const QByteArray utf8 = text.toUtf8();
    QByteArray out;
    out.reserve(utf8.size() + 2);
    out += '"';
    for (char c : utf8) {
        const auto u = static_cast<unsigned char>(c);
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        default:
            if (u < 0x20) {
                out += "\\u00";
                out += hexDigits[u >> 4];
                out += hexDigits[u & 0xF];
            } else {
                out += c;
            }
        }
    }
    out += '"';
    return out;
}

QByteArray number(double value)
{
    // JSON has no NaN or infinity.
    if (!std::isfinite(value))
        return "null";
    return QByteArray::number(value, 'g', QLocale::FloatingPointShortest);
}

QByteArray integer(qint64 value) { return QByteArray::number(value); }

QByteArray boolean(bool value) { return value ? "true" : "false"; }

QByteArray array(const QList<QByteArray> &items) { return '[' + items.join(',') + ']'; }

Object &Object::add(const QString &key, const QByteArray &json)
{
    m_members.append({key, json});
    return *this;
}

QByteArray Object::toJson() const
{
    QByteArray out = "{";
    for (qsizetype i = 0; i < m_members.size(); ++i) {
        if (i)
            out += ',';
        out += string(m_members[i].first) + ':' + m_members[i].second;
    }
    return out + '}';
}

} // namespace OrderedJson
