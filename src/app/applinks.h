#pragma once

#include <QUrl>

// The web addresses the app opens: set at build time (CMake cache variables
// TINTORA_WEBSITE_URL, TINTORA_PRIVACY_URL, TINTORA_TERMS_URL and
// TINTORA_HELP_URL) and overridden by environment variables of the same
// names. An empty or unusable address makes its link do nothing.
struct AppLinks {
    QUrl website;
    QUrl privacyPolicy;
    QUrl termsOfService;
    QUrl help;

    static AppLinks configured();
};
