#include "dialogs/DialogFont.h"

#include "model/SNote.h"
#include "platform/DialogUnits.h"
#include "platform/Text.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace {
// Room a push button needs around its text (frame and a little air on each side).
constexpr int ButtonMargin = 6;
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
    // A button keeps the dialog font; one too narrow for its text grows about its middle,
    // and the dialog widens when a button would reach past its edge.
    int dialogWidth = dialog->width();
    for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
        const int needed =
            QFontMetrics(button->font()).horizontalAdvance(button->text()) + ButtonMargin;
        if (needed <= button->width())
            continue;
        const int grow = needed - button->width();
        QRect place = button->geometry().adjusted(-grow / 2, 0, grow - grow / 2, 0);
        if (place.left() < 0)
            place.moveLeft(0);
        button->setGeometry(place);
        dialogWidth = std::max(dialogWidth, place.right() + 1 + DluX(7));
    }
    if (dialogWidth > dialog->width()) {
        if (dialog->minimumWidth() == dialog->maximumWidth())
            dialog->setFixedWidth(dialogWidth);
        else
            dialog->resize(dialogWidth, dialog->height());
    }
}
