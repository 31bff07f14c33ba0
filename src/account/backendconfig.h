#pragma once

#include <QString>
#include <QUrl>

// Where the account service lives: the project address and its public
// anonymous key. Set at build time (CMake cache variables of the same names)
// and overridden by the environment variables TINTORA_BACKEND_URL and
// TINTORA_BACKEND_KEY.
struct BackendConfig {
    QUrl url;
    QString anonKey;

    bool isConfigured() const { return url.isValid() && !url.host().isEmpty() && !anonKey.isEmpty(); }

    static BackendConfig fromBuildAndEnvironment();
};
