#pragma once
// The panel's command ids: every item of the panel's menus carries one, the panel sends
// some to itself and the hot keys send others. The numbers are fixed (the hot-key mode
// is stored as a command's offset, and a value command is the first id of its group plus
// the value it sets), so new commands take free numbers and existing ones never move.
//
// A group's "Last" name is the last id its command accepts, its "MarkLast" the last id
// of its radio marks; both may lie past the group's last item.

#include "widgets/CommandId.h"

enum class PanelCommand : int {
    NoCommand = 0, // a separator or an item that acts on its own

    // "View": list view mode = id - ViewIcons.
    ViewIcons = 30,
    ViewList = 31,
    ViewLast = 32,
    ViewMarkLast = 33,

    // "Notes"
    MinimizeAll = 35,
    RestoreAll = 36,
    CloseAll = 37,
    CreateNote = 38,
    // Reopens the note closed last; a command of this program's own, beside "Create Note".
    ReopenClosedNote = 39,

    // "Sort": sort key = id - SortText.
    SortText = 40,
    SortCategory = 41,
    SortDate = 42,
    SortColor = 43,
    SortStyle = 44,
    SortSize = 45,
    SortLast = 49,
    SortMarkLast = 50,

    // "Options"
    ShowPanel = 50, // the item reads "Hide Panel" while the panel is shown
    AlwaysTop = 51,
    About = 52,
    Exit = 54,
    HelpTopic = 55,
    CategoryDialog = 57, // "Category..."
    ProductPage = 58,    // "Lastet Version" and "Home Page"
    ContactForm = 59,

    // "Color Panel": panel colour = id - PanelBlue.
    PanelBlue = 60,
    PanelRed = 61,
    PanelGray = 62,
    PanelGreen = 63,
    PanelViolet = 64,
    PanelColorMarkLast = 69,

    // "Style Panel": panel style = id - PanelRectangle.
    PanelRectangle = 70,
    PanelRoundAngles = 71,
    PanelCutTLBR = 72,
    PanelCutTRBL = 73,
    PanelStyleLast = 74,
    PanelStyleMarkLast = 79,

    // "Hot keys": hot-key mode = id - LeftKeys.
    LeftKeys = 75,
    RightKeys = 76,
    NoHotKeys = 77,
    HotKeysMarkLast = 78,
    HotKeysLast = 79,

    // The template menu, acting on the template that was right-clicked (TemplateFirst to
    // TemplateLast). "Signature": signature kind = id - SignatureCategory.
    TemplateFirst = 80,
    SignatureCategory = 80,
    SignatureTime = 81,
    SignatureVoid = 83,
    SignatureText = 84,
    SignatureTextMarkLast = 85,
    EditText = 90,
    EditFont = 92,
    Clone = 101,
    Default = 105,
    Delete = 106,
    // "Size": size = id - Size120x140.
    Size120x140 = 110,
    Size132x152 = 111,
    Size145x165 = 112,
    Size150x110 = 113,
    Size162x122 = 114,
    Size175x135 = 115,
    // "Style": shape = id - StyleRectangle; "Random" stands for the random value.
    StyleRectangle = 120,
    StyleRoundTop = 121,
    StyleRoundAll = 122,
    StyleCutBR = 123,
    StyleCutBL = 124,
    StyleCutTLBR = 125,
    StyleCutTRBL = 126,
    StyleRandom = 127,
    // "Color": colour = id - ColorRed; "Random" stands for the random value.
    ColorRed = 140,
    ColorOrange = 141,
    ColorYellow = 142,
    ColorGreen1 = 143,
    ColorGreen2 = 144,
    ColorBlue1 = 145,
    ColorBlue2 = 146,
    ColorViolet = 147,
    ColorGray = 148,
    ColorWhite = 149,
    ColorRandom = 150,
    ColorLast = 151,
    // "Category": category i of the menu = FirstCategory + i; then "Edit...".
    FirstCategory = 200,
    LastCategory = 229,
    EditCategories = 230,
    TemplateLast = 230,
};

template <> inline constexpr bool kIsCommand<PanelCommand> = true;
