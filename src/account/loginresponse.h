#pragma once

#include "backenderror.h"

#include <QByteArray>
#include <QString>
#include <optional>

// The answer of the "login-session" server function.
struct LoginResponse {
    QString accessToken;
    QString refreshToken;
    QString userId;
    std::optional<QString> email;

    // Strict decoding; a failure is a decoding error whose description says
    // which key or value did not fit and where ("Key 'refresh_token'
    // missing. Path: []").
    static Result<LoginResponse> decode(const QByteArray &json);
};
