#pragma once

#include "apireply.h"
#include "database.h"

#include <QHash>
#include <QHttpServerRequest>

#include <functional>

class AuthEndpoints;
class TokenService;
class UserSettingsEndpoint;

// Maps method and path to an endpoint, after the gateway's check that the request carries the
// installation's anon key.
class ApiRouter
{
public:
    ApiRouter(AuthEndpoints &auth, UserSettingsEndpoint &userSettings, const TokenService &tokens);

    ApiReply route(const QHttpServerRequest &request) const;

private:
    using Handler = std::function<ApiReply(const QHttpServerRequest &)>;
    struct Route
    {
        bool needsApiKey = true;
        QHash<QHttpServerRequest::Method, Handler> handlers;
    };

    // Who a table request runs as, from its Authorization header; `refusal` when the token is bad.
    std::optional<RequestIdentity> tableIdentity(const QHttpServerRequest &request,
                                                 ApiReply *refusal) const;

    const TokenService &tokens;
    QHash<QString, Route> routes;
};
