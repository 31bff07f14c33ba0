#include "apirouter.h"

#include "authendpoints.h"
#include "loginsessionfunction.h"
#include "requestparsing.h"
#include "tokenservice.h"
#include "usersettingsendpoint.h"

#include <QJsonDocument>

using Method = QHttpServerRequest::Method;
using RequestParsing::bearerToken;

ApiRouter::ApiRouter(AuthEndpoints &auth, UserSettingsEndpoint &userSettings,
                     const TokenService &tokens)
    : tokens(tokens)
{
    // Open like the hosted gateway's: a health probe, and the link opened from an e-mail.
    routes["/auth/v1/health"] = {false, {{Method::Get, [](const QHttpServerRequest &) {
        return ApiReply::json(200, QJsonObject{{"name", "tintora-local"}});
    }}}};
    routes["/auth/v1/verify"] = {false, {{Method::Get, [&auth](const QHttpServerRequest &request) {
        return auth.verify(request.query());
    }}}};

    routes["/auth/v1/signup"] = {true, {{Method::Post, [&auth](const QHttpServerRequest &request) {
        return auth.signUp(request.body());
    }}}};
    routes["/auth/v1/token"] = {true, {{Method::Post, [&auth](const QHttpServerRequest &request) {
        return auth.token(request.query().queryItemValue("grant_type"), request.body());
    }}}};
    routes["/auth/v1/user"] = {true, {{Method::Get, [&auth](const QHttpServerRequest &request) {
        return auth.user(bearerToken(request));
    }}}};
    routes["/auth/v1/logout"] = {true, {{Method::Post, [&auth](const QHttpServerRequest &request) {
        return auth.logout(bearerToken(request), request.query().queryItemValue("scope"));
    }}}};
    routes["/functions/v1/login-session"] = {
        true, {{Method::Post, [&auth](const QHttpServerRequest &request) {
            return LoginSessionFunction::invoke(auth, request.body());
        }}}};
    routes["/rest/v1/user_settings"] = {
        true,
        {{Method::Get,
          [this, &userSettings](const QHttpServerRequest &request) {
              ApiReply refusal;
              const auto identity = tableIdentity(request, &refusal);
              return identity ? userSettings.select(request.query(), *identity) : refusal;
          }},
         {Method::Post, [this, &userSettings](const QHttpServerRequest &request) {
              ApiReply refusal;
              const auto identity = tableIdentity(request, &refusal);
              return identity ? userSettings.upsert(request.query(),
                                                    RequestParsing::header(request, "prefer"),
                                                    request.body(), *identity)
                              : refusal;
          }}}};
}

ApiReply ApiRouter::route(const QHttpServerRequest &request) const
{
    const QString path = request.url().path();
    const auto found = routes.constFind(path);
    const bool needsApiKey = found == routes.cend() || found->needsApiKey;
    if (needsApiKey) {
        const QByteArray apiKey = RequestParsing::header(request, "apikey");
        if (apiKey.isEmpty())
            return ApiReply::gatewayError(401, "No API key found in request");
        if (!tokens.isAnonKey(apiKey))
            return ApiReply::gatewayError(401, "Invalid API key");
    }
    if (found == routes.cend()) {
        if (path.startsWith("/rest/v1/"))
            return ApiReply::restError(404, "PGRST205",
                                       QString("Could not find the table 'public.%1' in the schema cache")
                                           .arg(path.mid(9)));
        return ApiReply::gatewayError(404, "no Route matched with those values");
    }
    const auto handler = found->handlers.constFind(request.method());
    if (handler == found->handlers.cend())
        return ApiReply::gatewayError(405, "Method Not Allowed");
    return (*handler)(request);
}

std::optional<RequestIdentity> ApiRouter::tableIdentity(const QHttpServerRequest &request,
                                                        ApiReply *refusal) const
{
    const QByteArray token = bearerToken(request);
    if (token.isEmpty())
        return RequestIdentity{RequestRole::Anon, R"({"role":"anon"})"};
    const auto bearer = tokens.verify(token);
    if (!bearer.claims) {
        *refusal = ApiReply::restError(401, "PGRST301", bearer.error);
        return std::nullopt;
    }
    return RequestIdentity{bearer.isUser() ? RequestRole::Authenticated : RequestRole::Anon,
                           QJsonDocument(*bearer.claims).toJson(QJsonDocument::Compact)};
}
