#include "widgets/NoteText.h"

#include "platform/Text.h"

#include <QCoreApplication>
#include <QTextBoundaryFinder>

namespace {

// Far more than the widest label holds even of the narrowest characters.
constexpr qsizetype kShownStretch = 4096;

bool LeftToRight(QStringView part)
{
    for (QChar c : part) {
        switch (c.direction()) {
        case QChar::DirR:
        case QChar::DirAL:
        case QChar::DirRLE:
        case QChar::DirRLO:
        case QChar::DirRLI:
            return false;
        default:
            break;
        }
    }
    return true;
}

} // namespace

QString NoteTextToQt(const std::string& bytes)
{
    QString text = ToQt(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

std::string NoteTextFromQt(const QString& text)
{
    QString stored = text;
    stored.replace(QChar(0x2029), QLatin1Char('\n')); // paragraph separators from the editor
    stored.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    stored.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return FromQt(stored);
}

QString WrappedLabelText(const QString& text)
{
    if (text.size() <= kShownStretch)
        return text;
    QString shown;
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, text);
    qsizetype start = 0;
    for (qsizetype at = breaks.toNextBoundary(); at >= 0; at = breaks.toNextBoundary()) {
        // The blanks (or the line end) that make the break stay; so does the text's end.
        qsizetype blanks = at;
        while (blanks > start &&
               (text[blanks - 1] == QLatin1Char(' ') || text[blanks - 1] == QLatin1Char('\t') ||
                text[blanks - 1] == QLatin1Char('\n')))
            --blanks;
        qsizetype cut = start + kShownStretch;
        // Keep an "&" with the character it marks, and both halves of a pair.
        while (cut < blanks &&
               (text[cut - 1] == QLatin1Char('&') || text[cut - 1].isHighSurrogate()))
            ++cut;
        const bool cuttable = (blanks < at || at == text.size()) && cut < blanks &&
                              LeftToRight(QStringView(text).mid(start, cut - start));
        if (cuttable) {
            shown += QStringView(text).mid(start, cut - start);
            shown += QStringView(text).mid(blanks, at - blanks);
        } else {
            shown += QStringView(text).mid(start, at - start);
        }
        start = at;
    }
    shown += QStringView(text).mid(start);
    return shown;
}

QString NoteTitle(const QString& text)
{
    const QStringView all(text);
    for (qsizetype start = 0; start < all.size();) {
        qsizetype end = all.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = all.size();
        // Only the line's beginning matters: a megabyte pasted as one line costs nothing.
        QString title = all.mid(start, end - start).trimmed().left(kTitleChars * 4).toString();
        title = title.simplified();
        start = end + 1;
        if (title.isEmpty())
            continue;
        if (title.size() > kTitleChars) {
            qsizetype cut = kTitleChars - 3;
            if (title[cut - 1].isHighSurrogate())
                --cut;
            title = title.left(cut) + QStringLiteral("...");
        }
        return title;
    }
    return QCoreApplication::translate("CNote", "Pinleaf note");
}
