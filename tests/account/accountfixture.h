#pragma once

#include "account/authmanager.h"
#include "localbackend.h"
#include "platform/preferencesstore.h"
#include "support/await.h"
#include "support/tempconfig.h"

#include <memory>

// One user of the local backend: a preferences file of their own and an
// account manager over it.
struct AccountUser {
    AccountUser(const LocalBackend &backend, const QString &name)
        : email(name + QStringLiteral("@example.com")), password(QStringLiteral("secret-") + name),
          config{backend.url(), QString::fromUtf8(backend.anonKey())}
    {
        preferences = std::make_unique<PreferencesStore>(dir.path() + QStringLiteral("/") + name + QStringLiteral(".conf"));
        auth = std::make_unique<AuthManager>(config, *preferences);
    }

    Result<Done> signUp() { return await<Done>([this](const auto &done) { auth->signUp(email, password, done); }); }
    Result<Done> signIn() { return await<Done>([this](const auto &done) { auth->signIn(email, password, done); }); }

    // Simulates a restart: a new account manager over the same preferences.
    void restart() { auth = std::make_unique<AuthManager>(config, *preferences); }

    QTemporaryDir dir;
    QString email;
    QString password;
    BackendConfig config;
    std::unique_ptr<PreferencesStore> preferences;
    std::unique_ptr<AuthManager> auth;
};
