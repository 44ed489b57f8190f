<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>Autostart</name>
    <message>
        <source>cannot create the folder %1</source>
        <translation>der Ordner %1 kann nicht angelegt werden</translation>
    </message>
</context>
<context>
    <name>CAboutDlg</name>
    <message>
        <source>About Pinleaf</source>
        <translation>Über Pinleaf</translation>
    </message>
    <message>
        <source>Pinleaf version 1.65</source>
        <translation>Pinleaf Version 1.65</translation>
    </message>
    <message>
        <source>Home page:</source>
        <translation>Homepage:</translation>
    </message>
    <message>
        <source>Contact form:</source>
        <translation>Kontaktformular:</translation>
    </message>
    <message>
        <source>Sticky notes for your Linux desktop.</source>
        <translation>Haftnotizen für Ihren Linux-Desktop.</translation>
    </message>
    <message>
        <source>Go to %1!</source>
        <translation>Besuchen Sie %1!</translation>
    </message>
    <message>
        <source>click here</source>
        <translation>hier klicken</translation>
    </message>
    <message>
        <source>Send email to support</source>
        <translation>E-Mail an den Support senden</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CCategory</name>
    <message>
        <source>List of Category</source>
        <translation>Kategorienliste</translation>
    </message>
    <message>
        <source>New Category</source>
        <translation>Neue Kategorie</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Ersetzen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>Nach oben</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>Nach unten</translation>
    </message>
    <message>
        <source>Set default</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>50 items is maximum!</source>
        <translation>Höchstens 50 Einträge!</translation>
    </message>
    <message>
        <source>Attention!</source>
        <translation>Achtung!</translation>
    </message>
    <message>
        <source>Do you want to replace selected item?</source>
        <translation>Möchten Sie den gewählten Eintrag ersetzen?</translation>
    </message>
    <message>
        <source>Confirmation</source>
        <translation>Bestätigung</translation>
    </message>
    <message>
        <source>Do you want delete - &quot;%1&quot; ?</source>
        <translation>Möchten Sie „%1“ löschen?</translation>
    </message>
    <message>
        <source>Brindle</source>
        <translation>Brindle</translation>
    </message>
    <message>
        <source>Do you want set default items?</source>
        <translation>Möchten Sie die Standardeinträge wiederherstellen?</translation>
    </message>
</context>
<context>
    <name>CEditText</name>
    <message>
        <source>Edit text...</source>
        <translation>Text bearbeiten...</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CNote</name>
    <message>
        <source>Note Menu</source>
        <translation>Notizmenü</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>Signature</source>
        <translation>Unterschrift</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Kategorie</translation>
    </message>
    <message>
        <source>Time create</source>
        <translation>Erstellungszeit</translation>
    </message>
    <message>
        <source>Void</source>
        <translation>Leer</translation>
    </message>
    <message>
        <source>Text...</source>
        <translation>Text...</translation>
    </message>
    <message>
        <source>Font...</source>
        <translation>Schriftart...</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Farbe</translation>
    </message>
    <message>
        <source>Random</source>
        <translation>Zufällig</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rot</translation>
    </message>
    <message>
        <source>Orange</source>
        <translation>Orange</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Gelb</translation>
    </message>
    <message>
        <source>Green1</source>
        <translation>Grün1</translation>
    </message>
    <message>
        <source>Green2</source>
        <translation>Grün2</translation>
    </message>
    <message>
        <source>Blue1</source>
        <translation>Blau1</translation>
    </message>
    <message>
        <source>Blue2</source>
        <translation>Blau2</translation>
    </message>
    <message>
        <source>Violet</source>
        <translation>Violett</translation>
    </message>
    <message>
        <source>Gray</source>
        <translation>Grau</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Weiß</translation>
    </message>
    <message>
        <source>Style</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>Rechteck</translation>
    </message>
    <message>
        <source>Round top</source>
        <translation>Oben abgerundet</translation>
    </message>
    <message>
        <source>Round all</source>
        <translation>Rundum abgerundet</translation>
    </message>
    <message>
        <source>Cut BR</source>
        <translation>Schräg UR</translation>
    </message>
    <message>
        <source>Cut BL</source>
        <translation>Schräg UL</translation>
    </message>
    <message>
        <source>Cut TL,BR</source>
        <translation>Schräg OL,UR</translation>
    </message>
    <message>
        <source>Cut TR,BL</source>
        <translation>Schräg OR,UL</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Clone</source>
        <translation>Duplizieren</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Als Vorlage speichern</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Do you want to save this note as new template?</source>
        <translation>Möchten Sie diese Notiz als neue Vorlage speichern?</translation>
    </message>
    <message>
        <source>Create new template</source>
        <translation>Neue Vorlage erstellen</translation>
    </message>
    <message>
        <source>Pinleaf note</source>
        <translation>Pinleaf-Notiz</translation>
    </message>
</context>
<context>
    <name>CNoteDlg</name>
    <message>
        <source>The notes of a session that ended unexpectedly were restored.</source>
        <translation>Die Notizen einer unerwartet beendeten Sitzung wurden wiederhergestellt.</translation>
    </message>
    <message>
        <source>Pinleaf could not save your notes to %1: %2</source>
        <translation>Pinleaf konnte Ihre Notizen nicht in %1 speichern: %2</translation>
    </message>
    <message>
        <source>Another program changed the notes in %1 while Pinleaf ran. Its version was kept as %2.</source>
        <translation>Ein anderes Programm hat die Notizen in %1 geändert, während Pinleaf lief. Dessen Fassung wurde als %2 aufbewahrt.</translation>
    </message>
    <message>
        <source>Pinleaf cannot use the data folder %1: %2</source>
        <translation>Pinleaf kann den Datenordner %1 nicht verwenden: %2</translation>
    </message>
    <message>
        <source>Quit without saving the changes of this session?</source>
        <translation>Beenden, ohne die Änderungen dieser Sitzung zu speichern?</translation>
    </message>
    <message>
        <source>Do you want to create new template?</source>
        <translation>Möchten Sie eine neue Vorlage erstellen?</translation>
    </message>
    <message>
        <source>New template</source>
        <translation>Neue Vorlage</translation>
    </message>
    <message>
        <source>Do you want to clone this item?</source>
        <translation>Möchten Sie diesen Eintrag duplizieren?</translation>
    </message>
    <message>
        <source>Clone item</source>
        <translation>Eintrag duplizieren</translation>
    </message>
    <message>
        <source>Do you want to delete this item?</source>
        <translation>Möchten Sie diesen Eintrag löschen?</translation>
    </message>
    <message>
        <source>Delete item</source>
        <translation>Eintrag löschen</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Neu</translation>
    </message>
    <message>
        <source>Sort</source>
        <translation>Sortieren</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Ansicht</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Hide</source>
        <translation>Verbergen</translation>
    </message>
    <message>
        <source>the notes</source>
        <translation>die Notizen</translation>
    </message>
    <message>
        <source>the templates</source>
        <translation>die Vorlagen</translation>
    </message>
    <message>
        <source>the categories</source>
        <translation>die Kategorien</translation>
    </message>
    <message>
        <source>the settings</source>
        <translation>die Einstellungen</translation>
    </message>
    <message>
        <source>Part of a session that ended unexpectedly was restored: %1. The rest is as last saved; what could not be read was kept in %2.</source>
        <translation>Ein Teil einer unerwartet beendeten Sitzung wurde wiederhergestellt: %1. Der Rest ist wie zuletzt gespeichert; was nicht gelesen werden konnte, wurde in %2 aufbewahrt.</translation>
    </message>
    <message>
        <source>Pinleaf keeps a recovery copy of this session again.</source>
        <translation>Pinleaf hält wieder eine Sicherungskopie dieser Sitzung.</translation>
    </message>
    <message>
        <source>Pinleaf cannot keep a recovery copy of this session (%1). Until this is mended, a crash loses the changes made since the last save.</source>
        <translation>Pinleaf kann keine Sicherungskopie dieser Sitzung halten (%1). Bis das behoben ist, gehen bei einem Absturz die Änderungen seit dem letzten Speichern verloren.</translation>
    </message>
    <message>
        <source>Quit and discard the notes restored from the last session?</source>
        <translation>Beenden und die aus der letzten Sitzung wiederhergestellten Notizen verwerfen?</translation>
    </message>
</context>
<context>
    <name>CSignature</name>
    <message>
        <source>Text of signature</source>
        <translation>Text der Unterschrift</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>Help</name>
    <message>
        <source>No program on this desktop opens the help. It is in %1: open index.html there with a web browser.</source>
        <translation>Kein Programm auf diesem Desktop öffnet die Hilfe. Sie liegt in %1: Öffnen Sie dort index.html mit einem Webbrowser.</translation>
    </message>
    <message>
        <source>The help pages were not found. They belong in %1.</source>
        <translation>Die Hilfeseiten wurden nicht gefunden. Sie gehören nach %1.</translation>
    </message>
    <message>
        <source>Pinleaf Help</source>
        <translation>Pinleaf-Hilfe</translation>
    </message>
</context>
<context>
    <name>HotKeys</name>
    <message>
        <source>New note from the default template</source>
        <translation>Neue Notiz aus der Standardvorlage</translation>
    </message>
    <message>
        <source>Bring the panel forward</source>
        <translation>Panel in den Vordergrund holen</translation>
    </message>
    <message>
        <source>Roll all notes down</source>
        <translation>Alle Notizen ausrollen</translation>
    </message>
    <message>
        <source>Roll all notes up</source>
        <translation>Alle Notizen einrollen</translation>
    </message>
    <message>
        <source>Panel always on top</source>
        <translation>Panel immer im Vordergrund</translation>
    </message>
    <message>
        <source>Show or hide the panel</source>
        <translation>Panel zeigen oder verbergen</translation>
    </message>
</context>
<context>
    <name>PanelMenus</name>
    <message>
        <source>Hide Panel</source>
        <translation>Panel verbergen</translation>
    </message>
    <message>
        <source>Show Panel</source>
        <translation>Panel zeigen</translation>
    </message>
    <message>
        <source>Start at login</source>
        <translation>Beim Anmelden starten</translation>
    </message>
    <message>
        <source>Cannot change %1: %2</source>
        <translation>%1 kann nicht geändert werden: %2</translation>
    </message>
    <message>
        <source>Attention!</source>
        <translation>Achtung!</translation>
    </message>
    <message>
        <source>Icons</source>
        <translation>Symbole</translation>
    </message>
    <message>
        <source>List</source>
        <translation>Liste</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Kategorie</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Farbe</translation>
    </message>
    <message>
        <source>Style</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Blau</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rot</translation>
    </message>
    <message>
        <source>Gray</source>
        <translation>Grau</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Grün</translation>
    </message>
    <message>
        <source>Violet</source>
        <translation>Violett</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>Rechteck</translation>
    </message>
    <message>
        <source>Round angles</source>
        <translation>Abgerundete Ecken</translation>
    </message>
    <message>
        <source>Cut TL and BR</source>
        <translation>Schräg OL und UR</translation>
    </message>
    <message>
        <source>Cut TR and BL</source>
        <translation>Schräg OR und UL</translation>
    </message>
    <message>
        <source>Left keys</source>
        <translation>Linke Tasten</translation>
    </message>
    <message>
        <source>Right keys</source>
        <translation>Rechte Tasten</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>Create Note</source>
        <translation>Notiz erstellen</translation>
    </message>
    <message>
        <source>Minimize all</source>
        <translation>Alle einrollen</translation>
    </message>
    <message>
        <source>Restore all</source>
        <translation>Alle ausrollen</translation>
    </message>
    <message>
        <source>Close all</source>
        <translation>Alle schließen</translation>
    </message>
    <message>
        <source>Help Topic    F1</source>
        <translation>Hilfethemen    F1</translation>
    </message>
    <message>
        <source>Lastet Version</source>
        <translation>Neueste Version</translation>
    </message>
    <message>
        <source>Home Page</source>
        <translation>Homepage</translation>
    </message>
    <message>
        <source>Contact Form</source>
        <translation>Kontaktformular</translation>
    </message>
    <message>
        <source>About...</source>
        <translation>Über...</translation>
    </message>
    <message>
        <source>Always Top</source>
        <translation>Immer im Vordergrund</translation>
    </message>
    <message>
        <source>Color Panel</source>
        <translation>Farbe des Panels</translation>
    </message>
    <message>
        <source>Style Panel</source>
        <translation>Form des Panels</translation>
    </message>
    <message>
        <source>Notes</source>
        <translation>Notizen</translation>
    </message>
    <message>
        <source>Hot keys</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <source>Category...</source>
        <translation>Kategorien...</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Time create</source>
        <translation>Erstellungszeit</translation>
    </message>
    <message>
        <source>Void</source>
        <translation>Leer</translation>
    </message>
    <message>
        <source>Text...</source>
        <translation>Text...</translation>
    </message>
    <message>
        <source>Signature</source>
        <translation>Unterschrift</translation>
    </message>
    <message>
        <source>Font...</source>
        <translation>Schriftart...</translation>
    </message>
    <message>
        <source>Round top</source>
        <translation>Oben abgerundet</translation>
    </message>
    <message>
        <source>Round all</source>
        <translation>Rundum abgerundet</translation>
    </message>
    <message>
        <source>Cut BR</source>
        <translation>Schräg UR</translation>
    </message>
    <message>
        <source>Cut BL</source>
        <translation>Schräg UL</translation>
    </message>
    <message>
        <source>Cut TL,BR</source>
        <translation>Schräg OL,UR</translation>
    </message>
    <message>
        <source>Cut TR,BL</source>
        <translation>Schräg OR,UL</translation>
    </message>
    <message>
        <source>Random</source>
        <translation>Zufällig</translation>
    </message>
    <message>
        <source>Orange</source>
        <translation>Orange</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Gelb</translation>
    </message>
    <message>
        <source>Green1</source>
        <translation>Grün1</translation>
    </message>
    <message>
        <source>Green2</source>
        <translation>Grün2</translation>
    </message>
    <message>
        <source>Blue1</source>
        <translation>Blau1</translation>
    </message>
    <message>
        <source>Blue2</source>
        <translation>Blau2</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Weiß</translation>
    </message>
    <message>
        <source>Template</source>
        <translation>Vorlage</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>Clone</source>
        <translation>Duplizieren</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Edit...</source>
        <translation>Bearbeiten...</translation>
    </message>
    <message>
        <source>On all desktops</source>
        <translation>Auf allen Arbeitsflächen</translation>
    </message>
    <message>
        <source>Cannot write %1.</source>
        <translation>%1 kann nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>Reopen closed note</source>
        <translation>Geschlossene Notiz wieder öffnen</translation>
    </message>
    <message>
        <source>Shared folder</source>
        <translation>Geteilter Ordner</translation>
    </message>
</context>
<context>
    <name>PanelTray</name>
    <message>
        <source>Pinleaf is here!</source>
        <translation>Pinleaf ist da!</translation>
    </message>
    <message>
        <source>Right mouse click - to show main menu
Left click - set foreground notes &amp; main window
Left double click - to hide/show main window.</source>
        <translation>Rechtsklick - Hauptmenü zeigen
Linksklick - Notizen und Hauptfenster in den Vordergrund
Doppelklick links - Hauptfenster verbergen/zeigen.</translation>
    </message>
</context>
<context>
    <name>QtPlatform</name>
    <message>
        <source>Quit without saving</source>
        <translation>Ohne Speichern beenden</translation>
    </message>
</context>
<context>
    <name>TemplateListModel</name>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Kategorie</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Farbe</translation>
    </message>
    <message>
        <source>Style</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Standard</translation>
    </message>
</context>
<context>
    <name>TemplateTexts</name>
    <message>
        <source>Red</source>
        <translation>Rot</translation>
    </message>
    <message>
        <source>Orange</source>
        <translation>Orange</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Gelb</translation>
    </message>
    <message>
        <source>Green1</source>
        <translation>Grün1</translation>
    </message>
    <message>
        <source>Green2</source>
        <translation>Grün2</translation>
    </message>
    <message>
        <source>Blue1</source>
        <translation>Blau1</translation>
    </message>
    <message>
        <source>Blue2</source>
        <translation>Blau2</translation>
    </message>
    <message>
        <source>Violet</source>
        <translation>Violett</translation>
    </message>
    <message>
        <source>Gray</source>
        <translation>Grau</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Weiß</translation>
    </message>
    <message>
        <source>Random</source>
        <translation>Zufällig</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>Rechteck</translation>
    </message>
    <message>
        <source>Round top</source>
        <translation>Oben abgerundet</translation>
    </message>
    <message>
        <source>Round all</source>
        <translation>Rundum abgerundet</translation>
    </message>
    <message>
        <source>Cut BR</source>
        <translation>Schräg UR</translation>
    </message>
    <message>
        <source>Cut BL</source>
        <translation>Schräg UL</translation>
    </message>
    <message>
        <source>cut TL,BR</source>
        <translation>schräg OL,UR</translation>
    </message>
    <message>
        <source>Cut TR,BL</source>
        <translation>Schräg OR,UL</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Sticky notes for the Linux desktop.

With an action, a running copy does it and this call ends; with no copy running, Pinleaf starts and then does it. Bind the actions to keyboard shortcuts in your desktop&apos;s settings.</source>
        <translation>Haftnotizen für den Linux-Desktop.

Mit einer Aktion führt eine laufende Kopie sie aus, und dieser Aufruf endet; läuft keine Kopie, startet Pinleaf und führt sie dann aus. Binden Sie die Aktionen in den Einstellungen Ihres Desktops an Tastenkürzel.</translation>
    </message>
</context>
</TS>
