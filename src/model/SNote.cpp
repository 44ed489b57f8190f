#include "model/SNote.h"

#include <algorithm>
#include <cstring>

std::string LogFont::face() const
{
    return std::string(faceName, strnlen(faceName, sizeof faceName));
}

void LogFont::setFace(std::string_view name)
{
    std::memset(faceName, 0, sizeof faceName);
    std::memcpy(faceName, name.data(), std::min(name.size(), sizeof faceName - 1));
}

bool LogFont::operator==(const LogFont& o) const
{
    return height == o.height && width == o.width && escapement == o.escapement &&
           orientation == o.orientation && weight == o.weight && italic == o.italic &&
           underline == o.underline && strikeOut == o.strikeOut && charSet == o.charSet &&
           outPrecision == o.outPrecision && clipPrecision == o.clipPrecision &&
           quality == o.quality && pitchAndFamily == o.pitchAndFamily && face() == o.face();
}

bool SNote::operator==(const SNote& o) const
{
    return minimized == o.minimized && isDefault == o.isDefault && shape == o.shape &&
           size == o.size && color == o.color && signatureKind == o.signatureKind &&
           category == o.category && text == o.text && signatureText == o.signatureText &&
           left == o.left && top == o.top && font == o.font && created == o.created;
}
