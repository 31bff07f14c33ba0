#pragma once

#include "accountstore.h"
#include "apireply.h"
#include "tokenservice.h"

#include <QUrlQuery>

// The /auth/v1 endpoints, answering as the hosted auth service does.
class AuthEndpoints
{
public:
    struct SignIn
    {
        AccountStore::Outcome outcome;
        QJsonObject session; // when outcome is Ok
    };

    AuthEndpoints(AccountStore &accounts, const TokenService &tokens, bool requireConfirmation);

    // The server's own address, for the confirmation links it logs.
    void setPublicUrl(const QString &url);

    ApiReply signUp(const QByteArray &body);
    ApiReply token(const QString &grantType, const QByteArray &body);
    ApiReply verify(const QUrlQuery &query);
    ApiReply user(const QByteArray &bearerToken);
    ApiReply logout(const QByteArray &bearerToken, const QString &scope);
    // The password sign-in shared by the token endpoint and the login-session function.
    SignIn signInWithPassword(const QString &email, const QString &password);

private:
    ApiReply passwordGrant(const QByteArray &body);
    ApiReply refreshGrant(const QByteArray &body);
    std::optional<QJsonObject> startSession(const QJsonObject &user);
    // Checks an access token; on failure `refusal` holds the answer to give.
    std::optional<TokenService::Bearer> signedInUser(const QByteArray &bearerToken,
                                                     ApiReply *refusal) const;

    AccountStore &accounts;
    const TokenService &tokens;
    bool requireConfirmation;
    QString publicUrl;
};
