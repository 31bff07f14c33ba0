#include "authendpoints.h"

#include "randomtext.h"
#include "requestparsing.h"

#include <QDebug>
#include <QRegularExpression>

using RequestParsing::stringMember;
using Outcome = AccountStore::Outcome;

namespace {

constexpr int minimumPasswordLength = 6;
constexpr int maximumPasswordBytes = 72; // bcrypt ignores anything longer

// 256 random bits: refresh tokens and confirmation tokens.
QString newRandomToken()
{
    return RandomText::urlSafe(32);
}

QString normalizedEmail(const QString &email)
{
    return email.trimmed().toLower();
}

bool isValidEmail(const QString &email)
{
    static const QRegularExpression pattern(R"(^[^@\s]+@[^@\s.]+(\.[^@\s.]+)+$)");
    return email.size() <= 255 && pattern.match(email).hasMatch();
}

ApiReply internalError()
{
    return ApiReply::authError(500, "unexpected_failure", "Database error, please try again");
}

ApiReply badJson()
{
    return ApiReply::authError(400, "bad_json", "Could not parse request body as JSON");
}

std::optional<AccountStore::SignOutScope> signOutScope(const QString &scope)
{
    if (scope.isEmpty() || scope == "global")
        return AccountStore::SignOutScope::Global;
    if (scope == "local")
        return AccountStore::SignOutScope::Local;
    if (scope == "others")
        return AccountStore::SignOutScope::Others;
    return std::nullopt;
}

} // namespace

AuthEndpoints::AuthEndpoints(AccountStore &accounts, const TokenService &tokens,
                             bool requireConfirmation)
    : accounts(accounts)
    , tokens(tokens)
    , requireConfirmation(requireConfirmation)
{
}

void AuthEndpoints::setPublicUrl(const QString &url)
{
    publicUrl = url;
}

ApiReply AuthEndpoints::signUp(const QByteArray &body)
{
    const auto request = RequestParsing::jsonObject(body);
    if (!request)
        return badJson();
    const QString email = normalizedEmail(stringMember(*request, "email").value_or(QString()));
    const QString password = stringMember(*request, "password").value_or(QString());
    if (!isValidEmail(email))
        return ApiReply::authError(400, "validation_failed",
                                   "Unable to validate email address: invalid format");
    if (password.toUcs4().size() < minimumPasswordLength)
        return ApiReply::authError(422, "weak_password",
                                   "Password should be at least 6 characters.");
    if (password.toUtf8().size() > maximumPasswordBytes)
        return ApiReply::authError(422, "validation_failed",
                                   "Password cannot be longer than 72 characters");

    const QString confirmationToken = requireConfirmation ? newRandomToken() : QString();
    const auto created = accounts.createUser(email, password, !requireConfirmation,
                                             confirmationToken);
    if (created.outcome == Outcome::Duplicate)
        return ApiReply::authError(422, "user_already_exists", "User already registered");
    if (created.outcome != Outcome::Ok)
        return internalError();
    if (requireConfirmation) {
        qInfo().noquote() << QString("confirmation link for %1: %2/auth/v1/verify?token=%3&type=signup")
                                 .arg(email, publicUrl, confirmationToken);
        return ApiReply::json(200, created.user);
    }
    const auto session = startSession(created.user);
    return session ? ApiReply::json(200, *session) : internalError();
}

ApiReply AuthEndpoints::token(const QString &grantType, const QByteArray &body)
{
    if (grantType == "password")
        return passwordGrant(body);
    if (grantType == "refresh_token")
        return refreshGrant(body);
    return ApiReply::json(400, QJsonObject{{"error", "unsupported_grant_type"},
                                           {"error_description", "Unsupported grant type"}});
}

ApiReply AuthEndpoints::verify(const QUrlQuery &query)
{
    const QString type = query.queryItemValue("type");
    const QString token = query.queryItemValue("token");
    const ApiReply expired =
        ApiReply::authError(403, "otp_expired", "Email link is invalid or has expired");
    if ((type != "signup" && type != "email") || token.isEmpty() || token.contains(QChar(0)))
        return expired;
    const auto confirmed = accounts.confirm(token);
    if (confirmed.outcome == Outcome::NotFound)
        return expired;
    if (confirmed.outcome != Outcome::Ok)
        return internalError();
    return {200, "<!doctype html><title>Tintora</title><p>Your e-mail address is confirmed. "
                 "You can sign in to Tintora now.</p>\n",
            "text/html; charset=utf-8"};
}

ApiReply AuthEndpoints::user(const QByteArray &bearerToken)
{
    ApiReply refusal;
    const auto bearer = signedInUser(bearerToken, &refusal);
    if (!bearer)
        return refusal;
    const auto found = accounts.findSessionUser(bearer->userId(), bearer->sessionId());
    switch (found.outcome) {
    case Outcome::Ok:
        return ApiReply::json(200, found.user);
    case Outcome::NotFound:
        return ApiReply::authError(403, "user_not_found", "User from sub claim in JWT does not exist");
    case Outcome::NoSession:
        return ApiReply::authError(403, "session_not_found",
                                   "Session from session_id claim in JWT does not exist");
    default:
        return internalError();
    }
}

ApiReply AuthEndpoints::logout(const QByteArray &bearerToken, const QString &scope)
{
    ApiReply refusal;
    const auto bearer = signedInUser(bearerToken, &refusal);
    if (!bearer)
        return refusal;
    const auto signOut = signOutScope(scope);
    if (!signOut)
        return ApiReply::authError(400, "validation_failed", "Unsupported logout scope");
    if (!accounts.signOut(bearer->userId(), bearer->sessionId(), *signOut))
        return internalError();
    return ApiReply::empty(204);
}

AuthEndpoints::SignIn AuthEndpoints::signInWithPassword(const QString &email,
                                                        const QString &password)
{
    const auto checked = accounts.checkPassword(normalizedEmail(email), password);
    if (checked.outcome != Outcome::Ok)
        return {checked.outcome, {}};
    const auto session = startSession(checked.user);
    if (!session)
        return {Outcome::Failed, {}};
    return {Outcome::Ok, *session};
}

ApiReply AuthEndpoints::passwordGrant(const QByteArray &body)
{
    const auto request = RequestParsing::jsonObject(body);
    if (!request)
        return badJson();
    const auto email = stringMember(*request, "email");
    const auto password = stringMember(*request, "password");
    if (!email || !password || email->isEmpty() || password->isEmpty())
        return ApiReply::grantError("Invalid login credentials");
    const SignIn signIn = signInWithPassword(*email, *password);
    switch (signIn.outcome) {
    case Outcome::Ok:
        return ApiReply::json(200, signIn.session);
    case Outcome::NotConfirmed:
        return ApiReply::grantError("Email not confirmed");
    case Outcome::InvalidCredentials:
        return ApiReply::grantError("Invalid login credentials");
    default:
        return internalError();
    }
}

ApiReply AuthEndpoints::refreshGrant(const QByteArray &body)
{
    const auto request = RequestParsing::jsonObject(body);
    if (!request)
        return badJson();
    const QString usedToken = stringMember(*request, "refresh_token").value_or(QString());
    if (usedToken.isEmpty())
        return ApiReply::grantError("Invalid Refresh Token: Refresh Token Not Found");
    const QString nextToken = newRandomToken();
    const auto rotated = accounts.rotate(usedToken, nextToken);
    switch (rotated.outcome) {
    case Outcome::Ok:
        return ApiReply::json(200, tokens.session(rotated.user, rotated.sessionId, nextToken));
    case Outcome::AlreadyUsed:
        return ApiReply::grantError("Invalid Refresh Token: Already Used");
    case Outcome::NotFound:
        return ApiReply::grantError("Invalid Refresh Token: Refresh Token Not Found");
    default:
        return internalError();
    }
}

std::optional<QJsonObject> AuthEndpoints::startSession(const QJsonObject &user)
{
    const QString refreshToken = newRandomToken();
    const auto started = accounts.startSession(user.value("id").toString(), refreshToken);
    if (started.outcome != Outcome::Ok)
        return std::nullopt;
    return tokens.session(user, started.sessionId, refreshToken);
}

std::optional<TokenService::Bearer> AuthEndpoints::signedInUser(const QByteArray &bearerToken,
                                                                ApiReply *refusal) const
{
    if (bearerToken.isEmpty()) {
        *refusal = ApiReply::authError(401, "no_authorization",
                                       "This endpoint requires a Bearer token");
        return std::nullopt;
    }
    const auto bearer = tokens.verify(bearerToken);
    if (!bearer.claims) {
        *refusal = ApiReply::authError(401, "bad_jwt", bearer.error);
        return std::nullopt;
    }
    if (!bearer.isUser()) {
        *refusal = ApiReply::authError(401, "bad_jwt", "invalid claim: missing sub claim");
        return std::nullopt;
    }
    return bearer;
}
