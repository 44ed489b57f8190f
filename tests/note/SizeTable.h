#pragma once
// Every note size with its window and label rectangles in pixels.

#include <QRect>

struct SizeRow {
    int size;
    int w, h;
    QRect text;
    QRect signature;
};

// The six sizes and, as the last row, one outside the table (200 x 200).
inline const SizeRow kSizeRows[] = {
    {0, 120, 140, {8, 23, 104, 94}, {8, 121, 104, 15}},
    {1, 132, 152, {8, 23, 116, 106}, {8, 133, 116, 15}},
    {2, 145, 165, {8, 23, 129, 119}, {8, 146, 129, 15}},
    {3, 150, 110, {8, 23, 134, 64}, {8, 91, 134, 15}},
    {4, 162, 122, {8, 23, 146, 76}, {8, 103, 146, 15}},
    {5, 175, 135, {8, 23, 159, 89}, {8, 116, 159, 15}},
    {6, 200, 200, {8, 23, 184, 154}, {8, 181, 184, 15}},
};
