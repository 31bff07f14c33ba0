#include "loginsessionfunction.h"

#include "authendpoints.h"
#include "requestparsing.h"

using Outcome = AccountStore::Outcome;

ApiReply LoginSessionFunction::invoke(AuthEndpoints &auth, const QByteArray &body)
{
    const auto request = RequestParsing::jsonObject(body);
    if (!request)
        return ApiReply::functionError(400, "Request body must be a JSON object");
    const QString email = RequestParsing::stringMember(*request, "email").value_or(QString());
    const QString password = RequestParsing::stringMember(*request, "password").value_or(QString());
    if (email.trimmed().isEmpty() || password.isEmpty())
        return ApiReply::functionError(400, "Email and password are required");

    const auto signIn = auth.signInWithPassword(email, password);
    switch (signIn.outcome) {
    case Outcome::Ok: {
        const QJsonObject user = signIn.session.value("user").toObject();
        return ApiReply::json(200, QJsonObject{
                                       {"access_token", signIn.session.value("access_token")},
                                       {"refresh_token", signIn.session.value("refresh_token")},
                                       {"user_id", user.value("id")},
                                       {"email", user.value("email")},
                                   });
    }
    case Outcome::InvalidCredentials:
        return ApiReply::functionError(401, "Invalid login credentials");
    case Outcome::NotConfirmed:
        // The right password for an address not yet confirmed: say so rather than "wrong password".
        return ApiReply::functionError(400, "Email not confirmed");
    default:
        return ApiReply::functionError(500, "Sign-in failed");
    }
}
