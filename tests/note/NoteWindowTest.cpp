#include "note/NoteLook.h"
#include "note/NoteTestSupport.h"
#include "note/SizeTable.h"

#include <QPlainTextEdit>

#include <climits>
#include <cstdlib>

namespace {

TEST_F(NoteTest, EverySizeGivesItsWindowAndLabelRectangles)
{
    CNote* note = Open(SavedNote());
    std::vector<SizeRow> rows(std::begin(kSizeRows), std::end(kSizeRows));
    rows.push_back({-2, 200, 200, {8, 23, 184, 154}, {8, 181, 184, 15}});
    for (const auto& row : rows) {
        SCOPED_TRACE(row.size);
        note->ApplySize(row.size);
        EXPECT_EQ(note->geometry(), QRect(100, 300, row.w, row.h)); // top-left stays
        EXPECT_EQ(note->captionLabel()->geometry(), QRect(0, 0, row.w, 15));
        EXPECT_EQ(note->textLabel()->geometry(), row.text);
        EXPECT_EQ(note->signatureLabel()->geometry(), row.signature);
        EXPECT_EQ(note->record().size, row.size);
        if (row.size >= 0 && row.size <= 5) {
            EXPECT_EQ(Checked(note->noteMenu(), NoteCommand::Size120x140, NoteCommand::Size175x135),
                      Commands{NoteCommand::Size120x140 + row.size});
        }
    }
    // A size with no item leaves no mark (none of the previous size either).
    EXPECT_EQ(Checked(note->noteMenu(), NoteCommand::Size120x140, NoteCommand::Size175x135),
              Commands{});
}

TEST_F(NoteTest, ShapesBecomeTheWindowMask)
{
    SNote record = SavedNote();
    record.shape = NoteShape::RoundAll;
    CNote* note = Open(record);
    QRegion mask = note->visibleRegion();
    EXPECT_FALSE(mask.contains(QPoint(0, 0)));
    EXPECT_FALSE(mask.contains(QPoint(119, 139)));
    EXPECT_TRUE(mask.contains(QPoint(60, 0)));
    EXPECT_EQ(Checked(note->noteMenu(), NoteCommand::StyleRectangle, NoteCommand::StyleRandom),
              Commands{NoteCommand::StyleRoundAll});

    note->ApplyShape(NoteShape::RoundTop);
    EXPECT_FALSE(note->visibleRegion().contains(QPoint(0, 0)));
    EXPECT_TRUE(note->visibleRegion().contains(QPoint(0, 139)));

    note->ApplyShape(NoteShape::CutTLBR);
    EXPECT_FALSE(note->visibleRegion().contains(QPoint(0, 0)));
    EXPECT_TRUE(note->visibleRegion().contains(QPoint(119, 0)));
    EXPECT_EQ(Checked(note->noteMenu(), NoteCommand::StyleRectangle, NoteCommand::StyleRandom),
              Commands{NoteCommand::StyleCutTLBR});

    // A size change re-cuts the outline for the new size.
    note->ApplySize(NoteSize::Size175x135);
    EXPECT_FALSE(note->visibleRegion().contains(QPoint(174, 134)));
    EXPECT_TRUE(note->visibleRegion().contains(QPoint(174, 120)));

    note->ApplyShape(NoteShape::Rectangle);
    EXPECT_TRUE(note->visibleRegion().isEmpty()); // square corners again
    EXPECT_EQ(Checked(note->noteMenu(), NoteCommand::StyleRectangle, NoteCommand::StyleRandom),
              Commands{NoteCommand::StyleRectangle});
}

QColor Pixel(const QImage& image, int x, int y)
{
    return image.pixelColor(x, y);
}

bool HasPixel(const QImage& image, QRect area, QColor color)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) == color)
                return true;
    return false;
}

TEST_F(NoteTest, LabelsPaintInTheirColourRoles)
{
    SNote record = SavedNote();
    record.color = NoteColor::Blue1;
    record.text = "MMMM";
    record.signatureKind = SignatureKind::Text;
    record.signatureText = "MMMM";
    CNote* note = Open(record);
    const QColor fill(200, 200, 250), frame(100, 100, 150), black(0, 0, 0);
    QImage image = note->grab().toImage();
    EXPECT_EQ(Pixel(image, 60, 7), frame); // caption strip
    EXPECT_EQ(Pixel(image, 0, 60), frame); // outline
    EXPECT_EQ(Pixel(image, 119, 60), frame);
    EXPECT_EQ(Pixel(image, 4, 60), fill);    // body margin
    EXPECT_EQ(Pixel(image, 100, 100), fill); // text label background
    EXPECT_EQ(Pixel(image, 100, 130), fill); // signature background
    EXPECT_TRUE(HasPixel(image, QRect(8, 23, 104, 20), black));
    EXPECT_FALSE(HasPixel(image, QRect(8, 23, 104, 20), frame));
    EXPECT_TRUE(HasPixel(image, QRect(8, 121, 104, 15), frame));
    EXPECT_FALSE(HasPixel(image, QRect(8, 121, 104, 15), black));

    note->ApplyColor(-1); // paints yellow, keeps the value
    image = note->grab().toImage();
    EXPECT_EQ(Pixel(image, 60, 7), QColor(150, 150, 100));
    EXPECT_EQ(Pixel(image, 100, 100), QColor(250, 250, 150));
    EXPECT_EQ(note->record().color, -1);
    EXPECT_EQ(Checked(note->noteMenu(), NoteCommand::ColorRed, NoteCommand::ColorWhite),
              Commands{}); // no item for -1: no mark
}

TEST_F(NoteTest, OutlineFollowsACutCorner)
{
    SNote record = SavedNote();
    record.shape = NoteShape::CutBR;
    record.color = NoteColor::Red;
    CNote* note = Open(record);
    QImage image = note->grab().toImage();
    const QColor frame(150, 100, 100), fill(250, 200, 200);
    EXPECT_EQ(Pixel(image, 115, 135), frame); // on the diagonal
    EXPECT_EQ(Pixel(image, 113, 133), fill);  // just inside it
}

TEST_F(NoteTest, SignatureLineShowsWhatItsKindSays)
{
    fake.userLocale = QLocale(QLocale::Russian, QLocale::Russia);
    SNote record = SavedNote();
    record.signatureText = "Anna";
    record.created = {2007, 3, 1, 5, 14, 7, 9, 0};
    CNote* note = Open(record);
    auto line = [&] { return note->signatureLabel()->text(); };
    EXPECT_EQ(line(), QStringLiteral("Work"));
    note->ApplySignatureKind(SignatureKind::TimeCreate);
    EXPECT_EQ(line(), QStringLiteral("05.03.2007 14:07"));
    EXPECT_EQ(Checked(note->noteMenu(), NoteCommand::SignatureCategory, NoteCommand::SignatureText),
              Commands{NoteCommand::SignatureTime});
    note->ApplySignatureKind(SignatureKind::Void);
    EXPECT_EQ(line(), QString());
    note->ApplySignatureKind(SignatureKind::Text);
    EXPECT_EQ(line(), QStringLiteral("Anna"));
    EXPECT_EQ(Checked(note->noteMenu(), NoteCommand::SignatureCategory, NoteCommand::SignatureText),
              Commands{NoteCommand::SignatureText});
    for (int other : {2, 5, -1}) {
        note->ApplySignatureKind(other);
        EXPECT_EQ(line(), QString());
        EXPECT_EQ(note->record().signatureKind, other);
    }
    note->ApplySignatureKind(SignatureKind::Category);
    EXPECT_EQ(line(), QStringLiteral("Work"));
    EXPECT_EQ(Checked(note->noteMenu(), NoteCommand::SignatureCategory, NoteCommand::SignatureText),
              Commands{NoteCommand::SignatureCategory});
}

TEST_F(NoteTest, LongSignatureEndsInAnEllipsisAndAmpersandsAreMnemonics)
{
    SNote record = SavedNote();
    record.signatureKind = SignatureKind::Text;
    record.signatureText = std::string(80, 'W');
    record.text = "Tom && Jerry";
    CNote* note = Open(record);
    QString shown = note->signatureLabel()->shownText();
    EXPECT_TRUE(shown.endsWith(QChar(0x2026)));
    EXPECT_LT(shown.size(), 80);

    // "&&" in the note text shows one ampersand: the same pixels as "Tom & Jerry" drawn
    // literally.
    CMyStatic literal(CMyStatic::Mode::EndEllipsis);
    literal.setFont(note->textLabel()->font());
    literal.resize(104, 15);
    literal.setText(QStringLiteral("Tom & Jerry"));
    CMyStatic mnemonic(CMyStatic::Mode::WordWrap);
    mnemonic.setFont(note->textLabel()->font());
    mnemonic.resize(104, 15);
    mnemonic.setText(QStringLiteral("Tom && Jerry"));
    EXPECT_EQ(literal.grab().toImage(), mnemonic.grab().toImage());
}

TEST_F(NoteTest, LabelDefaultsToBlackOnTan)
{
    CMyStatic label;
    EXPECT_EQ(label.textColor(), QColor(0, 0, 0));
    EXPECT_EQ(label.backColor(), QColor(220, 180, 150));
    label.resize(30, 10);
    EXPECT_EQ(label.grab().toImage().pixelColor(5, 5), QColor(220, 180, 150));
    EXPECT_TRUE(label.testAttribute(Qt::WA_TransparentForMouseEvents));
}

TEST_F(NoteTest, LongTextIsCutAtTheBottomOfTheTextArea)
{
    SNote record = SavedNote();
    record.size = NoteSize::Size150x110;
    std::string text;
    for (int i = 0; i < 40; ++i)
        text += "line\r\n";
    record.text = text;
    CNote* note = Open(record);
    EXPECT_EQ(note->textLabel()->height(), 64);
    QImage image = note->grab().toImage();
    // Nothing is drawn over the signature gap below the text area.
    const QColor fill(250, 250, 150);
    for (int x = 8; x < 142; ++x)
        ASSERT_EQ(Pixel(image, x, 88), fill) << x;
}

TEST_F(NoteTest, OpeningResolvesRandomLookAndKeepsOutOfRangeValues)
{
    SNote record = SavedNote();
    record.color = 12;
    record.shape = 9;
    CNote* note = Open(record);
    EXPECT_GE(note->record().color, 0);
    EXPECT_LE(note->record().color, 9);
    EXPECT_GE(note->record().shape, 0);
    EXPECT_LE(note->record().shape, 6);
    EXPECT_EQ(Checked(note->noteMenu(), NoteCommand::ColorRed, NoteCommand::ColorWhite),
              Commands{NoteCommand::ColorRed + note->record().color});

    record.color = -1;
    record.shape = -3;
    record.size = 6;
    CNote* odd = Open(record);
    EXPECT_EQ(odd->record().color, -1);
    EXPECT_EQ(odd->record().shape, -3);
    EXPECT_TRUE(odd->visibleRegion().isEmpty());
    EXPECT_EQ(odd->size(), QSize(200, 200));
    EXPECT_TRUE(
        Checked(odd->noteMenu(), NoteCommand::Size120x140, NoteCommand::Size175x135).empty());
    EXPECT_TRUE(
        Checked(odd->noteMenu(), NoteCommand::StyleRectangle, NoteCommand::StyleRandom).empty());
    EXPECT_TRUE(Checked(odd->noteMenu(), NoteCommand::ColorRed, NoteCommand::ColorWhite).empty());
}

TEST_F(NoteTest, SavedNotesReopenWhereTheyWere)
{
    SNote record = SavedNote();
    CNote* note = Open(record);
    EXPECT_EQ(note->geometry(), QRect(100, 300, 120, 140));
    EXPECT_EQ(note->record().created, record.created); // an old note keeps its time
    EXPECT_TRUE(note->isVisible());
    EXPECT_TRUE(note->windowFlags() & Qt::FramelessWindowHint);
    // A plain window: window managers may hide utility windows of an inactive program.
    EXPECT_EQ(note->windowFlags() & Qt::WindowType_Mask, Qt::Window);

    // Rolled up, only the bottom strip has a window, at the top of the screen.
    record.minimized = true;
    CNote* rolled = Open(record);
    EXPECT_EQ(rolled->noteRect(), QRect(100, 20 - 140, 120, 140));
    EXPECT_EQ(rolled->geometry(), QRect(100, 0, 120, 20));
    EXPECT_EQ(rolled->record().top, 300); // where it returns to

    record.left = 5000; // rolled up, but off every screen: stays where it was told
    CNote* far = Open(record);
    EXPECT_EQ(far->noteRect().topLeft(), QPoint(5000, -120));

    // Below a desktop's top panel the strip hangs from the panel's lower edge.
    fake.work = QRect(0, 27, 1280, 997);
    CNote* underPanel = Open(record);
    EXPECT_EQ(underPanel->geometry(), QRect(5000, 27, 120, 20));
    underPanel->ToggleMinimized();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return underPanel->geometry() == QRect(5000, 300, 120, 140); }, 5000));
    underPanel->ToggleMinimized();
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return underPanel->geometry() == QRect(5000, 27, 120, 20); }, 5000));
    EXPECT_EQ(underPanel->record().top, 300);
}

TEST_F(NoteTest, NoteOffTheScreenComesBackCentred)
{
    SNote record = SavedNote();
    record.left = 3000;
    record.top = -500;
    CNote* note = Open(record);
    EXPECT_EQ(note->pos(), QPoint(1280 / 2 - 60, 1024 / 2 - 70));
    EXPECT_EQ(note->record().left, 580);
    EXPECT_EQ(note->record().top, 442);
}

TEST_F(NoteTest, NewNoteIsCentredOnThePointerAndStamped)
{
    fake.cursor = QPoint(401, 301);
    SNote record = SavedNote();
    record.minimized = true;
    CNote* note = Open(record, true);
    EXPECT_EQ(note->pos(), QPoint(401 - 60, 301 - 70));
    EXPECT_EQ(note->record().left, 341);
    EXPECT_EQ(note->record().top, 231);
    EXPECT_FALSE(note->record().minimized);
    EXPECT_EQ(note->record().created, fake.clock);
}

TEST_F(NoteTest, MenuHasEveryItemInOrder)
{
    host.cats.append("Work");
    host.cats.append("Home");
    CNote* note = Open(SavedNote());
    QMenu* menu = note->noteMenu();
    using T = std::vector<QString>;
    auto q = [](std::initializer_list<const char*> items) {
        T t;
        for (const char* s : items)
            t.push_back(QString::fromLatin1(s));
        return t;
    };
    EXPECT_EQ(Texts(menu), q({"Note Menu", "Edit", "Color", "Style", "Size", "-", "Clone", "Save",
                              "-", "Close"}));
    EXPECT_FALSE(menu->actions()[0]->isEnabled());
    QMenu* edit = Submenu(menu, "Edit");
    EXPECT_EQ(Texts(edit), q({"Signature", "Text...", "Font...", "Category"}));
    EXPECT_EQ(Texts(Submenu(edit, "Signature")),
              q({"Category", "Time create", "Void", "-", "Text..."}));
    EXPECT_EQ(Texts(Submenu(edit, "Category")), q({"Work", "Home"}));
    EXPECT_EQ(Texts(Submenu(menu, "Color")),
              q({"Random", "-", "Red", "Orange", "Yellow", "Green1", "Green2", "Blue1", "Blue2",
                 "Violet", "Gray", "White"}));
    EXPECT_EQ(Texts(Submenu(menu, "Style")),
              q({"Random", "-", "Rectangle", "Round top", "Round all", "Cut BR", "Cut BL",
                 "Cut TL,BR", "Cut TR,BL"}));
    EXPECT_EQ(Texts(Submenu(menu, "Size")), q({"120 x 140", "132 x 152", "145 x 165", "-",
                                               "150 x 110", "162 x 122", "175 x 135"}));
    using enum NoteCommand;
    for (NoteCommand id :
         {Size120x140,   Size132x152,    Size145x165,   Size150x110,       Size162x122,
          Size175x135,   StyleRectangle, StyleRoundTop, StyleRoundAll,     StyleCutBR,
          StyleCutBL,    StyleCutTLBR,   StyleCutTRBL,  StyleRandom,       Save,
          Clone,         Close,          ColorRed,      ColorBlue1,        ColorWhite,
          ColorRandom,   EditText,       EditFont,      SignatureCategory, SignatureTime,
          SignatureVoid, SignatureText,  FirstCategory, FirstCategory + 1})
        EXPECT_NE(FindItem(menu, id), nullptr) << Id(id);
    EXPECT_EQ(FindItem(menu, SignatureTime + 1),
              nullptr); // no item between "Time create" and "Void"
    // Marks after opening follow the record: Yellow, Rectangle, 120 x 140, Category, "Work".
    EXPECT_EQ(Checked(menu, NoteCommand::Size120x140, NoteCommand::Size175x135),
              Commands{NoteCommand::Size120x140});
    EXPECT_EQ(Checked(menu, NoteCommand::StyleRectangle, NoteCommand::StyleRandom),
              Commands{NoteCommand::StyleRectangle});
    EXPECT_EQ(Checked(menu, NoteCommand::ColorRed, NoteCommand::ColorRandom),
              Commands{NoteCommand::ColorYellow});
    EXPECT_EQ(Checked(menu, NoteCommand::SignatureCategory, NoteCommand::SignatureText),
              Commands{NoteCommand::SignatureCategory});
    EXPECT_EQ(Checked(menu, NoteCommand::FirstCategory, NoteCommand::FirstCategory + 1),
              Commands{NoteCommand::FirstCategory});
}

TEST_F(NoteTest, FontAppliesToTextSignatureAndEditorButNotTheCaption)
{
    SNote record = SavedNote();
    record.font.height = -20;
    record.font.weight = 700;
    CNote* note = Open(record);
    EXPECT_EQ(note->textLabel()->font().pixelSize(), 20);
    EXPECT_TRUE(note->textLabel()->font().bold());
    EXPECT_EQ(note->signatureLabel()->font().pixelSize(), 20);
    EXPECT_EQ(note->editor()->font().pixelSize(), 20);
    EXPECT_NE(note->captionLabel()->font().pixelSize(), 20);
}

} // namespace

namespace {

// Whatever numbers a damaged store holds, the note opens, rolls down and up again and
// keeps its place within reach of the window system (the sanitizers catch overflows).
TEST_F(NoteTest, ExtremeStoredNumbersOpenAndRoll)
{
    for (int value : {INT_MAX, INT_MIN}) {
        SNote record = SavedNote();
        record.minimized = value == INT_MAX;
        record.size = record.color = record.shape = record.signatureKind = value;
        record.left = record.top = value;
        record.font.height = record.font.weight = value;
        CNote* note = Open(record);
        EXPECT_EQ(note->noteRect().size(), QSize(200, 200));
        EXPECT_LE(std::abs(note->record().left), 30000);
        EXPECT_LE(std::abs(note->record().top), 30000);
        note->ToggleMinimized();
        note->ToggleMinimized();
        EXPECT_EQ(note->record().minimized, value == INT_MAX);
        EXPECT_EQ(note->record().size, value); // the stored values stay as they were
        if (value == INT_MIN)
            EXPECT_EQ(note->record().color, value);
        else // "Random" and above: one of the ten colours is chosen at opening
            EXPECT_TRUE(note->record().color >= 0 && note->record().color <= 9);
    }
}

} // namespace
