#include "databasesettings.h"

#include <QStringList>

namespace {

struct Cursor
{
    const QString &text;
    qsizetype position = 0;

    bool atEnd() const { return position >= text.size(); }
    QChar current() const { return text.at(position); }
    void skipSpaces()
    {
        while (!atEnd() && current().isSpace())
            ++position;
    }
};

QString readKey(Cursor &cursor)
{
    QString key;
    while (!cursor.atEnd() && cursor.current() != '=' && !cursor.current().isSpace())
        key += cursor.text.at(cursor.position++);
    return key;
}

// A value is a bare word or a single-quoted text in which backslash escapes the next character.
std::optional<QString> readValue(Cursor &cursor)
{
    QString value;
    if (cursor.atEnd() || cursor.current() != '\'') {
        while (!cursor.atEnd() && !cursor.current().isSpace())
            value += cursor.text.at(cursor.position++);
        return value;
    }
    ++cursor.position;
    while (!cursor.atEnd() && cursor.current() != '\'') {
        if (cursor.current() == '\\')
            ++cursor.position;
        if (cursor.atEnd())
            break;
        value += cursor.text.at(cursor.position++);
    }
    if (cursor.atEnd())
        return std::nullopt;
    ++cursor.position;
    return value;
}

} // namespace

std::optional<DatabaseSettings> DatabaseSettings::parse(const QString &connectionString,
                                                        QString *error)
{
    DatabaseSettings settings;
    QStringList passedThrough;
    Cursor cursor{connectionString};
    for (cursor.skipSpaces(); !cursor.atEnd(); cursor.skipSpaces()) {
        const QString key = readKey(cursor);
        cursor.skipSpaces();
        if (key.isEmpty() || cursor.atEnd() || cursor.current() != '=') {
            *error = QString("expected key=value at \"%1\"").arg(connectionString.mid(cursor.position));
            return std::nullopt;
        }
        ++cursor.position;
        cursor.skipSpaces();
        const auto value = readValue(cursor);
        if (!value) {
            *error = QString("unterminated quoted value for %1").arg(key);
            return std::nullopt;
        }
        if (key == "host") {
            settings.host = *value;
        } else if (key == "port") {
            bool ok = false;
            settings.port = value->toInt(&ok);
            if (!ok || settings.port <= 0 || settings.port > 65535) {
                *error = QString("invalid port \"%1\"").arg(*value);
                return std::nullopt;
            }
        } else if (key == "dbname") {
            settings.name = *value;
        } else if (key == "user") {
            settings.user = *value;
        } else if (key == "password") {
            settings.password = *value;
        } else {
            passedThrough << key + '=' + *value;
        }
    }
    settings.options = passedThrough.join(';');
    return settings;
}
