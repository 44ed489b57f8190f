#include "platform/MachineSettings.h"

#include <QDir>
#include <QSettings>

namespace {

const QString kOnAllDesktops = QStringLiteral("onAllDesktops");
const QString kSharedFolder = QStringLiteral("sharedFolder");

bool ReadFlag(const QString& key)
{
    const QSettings settings(MachineSettingsFile(), QSettings::IniFormat);
    return settings.value(key, false).toBool();
}

bool WriteFlag(const QString& key, bool on)
{
    QSettings settings(MachineSettingsFile(), QSettings::IniFormat);
    settings.setValue(key, on);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

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
    return ReadFlag(kOnAllDesktops);
}

bool SetOnAllDesktopsSetting(bool on)
{
    return WriteFlag(kOnAllDesktops, on);
}

bool SharedFolderSetting()
{
    return ReadFlag(kSharedFolder);
}

bool SetSharedFolderSetting(bool on)
{
    return WriteFlag(kSharedFolder, on);
}
