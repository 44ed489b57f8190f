#pragma once
// The program's texts in the user's language: pinleaf_<lang>.qm from translations/ beside
// the program (the build folder) or from share/pinleaf/translations (installed), and Qt's
// own qtbase_<lang>.qm for the standard buttons. English is the source language and
// needs no file.

#include <QStringList>

class QCoreApplication;

// Where the program's .qm files are looked for, first match wins.
QStringList TranslationFolders();

// The user's languages, most wanted first, as the desktop says (LANGUAGE, LC_ALL,
// LC_MESSAGES, LANG).
QStringList UserLanguages();

// Installs the translators for the first of languages that has a translation ("de-AT"
// also takes "de"); stops at English. Returns the language of the program's translation
// installed ("de"), or an empty string.
QString LoadTranslations(QCoreApplication& app, const QStringList& folders = TranslationFolders(),
                         const QStringList& languages = UserLanguages());
