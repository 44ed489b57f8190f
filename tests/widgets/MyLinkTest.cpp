// The link button: its colours against the panel, hover, cursor, tip, shapes and click
// target.

#include "widgets/MyLink.h"

#include "panel/PanelLook.h"

#include "support/FakePlatform.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPixmap>
#include <QSignalSpy>
#include <QTest>
#include <QtMath>

#include <gtest/gtest.h>

namespace {

class MyLinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CMyLink::SetPanelStyle(0);
        parent.resize(200, 100);
        parent.setAutoFillBackground(true);
        QPalette white = parent.palette();
        white.setColor(QPalette::Window, Qt::white);
        parent.setPalette(white);
        link = new CMyLink(QStringLiteral("Sort"), &parent);
        link->setAlignment(Qt::AlignCenter);
        link->setGeometry(20, 30, 60, 20);
        parent.move(100, 100);
        parent.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
        fake.cursor = QPoint(0, 0);
    }
    void TearDown() override { CMyLink::SetPanelStyle(0); }

    // A fresh link in the same place, not hovered.
    void NewLink()
    {
        delete link;
        link = new CMyLink(QStringLiteral("Sort"), &parent);
        link->setAlignment(Qt::AlignCenter);
        link->setGeometry(20, 30, 60, 20);
        link->show();
        fake.cursor = QPoint(0, 0);
    }
    QImage Shot()
    {
        QPixmap pixmap = parent.grab();
        pixmap.setDevicePixelRatio(1);
        return pixmap.toImage().convertToFormat(QImage::Format_RGB32).copy(link->geometry());
    }
    void MoveOver()
    {
        fake.cursor = link->mapToGlobal(QPoint(10, 10));
        QMouseEvent move(QEvent::MouseMove, QPointF(10, 10), QPointF(fake.cursor), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(link, &move);
    }
    bool HasPixel(const QImage& image, const QColor& color)
    {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixelColor(x, y) == color)
                    return true;
        return false;
    }

    FakePlatform fake;
    QWidget parent;
    CMyLink* link = nullptr;
};

// How bright a colour looks, 0..255.
int Luma(const QColor& c)
{
    return (299 * c.red() + 587 * c.green() + 114 * c.blue()) / 1000;
}

// The largest difference in brightness between a pixel inside the outline and the fill:
// how well the text stands out.
int TextContrast(const QImage& shot, const QColor& fill)
{
    int most = 0;
    for (int y = 2; y < shot.height() - 2; ++y)
        for (int x = 2; x < shot.width() - 2; ++x)
            most = std::max(most, std::abs(Luma(shot.pixelColor(x, y)) - Luma(fill)));
    return most;
}

TEST_F(MyLinkTest, APanelButtonWearsItsPanelsColoursAndLightsUpReadablyOnHover)
{
    // 0..4 are the panel's colour schemes; any other index is a button of the blue panel.
    for (int index : {0, 1, 2, 3, 4, 6, -1}) {
        SCOPED_TRACE(index);
        NewLink();
        link->SetStyle(index);
        const PanelScheme panel = PanelSchemeFor(index);

        // At rest: the panel's dark fill in an outline of its light colour, lettered in
        // the light colour.
        QImage shot = Shot();
        const QImage inside = shot.copy(shot.rect().adjusted(2, 2, -2, -2));
        EXPECT_EQ(shot.pixelColor(2, 2), panel.fill);
        EXPECT_EQ(shot.pixelColor(0, 10), panel.frame);
        EXPECT_EQ(shot.pixelColor(30, 0), panel.frame);
        EXPECT_TRUE(HasPixel(inside, panel.frame));
        EXPECT_FALSE(link->font().underline());
        EXPECT_EQ(link->cursor().shape(), Qt::ArrowCursor);

        // On hover: another fill, a darker outline, text that still reads, no underline.
        MoveOver();
        shot = Shot();
        const QColor hoverFill = shot.pixelColor(2, 2);
        EXPECT_NE(hoverFill, panel.fill);
        EXPECT_LT(Luma(shot.pixelColor(0, 10)), Luma(panel.frame));
        EXPECT_GE(TextContrast(shot, hoverFill), 100);
        EXPECT_FALSE(link->font().underline());
    }
}

TEST_F(MyLinkTest, UnknownStylesAllLookAlike)
{
    NewLink();
    link->SetStyle(6);
    const QImage rest = Shot();
    MoveOver();
    const QImage hover = Shot();
    for (int index : {-1, 7, 1000}) {
        SCOPED_TRACE(index);
        NewLink();
        link->SetStyle(index);
        EXPECT_EQ(Shot(), rest);
        MoveOver();
        EXPECT_EQ(Shot(), hover);
    }
}

TEST_F(MyLinkTest, TheWebLinkStyleIsBlueTextOnTheDialogWithAHandAndUnderlinedHover)
{
    const QColor face = QApplication::palette().color(QPalette::Button);
    const QColor blue(0, 0, 250);
    link->SetStyle(5);
    for (bool hover : {false, true}) {
        SCOPED_TRACE(hover);
        if (hover)
            MoveOver();
        const QImage shot = Shot();
        // No box: outline and fill are the dialog's own face colour.
        EXPECT_EQ(shot.pixelColor(0, 10), face);
        EXPECT_EQ(shot.pixelColor(30, 0), face);
        EXPECT_EQ(shot.pixelColor(2, 2), face);
        EXPECT_TRUE(HasPixel(shot, blue));
        EXPECT_EQ(link->font().underline(), hover);
        EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
    }
}

TEST_F(MyLinkTest, HoverEndsOnceThePointerHasLeft)
{
    link->SetStyle(2);
    MoveOver();
    // Gray text turns black on an orange fill.
    EXPECT_EQ(Shot().pixelColor(2, 2), QColor(250, 170, 50));
    EXPECT_TRUE(HasPixel(Shot(), Qt::black));

    // While the pointer stays, the hover stays: time for a wrong end, a check that none
    // comes.
    QTest::qWait(250);
    EXPECT_EQ(Shot().pixelColor(2, 2), QColor(250, 170, 50));

    fake.cursor = link->mapToGlobal(QPoint(70, 10)); // just right of the button
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return Shot().pixelColor(2, 2) == QColor(100, 100, 100); }, 5000));
    EXPECT_EQ(Shot().pixelColor(0, 10), QColor(220, 220, 220));
}

TEST_F(MyLinkTest, WebLinkStyleUnderlinesOnHoverUntilThePointerLeaves)
{
    link->SetStyle(5);
    MoveOver();
    EXPECT_TRUE(link->font().underline());
    fake.cursor = QPoint(0, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !link->font().underline(); }, 5000));
}

TEST_F(MyLinkTest, SetColorsPaintsTextOnABackWithAHandAndUnderlinedHover)
{
    link->SetStyle(0);
    link->SetColors(QColor(10, 20, 30), QColor(240, 240, 200));
    QImage shot = Shot();
    EXPECT_EQ(shot.pixelColor(0, 10), QColor(240, 240, 200));
    EXPECT_EQ(shot.pixelColor(2, 2), QColor(240, 240, 200));
    EXPECT_TRUE(HasPixel(shot, QColor(10, 20, 30)));
    EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
    MoveOver();
    EXPECT_TRUE(link->font().underline());
    EXPECT_EQ(Shot().pixelColor(2, 2), QColor(240, 240, 200));
}

TEST_F(MyLinkTest, ButtonsFollowThePanelOutline)
{
    link->SetStyle(0);
    const QColor pen(200, 220, 250);
    const QColor fill(50, 80, 150);
    const QColor background(Qt::white);

    CMyLink::SetPanelStyle(2); // the hexagon (3,0) (59,0) (59,16) (56,19) (0,19) (0,3)
    link->update();
    QImage shot = Shot();
    for (QPoint corner :
         {QPoint(3, 0), QPoint(59, 0), QPoint(59, 16), QPoint(56, 19), QPoint(0, 19), QPoint(0, 3)})
        EXPECT_EQ(shot.pixelColor(corner), pen) << corner.x() << "," << corner.y();
    EXPECT_EQ(shot.pixelColor(0, 0), background);
    EXPECT_EQ(shot.pixelColor(59, 19), background);
    for (QPoint cut : {QPoint(59, 17), QPoint(58, 18), QPoint(57, 19), QPoint(1, 0), QPoint(0, 1)})
        EXPECT_EQ(shot.pixelColor(cut), background) << cut.x() << "," << cut.y();
    EXPECT_EQ(shot.pixelColor(58, 17), pen);
    EXPECT_EQ(shot.pixelColor(2, 1), pen);
    EXPECT_EQ(shot.pixelColor(4, 4), fill);

    CMyLink::SetPanelStyle(3);
    link->update();
    shot = Shot();
    EXPECT_EQ(shot.pixelColor(0, 0), pen);
    EXPECT_EQ(shot.pixelColor(59, 0), background);
    EXPECT_EQ(shot.pixelColor(0, 19), background);
    EXPECT_EQ(shot.pixelColor(59, 19), pen);

    CMyLink::SetPanelStyle(1);
    link->update();
    shot = Shot();
    EXPECT_EQ(shot.pixelColor(0, 0), background);
    EXPECT_EQ(shot.pixelColor(0, 10), pen);
    EXPECT_EQ(shot.pixelColor(30, 0), pen);

    CMyLink::SetPanelStyle(0);
    link->update();
    shot = Shot();
    EXPECT_EQ(shot.pixelColor(0, 0), pen);
    EXPECT_EQ(shot.pixelColor(59, 19), pen);
}

TEST_F(MyLinkTest, OutlineStaysWholeAtEveryScaleFactor)
{
    link->SetStyle(0);
    const QColor pen(200, 220, 250);
    for (int style : {0, 1, 2, 3}) {
        CMyLink::SetPanelStyle(style);
        for (qreal scale : {1.0, 1.25, 1.5, 2.0}) {
            SCOPED_TRACE(testing::Message() << "style " << style << " scale " << scale);
            QImage image(qRound(link->width() * scale), qRound(link->height() * scale),
                         QImage::Format_RGB32);
            image.setDevicePixelRatio(scale);
            image.fill(Qt::white);
            link->render(&image);
            // The outermost device pixels all round, away from the rounded or cut corners.
            const int w = image.width();
            const int h = image.height();
            const int corner = qCeil(5 * scale);
            int missing = 0;
            for (int x = corner; x < w - corner; ++x)
                missing += (image.pixelColor(x, 0) != pen) + (image.pixelColor(x, h - 1) != pen);
            for (int y = corner; y < h - corner; ++y)
                missing += (image.pixelColor(0, y) != pen) + (image.pixelColor(w - 1, y) != pen);
            EXPECT_EQ(missing, 0);
        }
    }
}

TEST_F(MyLinkTest, AClickOpensTheTargetUnlessItIsNone)
{
    QSignalSpy clicks(link, &CMyLink::clicked);
    QTest::mouseClick(link, Qt::LeftButton);
    EXPECT_TRUE(fake.opened.empty());
    EXPECT_EQ(clicks.count(), 1);

    link->SetTarget("https://example.org/page");
    QTest::mouseClick(link, Qt::LeftButton);
    EXPECT_EQ(fake.opened, (std::vector<std::string>{"https://example.org/page"}));
    EXPECT_EQ(clicks.count(), 2);

    link->SetTarget("none");
    QTest::mouseClick(link, Qt::RightButton);
    QTest::mouseClick(link, Qt::LeftButton);
    EXPECT_EQ(fake.opened.size(), 1u);
}

TEST_F(MyLinkTest, TheTipShowsOnlyOnceSet)
{
    EXPECT_TRUE(link->toolTip().isEmpty());
    link->SetTip(QStringLiteral("Open the home page"));
    EXPECT_EQ(link->toolTip(), "Open the home page");
}

} // namespace
