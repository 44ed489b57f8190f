#include "model/Factory.h"

LogFont FactoryFont()
{
    LogFont font;
    font.setFace("Arial");
    font.height = -11;
    return font;
}

void LoadFactoryTemplates(Templates& templates, const SystemTime& now)
{
    templates.clear();
    SNote t;
    t.font = FactoryFont();
    t.created = now;
    t.created.milliseconds = 0;
    t.size = NoteSize::Size132x152;
    t.signatureKind = SignatureKind::TimeCreate;
    t.signatureText = "My note...";

    t.shape = NoteShape::RoundAll;
    t.color = NoteColor::Green1;
    t.category = "Gifts";
    t.text = "Don't forget about...";
    templates.append(t);

    t.shape = NoteShape::Rectangle;
    t.color = NoteColor::Blue2;
    t.category = "Favorites";
    t.text = "Great idea...";
    templates.append(t);

    t.shape = NoteShape::CutBL;
    t.color = NoteColor::Orange;
    t.category = "Private";
    t.text = "To do...";
    templates.append(t);
}

void LoadFactoryCategories(Categories& categories)
{
    categories.clear();
    for (const char* name : {"Home", "Holiday", "Work", "Business", "Health", "Love", "Sport",
                             "Meeting", "To do", "Games", "Plans", "Idias", "Gifts"})
        categories.append(name);
}
