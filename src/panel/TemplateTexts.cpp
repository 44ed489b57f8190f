#include "panel/TemplateTexts.h"

#include <QtGlobal>

#include <ctime>

namespace {

// Sorting compares these English names; the list shows them translated (context
// "TemplateTexts").
constexpr const char* kColorNames[] = {
    QT_TRANSLATE_NOOP("TemplateTexts", "Red"),    QT_TRANSLATE_NOOP("TemplateTexts", "Orange"),
    QT_TRANSLATE_NOOP("TemplateTexts", "Yellow"), QT_TRANSLATE_NOOP("TemplateTexts", "Green1"),
    QT_TRANSLATE_NOOP("TemplateTexts", "Green2"), QT_TRANSLATE_NOOP("TemplateTexts", "Blue1"),
    QT_TRANSLATE_NOOP("TemplateTexts", "Blue2"),  QT_TRANSLATE_NOOP("TemplateTexts", "Violet"),
    QT_TRANSLATE_NOOP("TemplateTexts", "Gray"),   QT_TRANSLATE_NOOP("TemplateTexts", "White"),
    QT_TRANSLATE_NOOP("TemplateTexts", "Random")};
constexpr const char* kStyleNames[] = {QT_TRANSLATE_NOOP("TemplateTexts", "Rectangle"),
                                       QT_TRANSLATE_NOOP("TemplateTexts", "Round top"),
                                       QT_TRANSLATE_NOOP("TemplateTexts", "Round all"),
                                       QT_TRANSLATE_NOOP("TemplateTexts", "Cut BR"),
                                       QT_TRANSLATE_NOOP("TemplateTexts", "Cut BL"),
                                       QT_TRANSLATE_NOOP("TemplateTexts", "cut TL,BR"),
                                       QT_TRANSLATE_NOOP("TemplateTexts", "Cut TR,BL"),
                                       QT_TRANSLATE_NOOP("TemplateTexts", "Random")};
constexpr const char* kSizeNames[] = {"120 x 140", "132 x 152", "145 x 165",
                                      "150 x 110", "162 x 122", "175 x 135"};

} // namespace

const char* ColorName(int color)
{
    return kColorNames[ColorImageIndex(color)];
}

const char* StyleName(int shape)
{
    return (shape < 0 || shape > 7) ? kStyleNames[7] : kStyleNames[shape];
}

const char* SizeName(int size)
{
    return (size < 0 || size > 5) ? kSizeNames[1] : kSizeNames[size];
}

int ColorImageIndex(int color)
{
    return (color < 0 || color > 10) ? 10 : color;
}

std::string FormatCreated(const SystemTime& created, const char* format)
{
    std::time_t value = 0;
    if (created.year >= 1900) {
        std::tm parts{};
        parts.tm_year = created.year - 1900;
        parts.tm_mon = created.month - 1;
        parts.tm_mday = created.day;
        parts.tm_hour = created.hour;
        parts.tm_min = created.minute;
        parts.tm_sec = created.second;
        parts.tm_isdst = -1;
        value = std::mktime(&parts);
        if (value == static_cast<std::time_t>(-1))
            return {};
    }
    std::tm local{};
    if (!localtime_r(&value, &local))
        return {};
    char buffer[128];
    const std::size_t length = std::strftime(buffer, sizeof buffer, format, &local);
    if (length == 0)
        return {};
    return std::string(buffer, length);
}

std::string CreatedColumnText(const SystemTime& created)
{
    return FormatCreated(created, "%d/%m/%y %H:%M");
}
