#pragma once
// The note record, shared by open notes and templates, and the two Windows-shaped
// value types it carries (the stores keep their field layout).

#include <cstdint>
#include <string>
#include <string_view>

// A font description laid out like the classic LOGFONTA structure.
struct LogFont {
    std::int32_t height = 0;
    std::int32_t width = 0;
    std::int32_t escapement = 0;
    std::int32_t orientation = 0;
    std::int32_t weight = 0;
    std::uint8_t italic = 0;
    std::uint8_t underline = 0;
    std::uint8_t strikeOut = 0;
    std::uint8_t charSet = 0;
    std::uint8_t outPrecision = 0;
    std::uint8_t clipPrecision = 0;
    std::uint8_t quality = 0;
    std::uint8_t pitchAndFamily = 0;
    char faceName[32] = {};

    std::string face() const;
    // Cuts the name to 31 bytes and terminates it.
    void setFace(std::string_view name);

    bool operator==(const LogFont& other) const;
};

// A local date and time laid out like the classic SYSTEMTIME structure.
struct SystemTime {
    std::uint16_t year = 0;
    std::uint16_t month = 0;
    std::uint16_t dayOfWeek = 0;
    std::uint16_t day = 0;
    std::uint16_t hour = 0;
    std::uint16_t minute = 0;
    std::uint16_t second = 0;
    std::uint16_t milliseconds = 0;

    bool operator==(const SystemTime&) const = default;
};

// The values a record's shape, size, colour and signature fields hold. The fields stay
// plain 32-bit numbers, as the stores keep them (and keep values without a name too),
// so the names are scoped (NoteColor::Red) and still read as those numbers.
namespace NoteShape {
enum : std::int32_t {
    Rectangle = 0,
    RoundTop = 1,
    RoundAll = 2,
    CutBR = 3,
    CutBL = 4,
    CutTLBR = 5,
    CutTRBL = 6,
    RandomShape = 7,
};
} // namespace NoteShape

namespace NoteSize {
enum : std::int32_t {
    Size120x140 = 0,
    Size132x152 = 1,
    Size145x165 = 2,
    Size150x110 = 3,
    Size162x122 = 4,
    Size175x135 = 5,
};
} // namespace NoteSize

namespace NoteColor {
enum : std::int32_t {
    Red = 0,
    Orange = 1,
    Yellow = 2,
    Green1 = 3,
    Green2 = 4,
    Blue1 = 5,
    Blue2 = 6,
    Violet = 7,
    Gray = 8,
    White = 9,
    RandomColor = 10,
};
} // namespace NoteColor

namespace SignatureKind {
enum : std::int32_t {
    Category = 0,
    TimeCreate = 1,
    Void = 3,
    Text = 4,
};
} // namespace SignatureKind

struct SNote {
    bool minimized = false;
    bool isDefault = false;
    std::int32_t shape = 0;
    std::int32_t size = 0;
    std::int32_t color = 0;
    std::int32_t signatureKind = 0;
    std::string category;
    std::string text;
    std::string signatureText;
    std::int32_t left = 0;
    std::int32_t top = 0;
    LogFont font;
    SystemTime created;

    bool operator==(const SNote& other) const;
};
