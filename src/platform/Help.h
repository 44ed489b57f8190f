#pragma once
// Opens the program's help: Help.chm when the desktop has a viewer for it, else the
// same pages as HTML in the browser, else a message that says where the help is.
// The panel and the notes use the same lookup.

#include <QString>
#include <QStringList>

struct HelpFiles {
    QString chm;   // "Help.chm" (current directory) or a full path; empty: none
    QString index; // full path of the HTML index; empty: none
};

// The folders the program looks in: its own (the build folder), its help/ subfolder,
// and the installed share/doc/pinleaf/help/ beside its bin/.
QStringList HelpFolders();
// Help.chm in the current directory, else the first of folders holding it; the first
// of folders holding index.html.
HelpFiles FindHelp(const QStringList& folders);
// Whether the desktop names a program for compiled help files (xdg-mime).
bool DesktopOpensChm();

void OpenHelp();
void OpenHelp(const QStringList& folders);
