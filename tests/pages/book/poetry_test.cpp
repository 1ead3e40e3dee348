// The poetry book (page 16) and its background page (17), driven through the
// main window with real mouse and key events, as a pupil would.
#include "../../support/scripted_dialogs.h"
#include "../../support/tempdir.h"
#include "../../support/test_main.h"
#include "bogbagform.h"
#include "bogform.h"
#include "canvas.h"
#include "chrome.h"
#include "datefmt.h"
#include "drawing.h"
#include "elev.h"
#include "mainwindow.h"
#include "textinput.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>

namespace {

constexpr QRgb kWhite = 0xFFFFFF;

// Types text key by key, as a keyboard does; also characters beyond
// Latin-1, which QTest::keyClicks cannot send.
void type(QWidget* w, const QString& text)
{
    for (QChar ch : text) {
        const Qt::Key key = ch.unicode() < 0x80 && ch.isLetterOrNumber() ? Qt::Key(ch.toUpper().unicode())
                                                                         : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Press, w, key, QString(ch), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, w, key, QString(ch), Qt::NoModifier);
    }
}

// Counts events of one type that reach a widget.
struct EventCounter : QObject {
    QEvent::Type type;
    int count = 0;
    explicit EventCounter(QEvent::Type t) : type(t) {}
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == type)
            ++count;
        return false;
    }
};

struct Poetry : ::testing::Test {
    void SetUp() override { SetShortDateFormat(DateFormat::Danish()); }

    std::string makePupil(std::int32_t bagside = 1, const std::vector<std::string>& answers = {})
    {
        tElev e;
        (void)e.SetKaldenavn("Ida");
        e.SetBagsideValg(bagside);
        for (std::size_t i = 0; i < answers.size(); ++i)
            e.SetBogTekst(int(i) + 1, answers[i]);
        e.SetAendret();
        const std::string path = dir.file("4a_Ida.ele");
        EXPECT_TRUE(e.SaveToFile(path));
        return path;
    }

    std::unique_ptr<TMain> open(const std::string& ele)
    {
        TMain::Options o = TestMainOptions(dialogs, ele);
        auto w = StartTestMain(o);
        EXPECT_EQ(w->AktivSide(), 3);
        return w;
    }

    /// The window sized so that its pages are exactly \a size.
    static void pageSize(TMain& w, QSize size)
    {
        const QSize frame = w.size() - w.centralWidget()->size();
        w.resize(size + frame);
        QApplication::processEvents();
        ASSERT_EQ(w.PageAt(16)->size(), size);
    }

    static TBogForm* book(TMain& w)
    {
        w.ShowPage(16);
        QApplication::processEvents();
        return static_cast<TBogForm*>(w.PageAt(16));
    }

    static TBogBagForm* backgrounds(TMain& w, bool animate = false)
    {
        auto* f = static_cast<TBogBagForm*>(w.PageAt(17));
        f->SetAnimation(animate);
        w.ShowPage(17);
        QApplication::processEvents();
        return f;
    }

    static QImage picture(TBogBagForm* f) { return f->BagPaintBox->grab().toImage(); }
    static QRgb pixel(const QImage& img, int x, int y) { return img.pixel(x, y) & 0xFFFFFF; }

    /// Background \a n alone, as the page draws it.
    static QImage layout(int n)
    {
        const QImage& page = Drawing().PageBitmap;
        QImage img(page.size(), QImage::Format_RGB32);
        Canvas c(&img);
        DrawPageLayout(c, Baggrund(n).layout);
        return img;
    }

    static void click(TBogBagForm* f, QPoint p) { QTest::mouseClick(f->BagPaintBox, Qt::LeftButton, {}, p); }

    ScriptedDialogs dialogs;
    TempDir dir;
};

// Points on the 551 x 450 page (a 640 x 450 window page).
const QPoint kOneFrame(0, 40);          // thumbnail 1's left frame, nothing over it
const QPoint kFiveFrame(8, 200);        // thumbnail 5's left frame
const QPoint kFiveAndSix(114, 220);     // 6 lies over 5
const QPoint kThreeAndFive(50, 180);    // 5 lies over 3
const QPoint kNowhere(400, 300);

} // namespace

TEST_F(Poetry, DefaultBookIsBlomstInPurpleAndSilver)
{
    auto w = open(makePupil());
    pageSize(*w, {640, 450});
    TBogForm* f = book(*w);
    const tElev& e = *w->AktivElev();
    EXPECT_EQ(f->ShownBackground(), 1);
    for (int i = 1; i <= kBogRows; ++i) {
        SCOPED_TRACE(i);
        const BogRow& row = BogRows()[std::size_t(i - 1)];
        EXPECT_EQ(row.tag, i);
        EXPECT_EQ(f->Edit[i]->palette().color(QPalette::Base), QColor(0x80, 0x00, 0x80));
        EXPECT_EQ(f->Edit[i]->palette().color(QPalette::Text), QColor(0xC0, 0xC0, 0xC0));
        EXPECT_EQ(f->Label[i]->palette().color(QPalette::WindowText), QColor(0xC0, 0xC0, 0xC0));
        EXPECT_EQ(f->LabelSkygge[i]->palette().color(QPalette::WindowText), QColor(0x80, 0x00, 0x00));
        // Design places at a scale of 1.
        const int y = 12 + 24 * (i - 1);
        EXPECT_EQ(f->Edit[i]->geometry(), QRect(240, y, row.width, 19));
        EXPECT_EQ(f->Label[i]->geometry().right() + 1, 232);
        EXPECT_EQ(f->LabelSkygge[i]->geometry(), f->Label[i]->geometry().translated(1, 1));
        EXPECT_EQ(f->Label[i]->text(), QString::fromUtf8(row.caption));
        EXPECT_EQ(f->Label[i]->property("Tag").toInt(), 2);
        EXPECT_EQ(f->LabelSkygge[i]->property("Tag").toInt(), 3);
        EXPECT_EQ(f->Edit[i]->property("Tag").toInt(), i);
        EXPECT_FALSE(f->Edit[i]->hasFrame());
        EXPECT_EQ(f->Edit[i]->font().family(), "Arial");
        EXPECT_EQ(f->Edit[i]->font().pixelSize(), 13);
        // Every caption is seen whole.
        EXPECT_LE(f->Label[i]->fontMetrics().horizontalAdvance(f->Label[i]->text()), f->Label[i]->width());
    }
    EXPECT_EQ(f->findChild<QLineEdit*>("FritidEdit"), f->Edit[1]);
    EXPECT_EQ(f->findChild<QLabel*>("GlaederLabelSkygge"), f->LabelSkygge[18]);
    EXPECT_EQ(f->findChild<QLineEdit*>("VaersteEdit")->width(), 189);
    EXPECT_EQ(f->Label[17]->text(), "Min værste oplevelse");
    EXPECT_EQ(f->BackSpeed->toolTip(), "Tilbage til elev-forsiden");
    EXPECT_EQ(f->RedigerSpeed->toolTip(), "Vælg en anden baggrund");
    EXPECT_EQ(f->BackSpeed->geometry(), QRect(8, 8, 73, 73));
    EXPECT_EQ(f->RedigerSpeed->geometry(), QRect(8, 80, 73, 73));
    EXPECT_EQ(w->focusWidget(), f->Edit[1]);

    // Every background is in the program's archive.
    for (int n = 1; n <= 10; ++n)
        EXPECT_NE(FindLayout(Baggrund(n).layout), nullptr) << n;
    // The page shows the layout "blomst" right of the column.
    const QImage shot = f->BogPaintBox->grab().toImage();
    const QImage blomst = layout(1);
    for (QPoint p : {QPoint(5, 5), QPoint(500, 440), QPoint(300, 200)})
        EXPECT_EQ(pixel(shot, p.x(), p.y()), pixel(blomst, p.x(), p.y()));

    // Scaled on a larger page: Arial 13 grows with it.
    pageSize(*w, {1280, 900});
    EXPECT_EQ(f->Edit[1]->font().pixelSize(), 26);
    EXPECT_EQ(f->Edit[16]->geometry(), QRect(480, 2 * (12 + 24 * 15), 378, 38));
    EXPECT_FALSE(e.Aendret());
}

TEST_F(Poetry, EveryAnswerIsTypedStoredSavedAndReadBackByteForByte)
{
    const std::string path = makePupil();
    auto w = open(path);
    TBogForm* f = book(*w);
    tElev& e = *w->AktivElev();
    std::vector<QString> typed;
    for (int i = 1; i <= kBogRows; ++i) {
        typed.push_back(QStringLiteral("Svar %1 æøå ÆØÅ é").arg(i));
        QTest::mouseClick(f->Edit[i], Qt::LeftButton);
        type(f->Edit[i], typed.back());
        EXPECT_EQ(e.BogTekst(i), ("Svar " + std::to_string(i) + " \xE6\xF8\xE5 \xC6\xD8\xC5 \xE9")) << i;
    }
    EXPECT_TRUE(e.Aendret());
    // Each keystroke is stored: a backspace too.
    QTest::keyClick(f->Edit[4], Qt::Key_Backspace);
    EXPECT_EQ(e.BogTekst(4), "Svar 4 \xE6\xF8\xE5 \xC6\xD8\xC5 ");
    type(f->Edit[4], QStringLiteral("é"));

    // Back: saved, then the student page.
    QTest::mouseClick(f->BackSpeed, Qt::LeftButton);
    EXPECT_EQ(w->AktivSide(), 3);
    EXPECT_FALSE(e.Aendret());
    EXPECT_TRUE(dialogs.messages.empty());
    const auto bytes = ReadAll(path);
    auto again = tElev::LoadFromFile(path);
    ASSERT_FALSE(again->LaesFejl());
    for (int i = 1; i <= kBogRows; ++i)
        EXPECT_EQ(again->BogTekst(i), e.BogTekst(i)) << i;
    // Written again from what was read: the same bytes.
    again->SetAendret();
    const std::string copy = dir.file("copy.ele");
    ASSERT_TRUE(again->SaveToFile(copy));
    EXPECT_EQ(ReadAll(copy), bytes);

    // Reopened in a new window, the boxes show the answers.
    w.reset();
    auto w2 = open(path);
    TBogForm* f2 = book(*w2);
    for (int i = 1; i <= kBogRows; ++i)
        EXPECT_EQ(f2->Edit[i]->text(), typed[std::size_t(i - 1)]) << i;
    EXPECT_FALSE(w2->AktivElev()->Aendret());
}

TEST_F(Poetry, LookingChangesNothing)
{
    // A full book with a choice no table holds: showing both pages, going
    // back and forth and rendering them writes nothing.
    std::vector<std::string> answers(18, "Fodbold");
    answers[16] = std::string(80, 'x');   // longer than a box takes now
    answers[0] = std::string(40000, 'y');   // longer than any line edit can hold
    const std::string path = makePupil(11, answers);
    const auto before = ReadAll(path);
    const auto stamp = std::filesystem::last_write_time(path);
    auto w = open(path);
    TBogForm* f = book(*w);
    EXPECT_EQ(f->Edit[17]->text().size(), 80);   // kept whole
    EXPECT_EQ(f->Edit[17]->cursorPosition(), 0);
    EXPECT_FALSE(w->AktivElev()->Aendret());
    EXPECT_EQ(w->AktivElev()->BogTekst(1).size(), 40000u);   // the box shows less, the record keeps it
    EXPECT_EQ(f->ShownBackground(), 1);
    f->BogPaintBox->grab();
    QTest::mouseClick(f->RedigerSpeed, Qt::LeftButton);
    EXPECT_EQ(w->AktivSide(), 17);
    auto* b = static_cast<TBogBagForm*>(w->PageAt(17));
    QApplication::processEvents();
    EXPECT_EQ(b->ShownBackground(), 1);
    picture(b);
    QTest::mouseClick(b->BackSpeed, Qt::LeftButton);
    EXPECT_EQ(w->AktivSide(), 16);
    QTest::mouseClick(f->BackSpeed, Qt::LeftButton);
    EXPECT_EQ(w->AktivSide(), 3);
    EXPECT_FALSE(w->AktivElev()->Aendret());
    EXPECT_EQ(w->AktivElev()->BagsideValg(), 11);
    EXPECT_EQ(ReadAll(path), before);
    EXPECT_EQ(std::filesystem::last_write_time(path), stamp);

    // The long answer can be shortened without losing the rest.
    book(*w);
    f->Edit[17]->setFocus();
    QTest::keyClick(f->Edit[17], Qt::Key_End);
    QTest::keyClick(f->Edit[17], Qt::Key_Backspace);
    EXPECT_EQ(w->AktivElev()->BogTekst(17), std::string(79, 'x'));
    QTest::keyClicks(f->Edit[17], "yz");
    EXPECT_EQ(w->AktivElev()->BogTekst(17), std::string(79, 'x') + "y");   // the box is full again at 80
}

TEST_F(Poetry, BoxesTakeOnlyWhatTheFilesCanHold)
{
    auto w = open(makePupil());
    TBogForm* f = book(*w);
    tElev& e = *w->AktivElev();
    // At most 60 characters.
    QTest::keyClicks(f->Edit[16], QString(70, 'a'));
    EXPECT_EQ(f->Edit[16]->text().size(), TBogForm::kMaxAnswer);
    EXPECT_EQ(e.BogTekst(16), std::string(60, 'a'));
    // A character Windows-1252 cannot hold is refused with a note; the euro
    // sign it can.
    QTest::keyClicks(f->Edit[2], QStringLiteral("Kok"));
    type(f->Edit[2], QStringLiteral("Ω"));
    EXPECT_EQ(f->Edit[2]->text(), "Kok");
    EXPECT_EQ(e.BogTekst(2), "Kok");
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), RefusedCharacterText());
    type(f->Edit[2], QStringLiteral("€"));
    EXPECT_EQ(e.BogTekst(2), "Kok\x80");
    // The text stays inside its box: the small box scrolls, it does not grow.
    const QRect box = f->Edit[4]->geometry();
    QTest::keyClicks(f->Edit[4], QStringLiteral("1234567890"));
    EXPECT_EQ(f->Edit[4]->geometry(), box);
}

TEST_F(Poetry, EnterAndArrowsWalkFromAnswerToAnswer)
{
    auto w = open(makePupil());
    TBogForm* f = book(*w);
    ASSERT_EQ(w->focusWidget(), f->Edit[1]);
    QTest::keyClick(f->Edit[1], Qt::Key_Return);
    EXPECT_EQ(w->focusWidget(), f->Edit[2]);
    QTest::keyClick(f->Edit[2], Qt::Key_Down);
    EXPECT_EQ(w->focusWidget(), f->Edit[3]);
    QTest::keyClick(f->Edit[3], Qt::Key_Up);
    EXPECT_EQ(w->focusWidget(), f->Edit[2]);
    QTest::keyClick(f->Edit[2], Qt::Key_Tab);
    EXPECT_EQ(w->focusWidget(), f->Edit[3]);
    f->Edit[18]->setFocus();
    QTest::keyClick(f->Edit[18], Qt::Key_Return);   // the last one keeps it
    EXPECT_EQ(w->focusWidget(), f->Edit[18]);
    f->Edit[1]->setFocus();
    QTest::keyClick(f->Edit[1], Qt::Key_Up);
    EXPECT_EQ(w->focusWidget(), f->Edit[1]);
    EXPECT_FALSE(w->AktivElev()->Aendret());
}

TEST_F(Poetry, FieldColoursAreNotSetWhilePainting)
{
    auto w = open(makePupil(8));
    TBogForm* f = book(*w);
    EXPECT_EQ(f->Edit[1]->palette().color(QPalette::Base), QColor(0x00, 0x00, 0x80));
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    EventCounter palettes(QEvent::PaletteChange), paints(QEvent::Paint);
    f->Edit[1]->installEventFilter(&palettes);
    f->Label[1]->installEventFilter(&palettes);
    f->BogPaintBox->installEventFilter(&paints);
    f->BogPaintBox->repaint();
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    EXPECT_EQ(palettes.count, 0);
    EXPECT_EQ(paints.count, 1);   // no painting that asks for more painting
    // The background is drawn once, not on every paint.
    const int draws = f->BackgroundDraws();
    f->BogPaintBox->repaint();
    EXPECT_EQ(f->BackgroundDraws(), draws);
}

TEST_F(Poetry, ChoosingFiveThenSpaceRecoloursTheBook)
{
    const std::string path = makePupil();
    auto w = open(path);
    pageSize(*w, {640, 450});
    TBogBagForm* f = backgrounds(*w);
    EXPECT_EQ(f->BackSpeed->toolTip(), "Tilbage til poesi-bogen");
    EXPECT_EQ(f->BackSpeed->geometry(), QRect(8, 8, 73, 73));
    EXPECT_EQ(f->BagPaintBox->geometry(), QRect(89, 0, 551, 450));

    // Background 1 fills the page and has no thumbnail; 5 has one.
    QImage shot = picture(f);
    QImage blomst = layout(1);
    EXPECT_NE(pixel(shot, kOneFrame.x(), kOneFrame.y()), kWhite);
    EXPECT_EQ(pixel(shot, kOneFrame.x(), kOneFrame.y()), pixel(blomst, kOneFrame.x(), kOneFrame.y()));
    EXPECT_EQ(pixel(shot, kFiveFrame.x(), kFiveFrame.y()), kWhite);
    EXPECT_EQ(pixel(shot, 60, 267), 0u);   // 5's black bottom edge (6 lies over its right one)
    EXPECT_EQ(pixel(shot, kNowhere.x(), kNowhere.y()), pixel(blomst, kNowhere.x(), kNowhere.y()));

    // Choosing 5: thumbnail 5 goes, thumbnail 1 comes.
    click(f, {60, 220});
    EXPECT_EQ(w->AktivElev()->BagsideValg(), 5);
    EXPECT_EQ(f->ShownBackground(), 5);
    shot = picture(f);
    const QImage hest = layout(5);
    EXPECT_EQ(pixel(shot, kOneFrame.x(), kOneFrame.y()), kWhite);
    EXPECT_EQ(pixel(shot, 109, 40), 0u);
    EXPECT_NE(pixel(shot, kFiveFrame.x(), kFiveFrame.y()), kWhite);
    EXPECT_EQ(pixel(shot, kNowhere.x(), kNowhere.y()), pixel(hest, kNowhere.x(), kNowhere.y()));

    // Back: saved, and the book wears 5's colours.
    QTest::mouseClick(f->BackSpeed, Qt::LeftButton);
    EXPECT_EQ(w->AktivSide(), 16);
    EXPECT_EQ(tElev::LoadFromFile(path)->BagsideValg(), 5);
    auto* bog = static_cast<TBogForm*>(w->PageAt(16));
    EXPECT_EQ(bog->Edit[3]->palette().color(QPalette::Base), QColor(0x00, 0x00, 0x80));
    EXPECT_EQ(bog->Edit[3]->palette().color(QPalette::Text), QColor(0x00, 0xFF, 0x00));

    // "space" (8), then back: navy fields, sky-blue text and captions.
    QTest::mouseClick(bog->RedigerSpeed, Qt::LeftButton);
    const ThumbnailRects r = f->Thumbnails();
    click(f, QPoint(r[8].right - 5, r[8].bottom - 5));
    EXPECT_EQ(w->AktivElev()->BagsideValg(), 8);
    QTest::mouseClick(f->BackSpeed, Qt::LeftButton);
    EXPECT_EQ(bog->ShownBackground(), 8);
    EXPECT_EQ(bog->Edit[1]->palette().color(QPalette::Base), QColor(0x00, 0x00, 0x80));
    EXPECT_EQ(bog->Edit[1]->palette().color(QPalette::Text), QColor(0xA6, 0xCA, 0xF0));
    EXPECT_EQ(bog->Label[1]->palette().color(QPalette::WindowText), QColor(0xA6, 0xCA, 0xF0));
    EXPECT_EQ(bog->LabelSkygge[1]->palette().color(QPalette::WindowText), QColor(0, 0, 0));
    const QImage space = layout(8);
    const QImage bookShot = bog->BogPaintBox->grab().toImage();
    EXPECT_EQ(pixel(bookShot, 500, 440), pixel(space, 500, 440));
    EXPECT_EQ(tElev::LoadFromFile(path)->BagsideValg(), 8);
}

TEST_F(Poetry, AClickOnNoThumbnailChangesNothing)
{
    const std::string path = makePupil(3);
    auto w = open(path);
    pageSize(*w, {640, 450});
    TBogBagForm* f = backgrounds(*w, true);
    const ThumbnailRects r = f->Thumbnails();
    // Nowhere, and inside the chosen background's own hidden place.
    click(f, kNowhere);
    click(f, QPoint(r[3].left + 3, r[3].top + 40));
    EXPECT_FALSE(f->Animating());
    EXPECT_EQ(w->AktivElev()->BagsideValg(), 3);
    EXPECT_FALSE(w->AktivElev()->Aendret());
    // Pressed on a thumbnail, let go outside the page: no click.
    QTest::mousePress(f->BagPaintBox, Qt::LeftButton, {}, QPoint(r[4].left + 10, r[4].top + 30));
    QTest::mouseRelease(f->BagPaintBox, Qt::LeftButton, {}, QPoint(-20, 30));
    EXPECT_FALSE(f->Animating());
    // Only the left button chooses.
    QTest::mouseClick(f->BagPaintBox, Qt::RightButton, {}, QPoint(r[4].left + 10, r[4].top + 30));
    EXPECT_EQ(w->AktivElev()->BagsideValg(), 3);
    QTest::mouseClick(f->BackSpeed, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_FALSE(w->AktivElev()->Aendret());
}

TEST_F(Poetry, TheTopmostVisibleThumbnailIsChosenWithOneZoom)
{
    auto w = open(makePupil(5));
    pageSize(*w, {640, 450});
    TBogBagForm* f = backgrounds(*w, true);
    QSignalSpy ticks(&f->ZoomTimer(), &QTimer::timeout);
    // Inside 5's hidden place and 6's thumbnail: 6, with one zoom.
    QElapsedTimer clock;
    clock.start();
    click(f, kFiveAndSix);
    EXPECT_TRUE(f->Animating());
    EXPECT_EQ(f->AnimationFrame(), 0);
    EXPECT_EQ(f->ZoomTimer().interval(), 20);
    EXPECT_EQ(w->AktivElev()->BagsideValg(), 6);
    // While it runs, clicks are not taken.
    QTest::qWait(100);
    EXPECT_TRUE(f->Animating());
    click(f, kThreeAndFive);
    EXPECT_EQ(w->AktivElev()->BagsideValg(), 6);
    // The program goes on while it runs; it ends after 40 frames of 20 ms.
    EXPECT_TRUE(QTest::qWaitFor([f] { return !f->Animating(); }, 5000));
    EXPECT_GE(clock.elapsed(), 780);
    EXPECT_EQ(ticks.count(), 40);
    EXPECT_EQ(f->ShownBackground(), 6);
    EXPECT_EQ(w->AktivElev()->BagsideValg(), 6);
    // Now 5 has a thumbnail again and lies under 6; 3 lies under 5.
    const QImage shot = picture(f);
    EXPECT_EQ(pixel(shot, kFiveFrame.x(), kFiveFrame.y()), kWhite);
    click(f, kThreeAndFive);
    EXPECT_EQ(w->AktivElev()->BagsideValg(), 5);
    EXPECT_TRUE(QTest::qWaitFor([f] { return !f->Animating(); }, 5000));
    EXPECT_EQ(ticks.count(), 80);
}

TEST_F(Poetry, TheZoomDrawsItsFramesOverTheOldPicture)
{
    auto w = open(makePupil());
    pageSize(*w, {640, 450});
    TBogBagForm* f = backgrounds(*w, true);
    const QImage before = picture(f);
    click(f, {60, 220});   // thumbnail 5
    f->ZoomTimer().stop();   // hold the zoom where it is
    const IntRect r5 = f->Thumbnails()[5];
    for (int i : {0, 1, 25}) {
        while (f->AnimationFrame() < i)
            f->ZoomTimerTimer();
        const IntRect z = ZoomFrame(r5, 551, 450, i);
        const QImage shot = picture(f);
        // The frame inverts the old picture under it; inside it the old
        // picture is untouched.
        for (QPoint p : {QPoint(z.left, (z.top + z.bottom) / 2), QPoint((z.left + z.right) / 2, z.bottom - 1),
                         QPoint(z.right - 1, z.top + 3)}) {
            EXPECT_EQ(pixel(shot, p.x(), p.y()), ~pixel(before, p.x(), p.y()) & 0xFFFFFF) << i << " " << p.x();
        }
        EXPECT_EQ(pixel(shot, z.left + 2, z.top + 2), pixel(before, z.left + 2, z.top + 2)) << i;
    }
    // Leaving the page ends the zoom; the choice is kept and saved.
    QTest::mouseClick(f->BackSpeed, Qt::LeftButton);
    EXPECT_FALSE(f->Animating());
    EXPECT_EQ(tElev::LoadFromFile(w->AktivElev()->FilNavn())->BagsideValg(), 5);
}

TEST_F(Poetry, ThumbnailsFollowThePageSize)
{
    auto w = open(makePupil());
    pageSize(*w, {640, 450});
    TBogBagForm* f = backgrounds(*w);
    const int offsets[10][2] = {{0, -11}, {18, -7}, {6, 3}, {7, -8}, {8, -2},
                                {1, -1},  {1, 7},   {1, -5}, {20, -3}, {17, -4}};
    auto check = [&] {
        const ThumbnailRects r = f->Thumbnails();
        for (int k = 1; k <= 10; ++k) {
            EXPECT_EQ(r[k].left - (k - 1) % 2 * 110, offsets[k - 1][0]) << k;
            EXPECT_EQ(r[k].top - (k - 1) / 2 * 90, offsets[k - 1][1]) << k;
        }
        // What is drawn is where the clicks land.
        const QImage shot = picture(f);
        EXPECT_EQ(pixel(shot, r[5].left, r[5].top + 30), kWhite);
        EXPECT_EQ(pixel(shot, r[5].left + 50, r[5].bottom - 1), 0u);
    };
    check();
    // Larger: the thumbnails are a fifth of the new page.
    pageSize(*w, {1280, 900});
    const ThumbnailRects big = f->Thumbnails();
    EXPECT_EQ(big[1].right - big[1].left, (1280 - 178) / 5);
    EXPECT_EQ(big[1].bottom - big[1].top, 900 / 5);
    QImage shot = picture(f);
    EXPECT_EQ(pixel(shot, big[5].left, big[5].top + 30), kWhite);
    click(f, QPoint(big[5].left + 30, big[5].top + 60));
    EXPECT_EQ(w->AktivElev()->BagsideValg(), 5);
    // And back: the same places as before.
    pageSize(*w, {640, 450});
    click(f, QPoint(1 + 20, 40));   // thumbnail 1
    EXPECT_EQ(w->AktivElev()->BagsideValg(), 1);
    check();
}

TEST_F(Poetry, TheHandShowsOverThumbnailsThatCanBeChosen)
{
    auto w = open(makePupil(5));
    pageSize(*w, {640, 450});
    TBogBagForm* f = backgrounds(*w);
    QTest::mouseMove(f->BagPaintBox, kThreeAndFive);
    EXPECT_EQ(f->BagPaintBox->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(f->BagPaintBox, kNowhere);
    EXPECT_EQ(f->BagPaintBox->cursor().shape(), Qt::ArrowCursor);
    // 5 is chosen: its hidden place shows no hand.
    QTest::mouseMove(f->BagPaintBox, QPoint(60, 220));
    EXPECT_EQ(f->BagPaintBox->cursor().shape(), Qt::ArrowCursor);
    QTest::mouseMove(f->BagPaintBox, kFiveAndSix);
    EXPECT_EQ(f->BagPaintBox->cursor().shape(), Qt::PointingHandCursor);
    // Chosen: the thumbnail under the pointer is gone, and so is the hand.
    QTest::mouseMove(f->BagPaintBox, QPoint(60, 130));
    EXPECT_EQ(f->BagPaintBox->cursor().shape(), Qt::PointingHandCursor);
    click(f, QPoint(60, 130));
    EXPECT_EQ(w->AktivElev()->BagsideValg(), 3);
    EXPECT_EQ(f->BagPaintBox->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(Poetry, AChoiceOutsideTheTableFromAFileShowsTheFirstAndIsKept)
{
    for (std::int32_t v : {0, 11, -1, INT_MAX}) {
        SCOPED_TRACE(v);
        const std::string path = makePupil(v);
        auto w = open(path);
        pageSize(*w, {640, 450});
        TBogForm* bog = book(*w);
        EXPECT_EQ(bog->ShownBackground(), 1);
        EXPECT_EQ(bog->Edit[1]->palette().color(QPalette::Base), QColor(0x80, 0x00, 0x80));
        const QImage blomst = layout(1);
        EXPECT_EQ(pixel(bog->BogPaintBox->grab().toImage(), 500, 440), pixel(blomst, 500, 440));
        TBogBagForm* f = backgrounds(*w);
        EXPECT_EQ(f->ShownBackground(), 1);
        const QImage shot = picture(f);
        EXPECT_EQ(pixel(shot, kNowhere.x(), kNowhere.y()), pixel(blomst, kNowhere.x(), kNowhere.y()));
        EXPECT_NE(pixel(shot, kOneFrame.x(), kOneFrame.y()), kWhite);   // no thumbnail 1
        QTest::mouseClick(f->BackSpeed, Qt::LeftButton);
        QTest::mouseClick(bog->BackSpeed, Qt::LeftButton);
        EXPECT_EQ(tElev::LoadFromFile(path)->BagsideValg(), v);   // kept until the pupil chooses
        // Choosing writes the new choice.
        f = backgrounds(*w);
        click(f, kFiveFrame + QPoint(20, 0));
        QTest::mouseClick(f->BackSpeed, Qt::LeftButton);
        EXPECT_EQ(tElev::LoadFromFile(path)->BagsideValg(), 5);
    }
}

TEST_F(Poetry, ThePictureSurvivesOtherPagesDrawingIntoTheSharedBitmap)
{
    auto w = open(makePupil());
    pageSize(*w, {640, 450});
    TBogBagForm* f = backgrounds(*w);
    picture(f);
    const int draws = f->BackgroundDraws();
    picture(f);
    EXPECT_EQ(f->BackgroundDraws(), draws);   // not drawn again for a repaint
    {
        Canvas c(&Drawing().PageBitmap);   // another page, say the printout of another
        c.SetSolidBrush(0xFFFFFF);
        c.FillRect({0, 0, 551, 450});
    }
    const QImage shot = picture(f);
    EXPECT_EQ(f->BackgroundDraws(), draws + 1);
    EXPECT_EQ(pixel(shot, kFiveFrame.x(), kFiveFrame.y()), kWhite);
    EXPECT_EQ(pixel(shot, 60, 267), 0u);
    EXPECT_EQ(pixel(shot, kNowhere.x(), kNowhere.y()), pixel(layout(1), kNowhere.x(), kNowhere.y()));
}

TEST_F(Poetry, AFailedSaveOnLeavingIsToldAndThePageIsLeft)
{
    auto w = open(makePupil());
    w->AktivElev()->SetFilNavn(dir.file("no/such/folder/Ida.ele"));
    TBogForm* bog = book(*w);
    QTest::keyClicks(bog->Edit[1], "Fodbold");
    QTest::mouseClick(bog->BackSpeed, Qt::LeftButton);
    EXPECT_EQ(w->AktivSide(), 3);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].caption, "Fejl");
    EXPECT_EQ(dialogs.messages[0].text,
              "Ændringerne kunne ikke skrives til \"" + QString::fromStdString(dir.file("no/such/folder/Ida.ele")) + "\"");
    EXPECT_TRUE(w->AktivElev()->Aendret());
    TBogBagForm* f = backgrounds(*w);
    click(f, {60, 220});
    QTest::mouseClick(f->BackSpeed, Qt::LeftButton);
    EXPECT_EQ(w->AktivSide(), 16);
    EXPECT_EQ(dialogs.messages.size(), 2u);
}

TEST_F(Poetry, APictureTakenAtOnceHoldsTheThumbnails)
{
    // As the command line takes it: shown, then grabbed, with no events
    // between.
    auto w = open(makePupil(2));
    pageSize(*w, {640, 450});
    w->ShowPage(17);
    const QImage shot = w->PageAt(17)->grab().toImage();
    const int col = 89;
    EXPECT_EQ(pixel(shot, col + kOneFrame.x(), kOneFrame.y()), kWhite);
    EXPECT_EQ(pixel(shot, col + kFiveFrame.x(), kFiveFrame.y()), kWhite);
    EXPECT_EQ(pixel(shot, col + kNowhere.x(), kNowhere.y()), pixel(layout(2), kNowhere.x(), kNowhere.y()));
    EXPECT_FALSE(w->AktivElev()->Aendret());
}

TEST_F(Poetry, OnATallWindowTheQuestionnaireStandsInTheDesignBoxOverItsBackground)
{
    auto w = open(makePupil(6));
    TBogForm* f = book(*w);
    pageSize(*w, {900, 1040});
    ASSERT_GT(f->BoxTop(), 0);
    // Every row where the design box puts it, caption beside its field.
    for (int n = 1; n <= kBogRows; ++n) {
        const int y = f->BoxTop() + f->S(kBogRowTop + kBogRowStep * (n - 1));
        EXPECT_EQ(f->Edit[std::size_t(n)]->y(), y) << n;
        EXPECT_EQ(f->Label[std::size_t(n)]->y(), y) << n;
    }
    EXPECT_EQ(f->BackSpeed->y(), f->BoxTop() + f->S(8));
    // The background in the box, and above and below it its own edge rows
    // drawn out.
    const QImage shot = f->BogPaintBox->grab().toImage();
    const QImage bg = layout(6);
    const int top = f->BoxTop(), h = bg.height();
    for (int y : {0, h / 3, h - 1})
        EXPECT_EQ(pixel(shot, 10, top + y), bg.pixel(10, y) & 0xFFFFFF) << y;
    EXPECT_EQ(pixel(shot, 10, 0), bg.pixel(10, 0) & 0xFFFFFF);
    EXPECT_EQ(pixel(shot, 10, shot.height() - 1), bg.pixel(10, h - 1) & 0xFFFFFF);
    // The background page keeps its back button in the box too.
    TBogBagForm* b = backgrounds(*w);
    EXPECT_EQ(b->BackSpeed->y(), b->BoxTop() + b->S(8));
}
