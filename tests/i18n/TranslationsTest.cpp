// The German translation as the running program loads it: the .qm files the build made,
// found by language, reaching the menus, the tray, a note's name and Qt's own buttons.
// A program of its own: installed translators stay for the whole process.

#include "platform/Translations.h"
#include "model/Factory.h"
#include "panel/PanelMenus.h"
#include "panel/PanelTray.h"
#include "panel/TemplateListModel.h"
#include "widgets/NoteText.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

QStringList Texts(QMenu* menu)
{
    QStringList texts;
    for (QAction* action : menu->actions())
        if (!action->isSeparator())
            texts << action->text();
    return texts;
}

const QStringList kFolders{QStringLiteral("/nonexistent"),
                           QStringLiteral(PINLEAF_BUILD_TRANSLATIONS)};

TEST(Translations, EnglishFirstLoadsNothingAndEnglishStays)
{
    QCoreApplication& app = *QCoreApplication::instance();
    EXPECT_EQ(LoadTranslations(app, kFolders, {QStringLiteral("en-GB"), QStringLiteral("de")}),
              QString());
    EXPECT_EQ(LoadTranslations(app, kFolders, {QStringLiteral("fr-FR")}), QString());
    EXPECT_TRUE(app.findChildren<QTranslator*>().isEmpty());
    EXPECT_EQ(TrayBalloonTitle(), QStringLiteral("Pinleaf is here!"));
}

TEST(Translations, AGermanDesktopGetsGermanMenusTrayNamesAndQtButtons)
{
    QCoreApplication& app = *QCoreApplication::instance();
    // A language no file has is passed over; "de-AT" takes the German file.
    ASSERT_EQ(LoadTranslations(app, kFolders, {QStringLiteral("fr-FR"), QStringLiteral("de-AT")}),
              QStringLiteral("de"));

    QWidget owner;
    Categories categories;
    LoadFactoryCategories(categories);
    const PanelMenus menus = BuildMenus(&owner, categories, [](PanelCommand) {});
    EXPECT_EQ(
        Texts(menus.optionsMenu),
        (QStringList{"Panel zeigen", "Immer im Vordergrund", "Farbe des Panels", "Form des Panels",
                     "Notizen", "Tastenkürzel", "Kategorien...", "Hilfe", "Beim Anmelden starten",
                     "Auf allen Arbeitsflächen", "Geteilter Ordner", "Beenden"}));
    EXPECT_EQ(Texts(menus.helpMenu), (QStringList{"Hilfethemen    F1", "Neueste Version",
                                                  "Homepage", "Kontaktformular", "Über..."}));
    EXPECT_EQ(TrayBalloonTitle(), QStringLiteral("Pinleaf ist da!"));
    EXPECT_EQ(NoteTitle(QString()), QStringLiteral("Pinleaf-Notiz"));
    Templates templates;
    TemplateListModel model(templates);
    EXPECT_EQ(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("Kategorie"));

    // Qt's standard buttons come from Qt's own German file.
    QMessageBox box(QMessageBox::Question, QStringLiteral("t"), QStringLiteral("q"),
                    QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(box.button(QMessageBox::No)->text(), QStringLiteral("&Nein"));

    for (QTranslator* translator : app.findChildren<QTranslator*>())
        QCoreApplication::removeTranslator(translator);
}

} // namespace
