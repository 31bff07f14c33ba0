#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>

// One HTTP answer, independent of the HTTP server library so endpoints stay plain functions.
struct ApiReply
{
    int status = 200;
    QByteArray body;
    QByteArray contentType;

    static ApiReply json(int status, const QJsonObject &object);
    static ApiReply json(int status, const QJsonArray &array);
    static ApiReply rawJson(int status, QByteArray body);
    static ApiReply empty(int status);

    // The error shapes of the hosted platform's services.
    static ApiReply authError(int status, const QString &errorCode, const QString &message);
    static ApiReply grantError(const QString &description);
    static ApiReply restError(int status, const QString &code, const QString &message,
                              const QString &details = {}, const QString &hint = {});
    static ApiReply gatewayError(int status, const QString &message);
    static ApiReply functionError(int status, const QString &message);
};
