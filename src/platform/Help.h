#pragma once
// Opens the program's help file.

// "Help.chm" in the current directory when there is one, otherwise the copy installed
// beside the program (so help also works when started from a desktop menu).
void OpenHelp();
