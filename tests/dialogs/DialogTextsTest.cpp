// The fixed dialog layouts must still show every text whole in the desktop's font.

#include "dialogs/About.h"
#include "dialogs/Category.h"
#include "dialogs/EditText.h"
#include "model/Collections.h"
#include "model/Factory.h"
#include "support/FakePlatform.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

void ExpectWholeTexts(QDialog& dialog)
{
    dialog.show();
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->text().isEmpty())
            continue;
        const int advance = QFontMetrics(label->font()).horizontalAdvance(label->text());
        EXPECT_LE(advance, label->width()) << label->text().toStdString();
        EXPECT_LE(label->geometry().right(), dialog.width()) << label->text().toStdString();
    }
    for (const QPushButton* button : dialog.findChildren<QPushButton*>()) {
        const int advance = QFontMetrics(button->font()).horizontalAdvance(button->text());
        EXPECT_LT(advance, button->width() - 4) << button->text().toStdString();
        EXPECT_GE(button->font().pixelSize(), 8) << button->text().toStdString();
    }
}

TEST(DialogTexts, EveryLabelAndButtonShowsItsWholeText)
{
    FakePlatform fake;
    Categories categories;
    LoadFactoryCategories(categories);
    Templates templates;
    LoadFactoryTemplates(templates, fake.clock);

    CCategory category(categories);
    ExpectWholeTexts(category);
    CEditText editText(templates, 0);
    ExpectWholeTexts(editText);
    CAboutDlg about;
    ExpectWholeTexts(about);
}

} // namespace
