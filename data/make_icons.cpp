// Writes the program's icon as PNG files of the sizes given, for the icon theme:
// make_icons OUTDIR SIZE... -> OUTDIR/SIZExSIZE.png
#include "platform/AppIcon.h"

#include <QString>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: make_icons OUTDIR SIZE...\n");
        return 2;
    }
    for (int i = 2; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        const QString file =
            QStringLiteral("%1/%2x%2.png").arg(QString::fromLocal8Bit(argv[1])).arg(size);
        if (size <= 0 || !DrawAppIcon(size).save(file, "PNG")) {
            std::fprintf(stderr, "make_icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
