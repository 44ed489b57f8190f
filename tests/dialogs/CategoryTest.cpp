// The category list dialog, driven through its buttons as a user would.

#include "dialogs/Category.h"
#include "model/Collections.h"
#include "model/Factory.h"
#include "support/FakePlatform.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

std::vector<std::string> Names(std::initializer_list<const char*> names)
{
    return {names.begin(), names.end()};
}

class CategoryDialog : public ::testing::Test {
protected:
    void Open(std::initializer_list<const char*> names)
    {
        categories.clear();
        for (const char* name : names)
            categories.append(name);
        OpenWithCurrent();
    }
    void OpenWithCurrent()
    {
        dialog = std::make_unique<CCategory>(categories);
        dialog->show();
        list = dialog->findChild<QListWidget*>("categoryList");
        edit = dialog->findChild<QLineEdit*>("newCategory");
        ASSERT_TRUE(list && edit);
    }
    void Click(const char* button)
    {
        auto* b = dialog->findChild<QPushButton*>(button);
        ASSERT_TRUE(b) << button;
        QTest::mouseClick(b, Qt::LeftButton);
    }
    void Type(const QString& text)
    {
        edit->clear();
        QTest::keyClicks(edit, text);
    }
    void AddName(const QString& text)
    {
        Type(text);
        Click("add");
    }
    void ClickRow(int row)
    {
        QListWidgetItem* item = list->item(row);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(item).center());
    }
    QStringList Items() const
    {
        QStringList items;
        for (int i = 0; i < list->count(); ++i)
            items << list->item(i)->text();
        return items;
    }
    int Selected() const
    {
        auto selected = list->selectedItems();
        return selected.isEmpty() ? -1 : list->row(selected.first());
    }
    std::vector<std::string> Factory() const
    {
        Categories factory;
        LoadFactoryCategories(factory);
        return factory.all();
    }

    FakePlatform fake;
    Categories categories;
    std::unique_ptr<CCategory> dialog;
    QListWidget* list = nullptr;
    QLineEdit* edit = nullptr;
};

TEST_F(CategoryDialog, OpensWithTheListInOrderFirstSelectedAndAnEmptyEditField)
{
    Open({"Home", "Work", "Sport"});
    EXPECT_EQ(dialog->windowTitle(), "List of Category");
    // 145 x 185 dialog units, wider where a button's text needs it.
    EXPECT_EQ(dialog->height(), 300);
    EXPECT_GE(dialog->width(), 217);
    EXPECT_EQ(Items(), QStringList({"Home", "Work", "Sport"}));
    EXPECT_EQ(Selected(), 0);
    EXPECT_TRUE(edit->text().isEmpty());
    EXPECT_EQ(dialog->focusWidget(), edit);
    // The button keeps the dialog font and grows about its drawn middle to fit its text.
    const QPushButton* moveDown = dialog->findChild<QPushButton*>("moveDown");
    EXPECT_EQ(moveDown->font().pixelSize(), dialog->font().pixelSize());
    EXPECT_GE(moveDown->width(), QFontMetrics(moveDown->font()).horizontalAdvance("Move Down"));
    EXPECT_LE(std::abs(moveDown->geometry().center().x() - QRect(147, 170, 60, 22).center().x()),
              1);
    EXPECT_EQ(moveDown->y(), 170);
    EXPECT_LE(moveDown->geometry().right(), dialog->width() - 1);
}

TEST_F(CategoryDialog, AddPutsNewNamesOnTopAndDropsBlankAndExactDuplicates)
{
    Open({"Home", "Work"});
    AddName("   ");
    EXPECT_EQ(Items(), QStringList({"Home", "Work"}));
    EXPECT_TRUE(edit->text().isEmpty());

    AddName("Work");
    EXPECT_EQ(Items(), QStringList({"Home", "Work"}));
    EXPECT_TRUE(edit->text().isEmpty());

    AddName("Work ");
    AddName("home");
    AddName(" Big  plans ");
    EXPECT_EQ(Items(), QStringList({" Big  plans ", "home", "Work ", "Home", "Work"}));
    EXPECT_TRUE(edit->text().isEmpty());
    EXPECT_TRUE(fake.asked.empty());

    dialog->accept();
    EXPECT_EQ(categories.all(), Names({" Big  plans ", "home", "Work ", "Home", "Work"}));
}

TEST_F(CategoryDialog, EnterInTheEditFieldAddsAndKeepsTheDialogOpen)
{
    Open({"Home"});
    Type("Garden");
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(Items(), QStringList({"Garden", "Home"}));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(categories.all(), Names({"Home"}));
}

TEST_F(CategoryDialog, FiftyOneNamesAreRefusedWithAStopMessage)
{
    categories.clear();
    for (int i = 0; i < 49; ++i)
        categories.append("Name " + std::to_string(i));
    OpenWithCurrent();
    AddName("Fiftieth");
    EXPECT_EQ(list->count(), 50);
    EXPECT_TRUE(fake.asked.empty());

    AddName("Fifty-first");
    EXPECT_EQ(list->count(), 50);
    EXPECT_FALSE(Items().contains("Fifty-first"));
    EXPECT_TRUE(edit->text().isEmpty());
    ASSERT_EQ(fake.asked.size(), 1u);
    EXPECT_EQ(fake.asked[0].text, "50 items is maximum!");
    EXPECT_EQ(fake.asked[0].caption, "Attention!");
    EXPECT_EQ(fake.asked[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(fake.asked[0].icon, MessageIcon::Stop);

    // A duplicate is still dropped silently at the limit, and Replace still works.
    AddName("Fiftieth");
    EXPECT_EQ(fake.asked.size(), 1u);
    ClickRow(3);
    Type("Renamed");
    fake.answers = {true};
    Click("replace");
    EXPECT_EQ(list->item(3)->text(), "Renamed");
    EXPECT_EQ(list->count(), 50);
}

TEST_F(CategoryDialog, ClickingAnItemCopiesItsTextAndReplaceRenamesItInPlace)
{
    Open({"Home", "Work", "Sport"});
    ClickRow(1);
    EXPECT_EQ(edit->text(), "Work");

    // Same text: nothing asked, nothing changed.
    Click("replace");
    EXPECT_TRUE(fake.asked.empty());
    EXPECT_EQ(Items(), QStringList({"Home", "Work", "Sport"}));

    Type("Office");
    fake.answers = {false};
    Click("replace");
    ASSERT_EQ(fake.asked.size(), 1u);
    EXPECT_EQ(fake.asked[0].text, "Do you want to replace selected item?");
    EXPECT_EQ(fake.asked[0].caption, "Confirmation");
    EXPECT_EQ(fake.asked[0].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(fake.asked[0].icon, MessageIcon::Question);
    EXPECT_EQ(Items(), QStringList({"Home", "Work", "Sport"}));
    EXPECT_EQ(edit->text(), "Office");

    fake.answers = {true};
    Click("replace");
    EXPECT_EQ(Items(), QStringList({"Home", "Office", "Sport"}));
    EXPECT_EQ(Selected(), 1);
    EXPECT_TRUE(edit->text().isEmpty());

    // An empty text or another item's text replaces all the same.
    fake.answers = {true};
    Click("replace");
    EXPECT_EQ(Items(), QStringList({"Home", "", "Sport"}));
}

TEST_F(CategoryDialog, ReplaceWithoutASelectionDoesNothing)
{
    Open({});
    Type("Lonely");
    Click("replace");
    EXPECT_TRUE(fake.asked.empty());
    EXPECT_EQ(list->count(), 0);
}

TEST_F(CategoryDialog, DeleteAsksSelectsTheFirstItemAndKeepsTheLastOne)
{
    Open({"Home", "Work", "Sport"});
    ClickRow(2);
    fake.answers = {false};
    Click("delete");
    ASSERT_EQ(fake.asked.size(), 1u);
    EXPECT_EQ(fake.asked[0].text, "Do you want delete - \"Sport\" ?");
    EXPECT_EQ(fake.asked[0].caption, "Brindle");
    EXPECT_EQ(fake.asked[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(Items(), QStringList({"Home", "Work", "Sport"}));

    fake.answers = {true};
    Click("delete");
    EXPECT_EQ(Items(), QStringList({"Home", "Work"}));
    EXPECT_EQ(Selected(), 0);

    fake.answers = {true};
    Click("delete");
    EXPECT_EQ(Items(), QStringList({"Work"}));

    fake.asked.clear();
    fake.answers = {true};
    Click("delete");
    EXPECT_TRUE(fake.asked.empty());
    EXPECT_EQ(Items(), QStringList({"Work"}));
}

TEST_F(CategoryDialog, MovesStopAtBothEnds)
{
    Open({"A", "B", "C"});
    Click("moveUp"); // first item selected: nothing
    EXPECT_EQ(Items(), QStringList({"A", "B", "C"}));
    Click("moveDown");
    Click("moveDown");
    EXPECT_EQ(Items(), QStringList({"B", "C", "A"}));
    EXPECT_EQ(Selected(), 2);
    Click("moveDown"); // last: nothing
    EXPECT_EQ(Items(), QStringList({"B", "C", "A"}));
    Click("moveUp");
    EXPECT_EQ(Items(), QStringList({"B", "A", "C"}));
    EXPECT_EQ(Selected(), 1);
    EXPECT_TRUE(edit->text().isEmpty());
}

TEST_F(CategoryDialog, SetDefaultResetsTheCollectionAtOnceEvenIfCancelled)
{
    Open({"Mine", "Yours"});
    fake.answers = {false};
    Click("setDefault");
    ASSERT_EQ(fake.asked.size(), 1u);
    EXPECT_EQ(fake.asked[0].text, "Do you want set default items?");
    EXPECT_EQ(fake.asked[0].caption, "Brindle");
    EXPECT_EQ(fake.asked[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(categories.all(), Names({"Mine", "Yours"}));

    AddName("Extra");
    fake.answers = {true};
    Click("setDefault");
    EXPECT_EQ(categories.all(), Factory());
    EXPECT_EQ(list->count(), static_cast<int>(Factory().size()));
    EXPECT_EQ(list->item(0)->text(), "Home");
    EXPECT_EQ(Selected(), -1);

    AddName("Extra");
    Click("cancel");
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(categories.all(), Factory());
}

TEST_F(CategoryDialog, SetDefaultThenOkKeepsTheFactoryOrder)
{
    Open({"Mine"});
    fake.answers = {true};
    Click("setDefault");
    Click("ok");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(categories.all(), Factory());
}

TEST_F(CategoryDialog, OkCopiesTheListInOrderAndCancelOrEscapeLeavesIt)
{
    Open({"Home", "Work"});
    AddName("Garden");
    ClickRow(2);
    Click("moveUp");
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(categories.all(), Names({"Home", "Work"}));

    OpenWithCurrent();
    AddName("Garden");
    ClickRow(2);
    Click("moveUp");
    Click("ok");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(categories.all(), Names({"Garden", "Work", "Home"}));
}

TEST_F(CategoryDialog, UntouchedNamesGoBackWithTheirOriginalBytes)
{
    categories.clear();
    categories.append("Caf\xe9"); // written by a Windows-1252 system
    OpenWithCurrent();
    EXPECT_EQ(list->item(0)->text(), QString::fromUtf8("Caf\u00e9"));
    edit->setText(QString::fromUtf8("Th\u00e9"));
    Click("add");
    Click("ok");
    EXPECT_EQ(categories.all(), Names({"Th\xc3\xa9", "Caf\xe9"}));
}

} // namespace
