#pragma once

#include <QByteArray>
#include <QString>
#include <variant>

// Why an account operation failed.
struct BackendError {
    enum class Kind {
        notConfigured, // no account service address or key
        notSignedIn,   // the operation needs a signed-in user
        sessionMissing, // no stored session to restore or refresh
        transport,     // no answer: connection, timeout, TLS
        http,          // an answer with an error status
        relay,         // the function gateway could not run the function
        decoding,      // an answer that is not what was expected
    };

    Kind kind = Kind::transport;
    QString description;
    int status = 0;     // http
    QByteArray body;    // http, relay

    // What to tell a person: the service's own message for an error answer,
    // the description otherwise.
    QString readableText() const;

    static BackendError notConfigured();
    static BackendError notSignedIn();
    static BackendError http(int status, const QByteArray &body);
};

// A value or the error that prevented it.
template <typename T>
class Result
{
public:
    Result(T value) : m_value(std::move(value)) {}
    Result(BackendError error) : m_value(std::move(error)) {}

    bool ok() const { return std::holds_alternative<T>(m_value); }
    const T &value() const { return std::get<T>(m_value); }
    const BackendError &error() const { return std::get<BackendError>(m_value); }

private:
    std::variant<T, BackendError> m_value;
};

// The value of operations that only succeed or fail.
struct Done {};
