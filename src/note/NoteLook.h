#pragma once
// The fixed look of a note: its six sizes, ten colour pairs, seven outlines, where its
// labels sit, and how its creation time reads.

#include "model/SNote.h"

#include <QColor>
#include <QRect>
#include <QRegion>
#include <QSize>
#include <QString>

// Outer size of a note; sizes outside the table get 200 x 200.
QSize NoteSizePixels(int size);

struct NotePalette {
    QColor fill;
    QColor frame;
};
// Colours outside the table paint Yellow.
NotePalette NoteColors(int color);

// The visible area of a note of the given shape and size, in window coordinates.
// Rectangle (and any value outside the table) covers the whole window.
QRegion NoteRegion(int shape, QSize size);
// Whether the shape leaves the window rectangular (no mask).
bool IsRectangular(int shape);
// The pixels one step inside the region's edge: what the outline is painted on.
QRegion RegionFrame(const QRegion& region);

struct NoteLayout {
    QRect caption;
    QRect text;
    QRect signature;
};
NoteLayout NoteLayoutFor(QSize size);

// Short date and time (without seconds) in the user's locale, one blank between;
// an impossible date or time gives an empty part.
QString FormatCreationTime(const SystemTime& time);

// A uniform choice in 0..count-1 from a generator seeded with the clock's whole seconds
// just before the choice; never returns differentFrom (pass -1 to allow every value).
int RandomLookValue(int count, int differentFrom = -1);
