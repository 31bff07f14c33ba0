#include "tempconfig.h"

TempConfig::TempConfig()
    : m_previous(qgetenv("XDG_CONFIG_HOME")), m_hadPrevious(qEnvironmentVariableIsSet("XDG_CONFIG_HOME"))
{
    qputenv("XDG_CONFIG_HOME", m_dir.path().toUtf8());
}

TempConfig::~TempConfig()
{
    if (m_hadPrevious)
        qputenv("XDG_CONFIG_HOME", m_previous);
    else
        qunsetenv("XDG_CONFIG_HOME");
}

QString TempConfig::preferencesFile() const { return m_dir.path() + QStringLiteral("/Tintora/Tintora.conf"); }
