#include "platform/Autostart.h"

#include "platform/AppId.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

// A desktop entry's Exec argument: quoted, with the characters the format reserves
// inside quotes escaped.
QString QuotedArgument(const QString& path)
{
    QString quoted;
    for (QChar c : path) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

QString AutostartCommand()
{
    const QString self = QCoreApplication::applicationFilePath();
    const QString found = QStandardPaths::findExecutable(QStringLiteral("pinleaf"));
    if (!found.isEmpty() &&
        QFileInfo(found).canonicalFilePath() == QFileInfo(self).canonicalFilePath())
        return QStringLiteral("pinleaf");
    return QuotedArgument(self);
}

QString AutostartFile()
{
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty() || !QDir::isAbsolutePath(config))
        config = QDir::homePath() + QStringLiteral("/.config");
    return config + QStringLiteral("/autostart/") +
           QString::fromLatin1(AppId.data(), qsizetype(AppId.size())) + QStringLiteral(".desktop");
}

bool StartsAtLogin()
{
    return QFileInfo::exists(AutostartFile());
}

bool SetStartAtLogin(bool on, QString* error)
{
    const QString path = AutostartFile();
    if (!on) {
        QFile file(path);
        if (!file.exists() || file.remove())
            return true;
        *error = file.errorString();
        return false;
    }
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        *error = QCoreApplication::translate("Autostart", "cannot create the folder %1")
                     .arg(QFileInfo(path).absolutePath());
        return false;
    }
    const QString id = QString::fromLatin1(AppId.data(), qsizetype(AppId.size()));
    const QString entry = QStringLiteral("[Desktop Entry]\n"
                                         "Type=Application\n"
                                         "Name=Pinleaf\n"
                                         "Comment=Sticky notes, started at login\n"
                                         "Exec=%1\n"
                                         "Icon=%2\n"
                                         "Terminal=false\n"
                                         "X-GNOME-Autostart-enabled=true\n")
                              .arg(AutostartCommand(), id);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(entry.toUtf8()) < 0 || !file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

bool RefreshStartAtLogin(QString* error)
{
    QFile file(AutostartFile());
    if (!file.open(QIODevice::ReadOnly))
        return true; // off
    const QString exec = QStringLiteral("Exec=") + AutostartCommand();
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    file.close();
    if (lines.contains(exec))
        return true;
    return SetStartAtLogin(true, error);
}
