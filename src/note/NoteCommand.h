#pragma once
// The note menu's command ids, a space of their own apart from the panel's. A value
// command is the first id of its group plus the value it sets; a group's "MarkLast" is
// the last id of its radio marks, which may lie past its last item.

#include "widgets/CommandId.h"

enum class NoteCommand : int {
    NoCommand = 0, // the title and the separators

    // "Size": size = id - Size120x140.
    Size120x140 = 10,
    Size132x152 = 11,
    Size145x165 = 12,
    Size150x110 = 13,
    Size162x122 = 14,
    Size175x135 = 15,
    // "Style": shape = id - StyleRectangle.
    StyleRectangle = 20,
    StyleRoundTop = 21,
    StyleRoundAll = 22,
    StyleCutBR = 23,
    StyleCutBL = 24,
    StyleCutTLBR = 25,
    StyleCutTRBL = 26,
    StyleRandom = 29,

    Save = 32, // as a new template
    Clone = 33,
    Close = 34,

    // "Color": colour = id - ColorRed.
    ColorRed = 40,
    ColorOrange = 41,
    ColorYellow = 42,
    ColorGreen1 = 43,
    ColorGreen2 = 44,
    ColorBlue1 = 45,
    ColorBlue2 = 46,
    ColorViolet = 47,
    ColorGray = 48,
    ColorWhite = 49,
    ColorRandom = 50,

    EditText = 51,
    EditFont = 52,

    // "Signature": signature kind = id - SignatureCategory.
    SignatureCategory = 100,
    SignatureTime = 101,
    SignatureVoid = 103,
    SignatureText = 104,

    // "Category": category i = FirstCategory + i.
    FirstCategory = 200,
};

template <> inline constexpr bool kIsCommand<NoteCommand> = true;
