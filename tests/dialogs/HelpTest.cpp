// The help file built with the program, and how F1 finds it.

#include "platform/Help.h"
#include "support/FakePlatform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

TEST(HelpFile, IsACompiledHelpFileWithEveryPage)
{
    const QByteArray chm = ReadAll(QStringLiteral(PINLEAF_HELP_CHM));
    ASSERT_GT(chm.size(), 1000) << PINLEAF_HELP_CHM;
    EXPECT_EQ(chm.left(4), QByteArray("ITSF"));
    // The directory of a compiled help file names every stored page.
    for (const char* page :
         {"/index.html", "/notes.html", "/panel.html", "/templates.html", "/categories.html",
          "/menus.html", "/hotkeys.html", "/data.html", "/Help.hhc"})
        EXPECT_TRUE(chm.contains(page)) << page;
}

class OpenHelpTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        previous = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(folder.path()));
    }
    void TearDown() override { QDir::setCurrent(previous); }

    FakePlatform fake;
    QTemporaryDir folder;
    QString previous;
};

TEST_F(OpenHelpTest, OpensTheFileInTheCurrentDirectoryWhenThere)
{
    QFile file(folder.filePath("Help.chm"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    OpenHelp();
    ASSERT_EQ(fake.opened.size(), 1u);
    EXPECT_EQ(fake.opened[0], "Help.chm");
}

TEST_F(OpenHelpTest, OtherwiseOpensTheCopyBesideTheProgram)
{
    OpenHelp();
    ASSERT_EQ(fake.opened.size(), 1u);
    const std::string expected =
        (QCoreApplication::applicationDirPath() + "/Help.chm").toStdString();
    EXPECT_EQ(fake.opened[0], expected);
    EXPECT_NE(fake.opened[0], "Help.chm");
}

} // namespace
