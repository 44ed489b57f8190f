#include "platform/Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#ifndef PINLEAF_TRANSLATIONS_FROM_BIN
#define PINLEAF_TRANSLATIONS_FROM_BIN "../share/pinleaf/translations"
#endif

namespace {

bool IsEnglish(const QString& language)
{
    return language == QLatin1String("C") || language == QLatin1String("POSIX") ||
           language.startsWith(QLatin1String("en"), Qt::CaseInsensitive);
}

} // namespace

QStringList TranslationFolders()
{
    const QString bin = QCoreApplication::applicationDirPath();
    return {
        bin + QStringLiteral("/translations"),
        QDir::cleanPath(bin + QLatin1Char('/') + QStringLiteral(PINLEAF_TRANSLATIONS_FROM_BIN))};
}

QStringList UserLanguages()
{
    return QLocale::system().uiLanguages();
}

QString LoadTranslations(QCoreApplication& app, const QStringList& folders,
                         const QStringList& languages)
{
    for (QString language : languages) {
        if (IsEnglish(language))
            return {};
        // "de-AT" looks for pinleaf_de_AT, then pinleaf_de (the loader drops parts).
        language.replace(QLatin1Char('-'), QLatin1Char('_'));
        auto* own = new QTranslator(&app);
        bool found = false;
        for (const QString& folder : folders)
            if ((found = own->load(QStringLiteral("pinleaf_") + language, folder)))
                break;
        if (!found) {
            delete own;
            continue;
        }
        app.installTranslator(own);
        // Qt's own texts (standard buttons, the font dialog) in the same language, when
        // the system has them.
        auto* qt = new QTranslator(&app);
        if (qt->load(QStringLiteral("qtbase_") + language,
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            app.installTranslator(qt);
        else
            delete qt;
        return own->language();
    }
    return {};
}
