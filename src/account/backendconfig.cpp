#include "backendconfig.h"

BackendConfig BackendConfig::fromBuildAndEnvironment()
{
    QString url = QStringLiteral(TINTORA_BACKEND_URL);
    QString key = QStringLiteral(TINTORA_BACKEND_KEY);
    if (qEnvironmentVariableIsSet("TINTORA_BACKEND_URL"))
        url = qEnvironmentVariable("TINTORA_BACKEND_URL");
    if (qEnvironmentVariableIsSet("TINTORA_BACKEND_KEY"))
        key = qEnvironmentVariable("TINTORA_BACKEND_KEY");
    while (url.endsWith(u'/'))
        url.chop(1);
    return {QUrl(url.trimmed()), key.trimmed()};
}
