#include "applinks.h"

namespace {

QUrl address(const char *variable, const char *built)
{
    const QString text = qEnvironmentVariableIsSet(variable) ? qEnvironmentVariable(variable) : QString::fromUtf8(built);
    const QUrl url(text.trimmed(), QUrl::StrictMode);
    return url.isValid() && !url.scheme().isEmpty() ? url : QUrl();
}

} // namespace

AppLinks AppLinks::configured()
{
    return {address("TINTORA_WEBSITE_URL", TINTORA_WEBSITE_URL), address("TINTORA_PRIVACY_URL", TINTORA_PRIVACY_URL),
            address("TINTORA_TERMS_URL", TINTORA_TERMS_URL), address("TINTORA_HELP_URL", TINTORA_HELP_URL)};
}
