#pragma once

#include <QJsonObject>
#include <QString>

class Database;

// Users and refresh tokens in the auth schema. Passwords are hashed by the database with bcrypt;
// the server never keeps or compares them itself.
class AccountStore
{
public:
    enum class Outcome {
        Ok,
        Duplicate,          // the e-mail address is taken
        InvalidCredentials, // unknown address or wrong password
        NotConfirmed,       // right password, address not confirmed yet
        NotFound,           // no such token or user
        AlreadyUsed,        // the refresh token was rotated or revoked
        NoSession,          // the session was signed out
        Failed,             // the database failed; logged
    };
    enum class SignOutScope { Global, Local, Others };

    struct Result
    {
        Outcome outcome = Outcome::Failed;
        QJsonObject user; // the user object the auth endpoints answer with, when Ok
        QString sessionId;
    };

    explicit AccountStore(Database &database);

    Result createUser(const QString &email, const QString &password, bool confirmed,
                      const QString &confirmationToken);
    Result checkPassword(const QString &email, const QString &password);
    Result confirm(const QString &confirmationToken);
    Result findSessionUser(const QString &userId, const QString &sessionId);
    // Starts a new session whose first refresh token is `refreshToken`.
    Result startSession(const QString &userId, const QString &refreshToken);
    // Revokes `usedToken` and hands its session on to `nextToken`, both or neither.
    Result rotate(const QString &usedToken, const QString &nextToken);
    bool signOut(const QString &userId, const QString &sessionId, SignOutScope scope);

private:
    Database &database;
};
