// The pupil's hobby page: the class's offer in a grid, ticked with the mouse
// and the keys.
#include "book_fixture.h"
#include "clickbox.h"
#include "hobbyform.h"

#include <QKeyEvent>

namespace {

struct Hobby : BookPages {
    THobbyForm* page(TMain& w) { return static_cast<THobbyForm*>(w.PageAt(13)); }

    /// A click on the middle of cell \a index's picture.
    static void clickPicture(THobbyForm* f, int index)
    {
        QTest::mouseClick(f->ValgPaintBox, Qt::LeftButton, {}, f->CellRect(index).center());
        QApplication::processEvents();
    }
    /// Cell \a index as the screen shows it.
    static QImage cellPixels(THobbyForm* f, int index)
    {
        QApplication::processEvents();
        return f->ValgPaintBox->grab(f->CellRect(index)).toImage().convertToFormat(QImage::Format_RGB32);
    }
    static std::size_t hobbyOffset(const tElev& e)
    {
        return 4 + e.FuldeNavn().size() + 4 + e.Kaldenavn().size() + 4 + e.Foedselsdag().size() + 1 + 4
            + e.Koen().size() + 4 + e.Elevkode().size() + 1 + 153 + 56 + 4;
    }
};

} // namespace

TEST_F(Hobby, TheOfferFillsTheGridInOrderAndClicksTick)
{
    auto w = open(makeClass(2, {47, 3, 12}), 13);
    THobbyForm* f = page(*w);
    EXPECT_EQ(f->HobbyTopPanel->text(), "Mine fritids-interesser");
    EXPECT_EQ(f->HobbyBundPanel->text(), "Ida");
    EXPECT_EQ(f->BackSpeed->toolTip(), "Tilbage til elev-forsiden");
    ASSERT_EQ(f->OfferedCount(), 3);
    EXPECT_EQ(f->HobbyAt(0), 3);
    EXPECT_EQ(f->HobbyAt(1), 12);
    EXPECT_EQ(f->HobbyAt(2), 47);
    EXPECT_EQ(f->HobbyAt(3), 0);
    EXPECT_EQ(f->Rows(), 3);
    // Cells 1, 2 and 3 of the first row.
    const int w5 = f->ValgPaintBox->width() / 5, h3 = f->ValgPaintBox->height() / 3;
    EXPECT_EQ(f->CellRect(0), QRect(0, 0, w5, h3));
    EXPECT_EQ(f->CellRect(1), QRect(w5, 0, w5, h3));
    EXPECT_EQ(f->CellRect(2), QRect(2 * w5, 0, w5, h3));

    tElev* e = w->AktivElev();
    clickPicture(f, 1);
    EXPECT_TRUE(e->HobbyValgt(12));
    EXPECT_FALSE(e->HobbyValgt(3));
    EXPECT_TRUE(e->Aendret());
    clickPicture(f, 2);
    EXPECT_TRUE(e->HobbyValgt(47));
    clickPicture(f, 1);
    EXPECT_FALSE(e->HobbyValgt(12));
    EXPECT_EQ(e->Hobbyer()[11], 'x');

    // A click on an empty cell does nothing.
    const std::string before = e->Hobbyer();
    clickPicture(f, 7);
    EXPECT_EQ(e->Hobbyer(), before);
}

TEST_F(Hobby, TheNameBandAndTheMarginDoNotTick)
{
    auto w = open(makeClass(1, {5}), 13);
    THobbyForm* f = page(*w);
    tElev* e = w->AktivElev();
    const QRect c = f->CellRect(0);
    const int t = f->TextHeight();
    ASSERT_GT(t, 4);
    for (QPoint p : {QPoint(c.center().x(), c.bottom() - t / 2), QPoint(c.left() + t / 2, c.center().y()),
                     QPoint(c.center().x(), c.top() + t / 2)}) {
        QTest::mouseClick(f->ValgPaintBox, Qt::LeftButton, {}, p);
        EXPECT_FALSE(e->HobbyValgt(5)) << p.x() << "," << p.y();
    }
    EXPECT_FALSE(e->Aendret());
    // Just inside the picture it does.
    QTest::mouseClick(f->ValgPaintBox, Qt::LeftButton, {}, QPoint(c.left() + t + 1, c.bottom() - t - 1));
    EXPECT_TRUE(e->HobbyValgt(5));
    // A press dragged off the box is no click.
    QTest::mousePress(f->ValgPaintBox, Qt::LeftButton, {}, c.center());
    QTest::mouseRelease(f->ValgPaintBox, Qt::LeftButton, {}, QPoint(-5, -5));
    EXPECT_TRUE(e->HobbyValgt(5));
}

TEST_F(Hobby, OnlyTheClickedCellIsDrawnAndUntickingClearsTheCheck)
{
    auto w = open(makeClass(1, {2, 9, 40}), 13);
    THobbyForm* f = page(*w);
    const QImage fresh = cellPixels(f, 1);
    clickPicture(f, 1);
    EXPECT_EQ(f->LastPaintRect(), f->CellRect(1));
    const QImage ticked = cellPixels(f, 1);
    EXPECT_NE(ticked, fresh);
    // The name of a chosen hobby is white, of the others black.
    auto inks = [&](const QImage& cell) {
        int white = 0, black = 0;
        const int t = f->TextHeight();
        for (int y = cell.height() - t; y < cell.height(); ++y)
            for (int x = 0; x < cell.width(); ++x) {
                const QRgb c = cell.pixel(x, y) & 0xFFFFFF;
                white += c == 0xFFFFFF;
                black += c == 0x000000;
            }
        return std::pair{white, black};
    };
    EXPECT_GT(inks(ticked).first, 10);
    EXPECT_EQ(inks(ticked).second, 0);
    EXPECT_EQ(inks(fresh).first, 0);
    EXPECT_GT(inks(fresh).second, 10);
    clickPicture(f, 1);
    EXPECT_EQ(f->LastPaintRect(), f->CellRect(1));
    EXPECT_EQ(cellPixels(f, 1), fresh);

    // The chosen name is white, the others black; no cell leaves stray
    // pixels: the unused cells and the rest of the box are red.
    const QImage all = f->ValgPaintBox->grab().toImage();
    const QRect unused = f->CellRect(7);
    for (QPoint p : {unused.center(), unused.topLeft(), QPoint(all.width() - 1, all.height() - 1)})
        EXPECT_EQ(QColor(all.pixel(p)), QColor(255, 0, 0)) << p.x() << "," << p.y();
}

TEST_F(Hobby, AWithdrawnHobbyIsHiddenButItsChoiceKept)
{
    auto w = open(makeClass(1, {3, 12, 47}), 13);
    THobbyForm* f = page(*w);
    tElev* e = w->AktivElev();
    clickPicture(f, 1);
    ASSERT_TRUE(e->HobbyValgt(12));
    w->AktivKlasse().ToggleTilbudt(12);
    w->ShowPage(3);
    w->ShowPage(13);
    EXPECT_EQ(f->OfferedCount(), 2);
    EXPECT_EQ(f->HobbyAt(0), 3);
    EXPECT_EQ(f->HobbyAt(1), 47);
    EXPECT_TRUE(e->HobbyValgt(12));
    w->AktivKlasse().ToggleTilbudt(12);
    EXPECT_EQ(f->HobbyAt(1), 12);
    EXPECT_TRUE(e->HobbyValgt(12));
}

TEST_F(Hobby, TwentyOfferedInAFileAllShowAndToggle)
{
    auto w = open(makeClass(1, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 50}), 13);
    THobbyForm* f = page(*w);
    ASSERT_EQ(f->OfferedCount(), 20);
    EXPECT_EQ(f->Rows(), 4);
    const int h = f->ValgPaintBox->height() / 4;
    EXPECT_EQ(f->CellRect(19), QRect(4 * (f->ValgPaintBox->width() / 5), 3 * h, f->ValgPaintBox->width() / 5, h));
    tElev* e = w->AktivElev();
    for (int i = 0; i < 20; ++i) {
        EXPECT_TRUE(f->ValgPaintBox->rect().contains(f->CellRect(i))) << i;
        clickPicture(f, i);
        EXPECT_TRUE(e->HobbyValgt(f->HobbyAt(i))) << i;
    }
    EXPECT_TRUE(e->HobbyValgt(50));
    // Fifteen or fewer keep the three rows.
    for (int n = 16; n <= 19; ++n)
        w->AktivKlasse().ToggleTilbudt(n);
    EXPECT_EQ(f->OfferedCount(), 16);
    EXPECT_EQ(f->Rows(), 4);
    w->AktivKlasse().ToggleTilbudt(50);
    EXPECT_EQ(f->Rows(), 3);
}

TEST_F(Hobby, APrintHoldsTheWholePanel)
{
    auto w = open(makeClass(1, {1}), 13);
    THobbyForm* f = page(*w);
    for (QSize size : {QSize(640, 450), QSize(1920, 1080), QSize(1280, 720)}) {
        f->resize(size);
        EXPECT_TRUE(f->PrintArea().contains(f->ElevPanel->geometry())) << size.width();
        EXPECT_FALSE(f->PrintArea().intersects(f->Panel2->geometry())) << size.width();
    }
}

TEST_F(Hobby, NoOfferNoCells)
{
    auto w = open(makeClass(1), 13);
    THobbyForm* f = page(*w);
    EXPECT_EQ(f->OfferedCount(), 0);
    QTest::mouseClick(f->ValgPaintBox, Qt::LeftButton, {}, f->ValgPaintBox->rect().center());
    QTest::keyClick(f->ValgPaintBox, Qt::Key_Space);
    EXPECT_FALSE(w->AktivElev()->Aendret());
    const QImage all = f->ValgPaintBox->grab().toImage();
    EXPECT_EQ(QColor(all.pixel(all.width() / 2, all.height() / 2)), QColor(255, 0, 0));
}

TEST_F(Hobby, ArrowsMoveAFrameAndSpaceTicks)
{
    auto w = open(makeClass(1, {1, 2, 3, 4, 5, 6, 7}), 13);
    THobbyForm* f = page(*w);
    activate(*w);
    tElev* e = w->AktivElev();
    // The page hands the keys to the grid.
    EXPECT_TRUE(f->ValgPaintBox->hasFocus());
    EXPECT_FALSE(f->ValgPaintBox->ShowsFocusFrame());
    const QImage plain = cellPixels(f, 1);
    QTest::keyClick(f->ValgPaintBox, Qt::Key_Right);
    EXPECT_EQ(f->CurrentCell(), 1);
    EXPECT_TRUE(f->ValgPaintBox->ShowsFocusFrame());
    const QImage framed = cellPixels(f, 1);
    EXPECT_NE(framed, plain);
    // The frame is black outside and white inside, along the cell's edge.
    EXPECT_EQ(QColor(framed.pixel(framed.width() / 2, 1)), QColor(Qt::black));
    EXPECT_EQ(QColor(framed.pixel(framed.width() / 2, 1 + f->S(1))), QColor(Qt::white));

    QTest::keyClick(f->ValgPaintBox, Qt::Key_Space);
    EXPECT_TRUE(e->HobbyValgt(2));
    QTest::keyClick(f->ValgPaintBox, Qt::Key_Down);
    EXPECT_EQ(f->CurrentCell(), 6);
    QTest::keyClick(f->ValgPaintBox, Qt::Key_Down);   // no cell below: stays
    EXPECT_EQ(f->CurrentCell(), 6);
    QTest::keyClick(f->ValgPaintBox, Qt::Key_Right);
    EXPECT_EQ(f->CurrentCell(), 6);
    QTest::keyClick(f->ValgPaintBox, Qt::Key_Space);
    EXPECT_TRUE(e->HobbyValgt(7));
    QTest::keyClick(f->ValgPaintBox, Qt::Key_Up);
    QTest::keyClick(f->ValgPaintBox, Qt::Key_Left);
    EXPECT_EQ(f->CurrentCell(), 0);
    QTest::keyClick(f->ValgPaintBox, Qt::Key_Left);
    EXPECT_EQ(f->CurrentCell(), 0);
    // The old cell lost its frame.
    EXPECT_NE(QColor(cellPixels(f, 1).pixel(framed.width() / 2, 1)), QColor(Qt::black));

    // The mouse hides the frame; the click's cell becomes the current one.
    clickPicture(f, 4);
    EXPECT_EQ(f->CurrentCell(), 4);
    EXPECT_FALSE(f->ValgPaintBox->ShowsFocusFrame());
    EXPECT_TRUE(e->HobbyValgt(5));
}

TEST_F(Hobby, BackSavesTheChoicesAsVAndX)
{
    auto w = open(makeClass(1, {3, 12, 47}), 13);
    THobbyForm* f = page(*w);
    tElev* e = w->AktivElev();
    const std::string file = e->FilNavn();
    const auto written = std::filesystem::last_write_time(file);
    f->BackSpeed->click();
    EXPECT_EQ(w->AktivSide(), 3);
    EXPECT_EQ(std::filesystem::last_write_time(file), written);   // nothing changed, nothing written

    w->ShowPage(13);
    clickPicture(f, 0);   // 3 chosen
    clickPicture(f, 2);   // 47 chosen
    clickPicture(f, 2);   // 47 not chosen after all
    QTest::mouseClick(f->BackSpeed, Qt::LeftButton);
    EXPECT_EQ(w->AktivSide(), 3);
    const Bytes b = ReadAll(file);
    const std::size_t at = hobbyOffset(*e);
    ASSERT_GE(b.size(), at + 50);
    EXPECT_EQ(b[at + 2], 'v');
    EXPECT_EQ(b[at + 11], 'x');   // offered, never ticked: as the class gave it
    EXPECT_EQ(b[at + 46], 'x');
    EXPECT_EQ(b[at + 0], ' ');
}

TEST_F(Hobby, ABookOpenedAloneShowsTheHobbiesItsClassOffered)
{
    const std::string kla = makeClass(1, {3, 12});
    std::string ele;
    {
        auto k = tKlasse::LoadFromFile(kla);
        ele = k->ElevFilNavn(0);
        tElev* e = k->GetElev(0);
        e->SetHobby(12, true);
        ASSERT_TRUE(e->SaveToFile(ele));
    }
    auto w = open(ele, 13);
    THobbyForm* f = page(*w);
    ASSERT_EQ(f->OfferedCount(), 2);
    EXPECT_EQ(f->HobbyAt(0), 3);
    EXPECT_EQ(f->HobbyAt(1), 12);
    EXPECT_TRUE(w->AktivElev()->HobbyValgt(12));
    EXPECT_FALSE(w->AktivKlasse().Aendret());
}
