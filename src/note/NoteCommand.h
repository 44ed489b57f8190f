#pragma once
// The note menu's command ids, a space of their own apart from the panel's. A value
// command is the first id of its group plus the value it sets; a group's "MarkLast" is
// the last id of its radio marks, which may lie past its last item.

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

// The number an item carries.
constexpr int Id(NoteCommand command)
{
    return static_cast<int>(command);
}

// The command of value value in the group that starts at first.
constexpr NoteCommand operator+(NoteCommand first, int value)
{
    return static_cast<NoteCommand>(Id(first) + value);
}

// The command value places before command.
constexpr NoteCommand operator-(NoteCommand command, int value)
{
    return static_cast<NoteCommand>(Id(command) - value);
}

// The value command stands for in the group that starts at first.
constexpr int operator-(NoteCommand command, NoteCommand first)
{
    return Id(command) - Id(first);
}

// Whether command lies in first..last.
constexpr bool InRange(NoteCommand command, NoteCommand first, NoteCommand last)
{
    return Id(command) >= Id(first) && Id(command) <= Id(last);
}
