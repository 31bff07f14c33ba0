#include "accountstore.h"

#include "database.h"

#include <QJsonDocument>
#include <QSqlQuery>

namespace {

// The user object as the hosted auth service prints it, built where the row is.
const QString userJson = R"(json_build_object(
    'id', u.id, 'aud', 'authenticated', 'role', 'authenticated', 'email', u.email,
    'email_confirmed_at', u.email_confirmed_at, 'confirmed_at', u.email_confirmed_at,
    'created_at', u.created_at, 'updated_at', u.updated_at,
    'app_metadata', json_build_object('provider', 'email', 'providers', json_build_array('email')),
    'user_metadata', '{}'::json)::text)";

// Cost 10, as the hosted auth service uses.
const QString hashPassword = "crypt(?, gen_salt('bf', 10))";

QJsonObject parseUser(const QVariant &text)
{
    return QJsonDocument::fromJson(text.toString().toUtf8()).object();
}

AccountStore::Result outcome(AccountStore::Outcome outcome)
{
    return {outcome, {}, {}};
}

AccountStore::Result found(const QVariant &userText, const QString &sessionId = {})
{
    return {AccountStore::Outcome::Ok, parseUser(userText), sessionId};
}

QVariant nullText()
{
    return QVariant(QMetaType(QMetaType::QString));
}

} // namespace

AccountStore::AccountStore(Database &database)
    : database(database)
{
}

AccountStore::Result AccountStore::createUser(const QString &email, const QString &password,
                                              bool confirmed, const QString &confirmationToken)
{
    Transaction transaction = database.begin();
    QSqlQuery query = transaction.query();
    if (!transaction.exec(query,
                          "insert into auth.users as u (email, encrypted_password, "
                          "email_confirmed_at, confirmation_token) values (?, " + hashPassword
                              + ", case when ? then now() end, ?) "
                                "on conflict (email) do nothing returning " + userJson,
                          {email, password, confirmed,
                           confirmationToken.isEmpty() ? nullText() : confirmationToken})
        || !transaction.commit())
        return outcome(Outcome::Failed);
    return query.next() ? found(query.value(0)) : outcome(Outcome::Duplicate);
}

AccountStore::Result AccountStore::checkPassword(const QString &email, const QString &password)
{
    Transaction transaction = database.begin();
    QSqlQuery query = transaction.query();
    if (!transaction.exec(query,
                          "select " + userJson
                              + ", u.encrypted_password = crypt(?, u.encrypted_password), "
                                "u.email_confirmed_at is not null from auth.users u where u.email = ?",
                          {password, email}))
        return outcome(Outcome::Failed);
    if (!query.next()) {
        // Hash anyway, so an unknown address takes as long to refuse as a wrong password.
        transaction.exec(query, "select " + hashPassword, {password});
        return outcome(Outcome::InvalidCredentials);
    }
    if (!query.value(1).toBool())
        return outcome(Outcome::InvalidCredentials);
    if (!query.value(2).toBool())
        return outcome(Outcome::NotConfirmed);
    return found(query.value(0));
}

AccountStore::Result AccountStore::confirm(const QString &confirmationToken)
{
    Transaction transaction = database.begin();
    QSqlQuery query = transaction.query();
    if (!transaction.exec(query,
                          "update auth.users u set email_confirmed_at = now(), "
                          "confirmation_token = null, updated_at = now() "
                          "where confirmation_token = ? and email_confirmed_at is null returning "
                              + userJson,
                          {confirmationToken})
        || !transaction.commit())
        return outcome(Outcome::Failed);
    return query.next() ? found(query.value(0)) : outcome(Outcome::NotFound);
}

AccountStore::Result AccountStore::findSessionUser(const QString &userId, const QString &sessionId)
{
    Transaction transaction = database.begin();
    QSqlQuery query = transaction.query();
    if (!transaction.exec(query,
                          "select " + userJson
                              + ", exists (select from auth.refresh_tokens t "
                                "where t.session_id = cast(? as uuid) and not t.revoked) "
                                "from auth.users u where u.id = cast(? as uuid)",
                          {sessionId, userId}))
        return outcome(Outcome::Failed);
    if (!query.next())
        return outcome(Outcome::NotFound);
    if (!query.value(1).toBool())
        return outcome(Outcome::NoSession);
    return found(query.value(0), sessionId);
}

AccountStore::Result AccountStore::startSession(const QString &userId, const QString &refreshToken)
{
    Transaction transaction = database.begin();
    QSqlQuery query = transaction.query();
    if (!transaction.exec(query,
                          "insert into auth.refresh_tokens (token, user_id, session_id) "
                          "values (?, cast(? as uuid), gen_random_uuid()) returning session_id::text",
                          {refreshToken, userId})
        || !query.next() || !transaction.commit())
        return outcome(Outcome::Failed);
    return {Outcome::Ok, {}, query.value(0).toString()};
}

AccountStore::Result AccountStore::rotate(const QString &usedToken, const QString &nextToken)
{
    Transaction transaction = database.begin();
    QSqlQuery query = transaction.query();
    // Revoking and reading in one statement: of two concurrent uses only one can win.
    if (!transaction.exec(query,
                          "update auth.refresh_tokens set revoked = true "
                          "where token = ? and not revoked returning user_id::text, session_id::text",
                          {usedToken}))
        return outcome(Outcome::Failed);
    if (!query.next()) {
        if (!transaction.exec(query, "select 1 from auth.refresh_tokens where token = ?",
                              {usedToken}))
            return outcome(Outcome::Failed);
        return outcome(query.next() ? Outcome::AlreadyUsed : Outcome::NotFound);
    }
    const QString userId = query.value(0).toString();
    const QString sessionId = query.value(1).toString();
    if (!transaction.exec(query,
                          "insert into auth.refresh_tokens (token, user_id, session_id, parent) "
                          "values (?, cast(? as uuid), cast(? as uuid), ?)",
                          {nextToken, userId, sessionId, usedToken})
        || !transaction.exec(query, "select " + userJson + " from auth.users u where u.id = cast(? as uuid)",
                             {userId})
        || !query.next() || !transaction.commit())
        return outcome(Outcome::Failed);
    return found(query.value(0), sessionId);
}

bool AccountStore::signOut(const QString &userId, const QString &sessionId, SignOutScope scope)
{
    static const QHash<SignOutScope, QString> conditions{
        {SignOutScope::Global, "user_id = cast(? as uuid)"},
        {SignOutScope::Local, "user_id = cast(? as uuid) and session_id = cast(? as uuid)"},
        {SignOutScope::Others, "user_id = cast(? as uuid) and session_id <> cast(? as uuid)"},
    };
    QVariantList values{userId};
    if (scope != SignOutScope::Global)
        values << sessionId;
    Transaction transaction = database.begin();
    QSqlQuery query = transaction.query();
    return transaction.exec(query,
                            "update auth.refresh_tokens set revoked = true where not revoked and "
                                + conditions.value(scope),
                            values)
        && transaction.commit();
}
