#include "platform/Help.h"

#include "platform/Platform.h"
#include "platform/Text.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {
const char* const HelpFile = "Help.chm";
}

void OpenHelp()
{
    if (QFileInfo(QString::fromLatin1(HelpFile)).isFile()) {
        platform().open(HelpFile);
        return;
    }
    platform().open(FromQt(QCoreApplication::applicationDirPath() + QLatin1Char('/') +
                           QString::fromLatin1(HelpFile)));
}
