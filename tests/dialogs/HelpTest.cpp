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

// A desktop with a fake xdg-mime first on PATH: it names the viewer for compiled help
// that the file "viewer" holds (none while the file is empty).
class OpenHelpTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        previous = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(folder.path()));
        ASSERT_TRUE(QDir().mkpath(folder.filePath("bin")) && QDir().mkpath(helpFolder()));
        Write(folder.filePath("bin/xdg-mime"),
              "#!/bin/sh\n[ \"$*\" = \"query default application/vnd.ms-htmlhelp\" ] && cat '" +
                  folder.filePath("viewer").toUtf8() + "'\nexit 0\n");
        QFile(folder.filePath("bin/xdg-mime"))
            .setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                            QFileDevice::ExeOwner);
        path = qgetenv("PATH");
        qputenv("PATH", folder.filePath("bin").toUtf8() + ":" + path);
        SetViewer("");
    }
    void TearDown() override
    {
        qputenv("PATH", path);
        QDir::setCurrent(previous);
    }
    static void Write(const QString& file, const QByteArray& bytes)
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    void SetViewer(const QByteArray& desktopFile) { Write(folder.filePath("viewer"), desktopFile); }
    QString helpFolder() const { return folder.filePath("share/doc/pinleaf/help"); }

    FakePlatform fake;
    QTemporaryDir folder;
    QString previous;
    QByteArray path;
};

TEST_F(OpenHelpTest, OpensTheFileInTheCurrentDirectoryWhenThere)
{
    SetViewer("xchm.desktop\n");
    Write(folder.filePath("Help.chm"), "ITSF");
    Write(helpFolder() + "/Help.chm", "ITSF");
    OpenHelp({helpFolder()});
    ASSERT_EQ(fake.opened.size(), 1u);
    EXPECT_EQ(fake.opened[0], "Help.chm");
}

TEST_F(OpenHelpTest, CompiledHelpOnlyWithAViewerElseTheHtmlPagesElseAMessage)
{
    Write(helpFolder() + "/Help.chm", "ITSF");
    Write(helpFolder() + "/index.html", "<html></html>");
    const std::string chm = (helpFolder() + "/Help.chm").toStdString();
    const std::string index = (helpFolder() + "/index.html").toStdString();

    SetViewer("xchm.desktop\n");
    OpenHelp({QStringLiteral("/nonexistent"), helpFolder()});
    SetViewer("");
    OpenHelp({helpFolder()});
    EXPECT_EQ(fake.opened, (std::vector<std::string>{chm, index}));
    EXPECT_TRUE(fake.asked.empty());

    // Nothing on the desktop opens either: the message says where the pages are.
    fake.opened.clear();
    fake.openSucceeds = false;
    OpenHelp({helpFolder()});
    EXPECT_EQ(fake.opened, (std::vector<std::string>{index}));
    ASSERT_EQ(fake.asked.size(), 1u);
    EXPECT_EQ(fake.asked[0].caption, "Pinleaf Help");
    EXPECT_NE(fake.asked[0].text.find(helpFolder().toStdString()), std::string::npos)
        << fake.asked[0].text;

    // No help files at all: where they belong.
    fake.opened.clear();
    fake.asked.clear();
    QDir(helpFolder()).removeRecursively();
    OpenHelp({helpFolder()});
    EXPECT_TRUE(fake.opened.empty());
    ASSERT_EQ(fake.asked.size(), 1u);
    EXPECT_NE(fake.asked[0].text.find("not found"), std::string::npos) << fake.asked[0].text;
}

} // namespace
