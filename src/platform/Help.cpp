#include "platform/Help.h"

#include "platform/Platform.h"
#include "platform/Text.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

#ifndef PINLEAF_HELP_FROM_BIN
#define PINLEAF_HELP_FROM_BIN "../share/doc/pinleaf/help"
#endif

namespace {

const QString kChm = QStringLiteral("Help.chm");
const QString kIndex = QStringLiteral("index.html");

bool IsFile(const QString& folder, const QString& name)
{
    return QFileInfo(QDir(folder).filePath(name)).isFile();
}

} // namespace

QStringList HelpFolders()
{
    const QString bin = QCoreApplication::applicationDirPath();
    return {bin, bin + QStringLiteral("/help"),
            QDir::cleanPath(bin + QLatin1Char('/') + QStringLiteral(PINLEAF_HELP_FROM_BIN))};
}

HelpFiles FindHelp(const QStringList& folders)
{
    HelpFiles found;
    if (QFileInfo(kChm).isFile())
        found.chm = kChm;
    for (const QString& folder : folders) {
        if (found.chm.isEmpty() && IsFile(folder, kChm))
            found.chm = QDir(folder).filePath(kChm);
        if (found.index.isEmpty() && IsFile(folder, kIndex))
            found.index = QDir(folder).filePath(kIndex);
    }
    return found;
}

bool DesktopOpensChm()
{
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"),
                                             QStringLiteral("application/vnd.ms-htmlhelp")});
    if (!query.waitForStarted(2000))
        return false;
    if (!query.waitForFinished(3000)) {
        query.kill();
        query.waitForFinished();
        return false;
    }
    return query.exitStatus() == QProcess::NormalExit && query.exitCode() == 0 &&
           !query.readAllStandardOutput().trimmed().isEmpty();
}

void OpenHelp()
{
    OpenHelp(HelpFolders());
}

void OpenHelp(const QStringList& folders)
{
    const HelpFiles help = FindHelp(folders);
    // Most desktops have no viewer for compiled help; every one has a browser.
    if (!help.chm.isEmpty() && DesktopOpensChm() && platform().open(FromQt(help.chm)))
        return;
    if (!help.index.isEmpty() && platform().open(FromQt(help.index)))
        return;

    QString text;
    if (!help.index.isEmpty() || !help.chm.isEmpty()) {
        const QString where =
            QFileInfo(help.index.isEmpty() ? help.chm : help.index).absolutePath();
        text = QCoreApplication::translate("Help",
                                           "No program on this desktop opens the help. It is in "
                                           "%1: open index.html there with a web browser.")
                   .arg(QDir::toNativeSeparators(where));
    } else {
        text =
            QCoreApplication::translate("Help", "The help pages were not found. They belong in %1.")
                .arg(QDir::toNativeSeparators(folders.isEmpty() ? QString() : folders.last()));
    }
    platform().ask(nullptr, FromQt(text),
                   FromQt(QCoreApplication::translate("Help", "Pinleaf Help")), MessageButtons::Ok,
                   MessageIcon::Information);
}
