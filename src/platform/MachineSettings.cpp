#include "platform/MachineSettings.h"

#include <QDir>
#include <QSettings>

namespace {

const QString kOnAllDesktops = QStringLiteral("onAllDesktops");

} // namespace

QString MachineSettingsFile()
{
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty() || !QDir::isAbsolutePath(config))
        config = QDir::homePath() + QStringLiteral("/.config");
    return config + QStringLiteral("/pinleaf/pinleaf.conf");
}

bool OnAllDesktopsSetting()
{
    const QSettings settings(MachineSettingsFile(), QSettings::IniFormat);
    return settings.value(kOnAllDesktops, false).toBool();
}

bool SetOnAllDesktopsSetting(bool on)
{
    QSettings settings(MachineSettingsFile(), QSettings::IniFormat);
    settings.setValue(kOnAllDesktops, on);
    settings.sync();
    return settings.status() == QSettings::NoError;
}
