// The About box: what it shows and where its links lead.

#include "dialogs/About.h"
#include "platform/MakerSite.h"
#include "support/FakePlatform.h"
#include "widgets/MyLink.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class AboutBox : public ::testing::Test {
protected:
    void SetUp() override
    {
        dialog.show();
        home = dialog.findChild<CMyLink*>("homePage");
        contact = dialog.findChild<CMyLink*>("contactForm");
        ASSERT_TRUE(home && contact);
    }
    QStringList Texts() const
    {
        QStringList texts;
        for (const QLabel* label : dialog.findChildren<QLabel*>())
            texts << label->text();
        return texts;
    }

    FakePlatform fake;
    CAboutDlg dialog;
    CMyLink* home = nullptr;
    CMyLink* contact = nullptr;
};

TEST_F(AboutBox, ShowsTheVersionTheLabelsAndTheIcon)
{
    EXPECT_EQ(dialog.windowTitle(), "About Pinleaf");
    EXPECT_EQ(dialog.size(), QSize(291, 154)); // 194 x 95 dialog units
    const QStringList texts = Texts();
    EXPECT_TRUE(texts.contains("Pinleaf version 1.65"));
    EXPECT_TRUE(texts.contains("Home page:"));
    EXPECT_TRUE(texts.contains("Contact form:"));
    const auto* icon = dialog.findChild<QLabel*>("icon");
    ASSERT_TRUE(icon);
    EXPECT_FALSE(icon->pixmap().isNull());
    EXPECT_EQ(icon->geometry(), QRect(10, 14, 30, 32));
}

TEST_F(AboutBox, LinksShowTheHomePageAndClickHereWithTheirTips)
{
    const QString homePage =
        QString::fromLatin1(MakerSite::HomePage().data(), MakerSite::HomePage().size());
    EXPECT_EQ(home->text(), "pinleaf.example.org");
    EXPECT_TRUE(homePage.startsWith("https://" + home->text() + "/"));
    EXPECT_TRUE(homePage.endsWith("/desktop_sticky_notes/index.php?id=Pinleaf155"));
    EXPECT_EQ(home->toolTip(), "Go to " + homePage + "!");
    EXPECT_EQ(contact->text(), "click here");
    EXPECT_EQ(contact->toolTip(), "Send email to support");
    // The links end where the layout has them; they start after the longer label's text
    // with a visible gap, also when the desktop font is wider than the layout's.
    EXPECT_EQ(home->geometry(), QRect(contact->x(), 43, 271 - contact->x(), 13));
    EXPECT_EQ(contact->geometry(), QRect(contact->x(), 63, 271 - contact->x(), 13));
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->text() != "Home page:" && label->text() != "Contact form:")
            continue;
        const int textEnd = label->x() + label->fontMetrics().horizontalAdvance(label->text());
        EXPECT_GE(contact->x() - textEnd, 5) << label->text().toStdString();
    }
}

TEST_F(AboutBox, ClickingALinkOpensItsPageThroughTheShell)
{
    QTest::mouseClick(contact, Qt::LeftButton);
    ASSERT_EQ(fake.opened.size(), 1u);
    EXPECT_EQ(fake.opened[0], std::string(MakerSite::ContactPage()));
    EXPECT_EQ(fake.opened[0], "https://pinleaf.example.org/contact.php?id=Pinleaf155");

    QTest::mouseClick(home, Qt::LeftButton);
    ASSERT_EQ(fake.opened.size(), 2u);
    EXPECT_EQ(fake.opened[1], std::string(MakerSite::HomePage()));
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(AboutBox, OkClosesIt)
{
    QTest::mouseClick(dialog.findChild<QPushButton*>("ok"), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(fake.opened.empty());
}

} // namespace
