#include "platform/Text.h"

#include <QFontDatabase>
#include <QStringDecoder>

#include <cmath>

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; 0 marks the five unused bytes.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

bool IsValidUtf8(const std::string& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    // decode() is lazy: the text must be taken for the decoder to see the bytes.
    const QString decoded =
        decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    return !decoder.hasError();
}

} // namespace

QString ToQt(const std::string& bytes)
{
    if (IsValidUtf8(bytes))
        return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (unsigned char c : bytes) {
        char16_t u = c;
        if (c >= 0x80 && c < 0xA0 && kCp1252High[c - 0x80] != 0)
            u = kCp1252High[c - 0x80];
        text.append(QChar(u));
    }
    return text;
}

std::string FromQt(const QString& text)
{
    return text.toUtf8().toStdString();
}

QFont ToQFont(const LogFont& lf)
{
    QFont font;
    const std::string face = lf.face();
    if (face.empty() || face == "MS Shell Dlg" || face == "MS Shell Dlg 2")
        font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    else
        font.setFamily(QString::fromStdString(face));
    // A damaged store can hold any height: keep the text drawable and the glyph cache
    // small (no real note font comes near the limit).
    constexpr long long kLargestPixelSize = 512;
    const long long height = lf.height;
    long long pixels = 11;
    if (height < 0)
        pixels = -height;
    else if (height > 0)
        pixels = std::llround(static_cast<double>(height) * 0.8);
    font.setPixelSize(static_cast<int>(std::clamp(pixels, 1LL, kLargestPixelSize)));
    if (lf.weight > 0)
        font.setWeight(static_cast<QFont::Weight>(std::clamp(lf.weight, 1, 1000)));
    else
        font.setWeight(QFont::Normal);
    font.setItalic(lf.italic != 0);
    font.setUnderline(lf.underline != 0);
    font.setStrikeOut(lf.strikeOut != 0);
    return font;
}

LogFont FromQFont(const QFont& font, const LogFont& base)
{
    LogFont lf = base;
    lf.setFace(font.family().toStdString());
    if (font.pixelSize() > 0)
        lf.height = -font.pixelSize();
    else
        lf.height = -static_cast<int>(std::lround(font.pointSizeF() * 96.0 / 72.0));
    lf.weight = font.weight();
    lf.italic = font.italic() ? 1 : 0;
    lf.underline = font.underline() ? 1 : 0;
    lf.strikeOut = font.strikeOut() ? 1 : 0;
    return lf;
}
