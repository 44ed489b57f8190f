#include "dialogs/DialogFont.h"

#include "model/SNote.h"
#include "platform/DialogUnits.h"
#include "platform/Text.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>

namespace {
// Room a push button needs around its text (frame and a little air on each side).
constexpr int ButtonMargin = 6;
constexpr int SmallestPixelSize = 8;
} // namespace

QFont DialogFont()
{
    LogFont font;
    font.height = -Scaled(11);
    font.setFace("MS Shell Dlg");
    return ToQFont(font);
}

void FitTexts(QWidget* dialog)
{
    for (QLabel* label : dialog->findChildren<QLabel*>()) {
        // Only plain text labels: link controls and the icon draw themselves.
        if (label->metaObject() != &QLabel::staticMetaObject || label->text().isEmpty())
            continue;
        const int needed = QFontMetrics(label->font()).horizontalAdvance(label->text()) + 2;
        if (needed > label->width())
            label->resize(needed, label->height());
    }
    for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
        QFont font = button->font();
        int size = font.pixelSize();
        while (size > SmallestPixelSize &&
               QFontMetrics(font).horizontalAdvance(button->text()) + ButtonMargin >
                   button->width()) {
            font.setPixelSize(--size);
        }
        if (font != button->font())
            button->setFont(font);
    }
}
