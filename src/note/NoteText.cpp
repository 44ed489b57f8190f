#include "note/NoteText.h"

#include "platform/Text.h"

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
