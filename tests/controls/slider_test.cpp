// The sliders driven with the mouse and the keys: which signal fires, in
// which order, where the knob goes, what the setters refuse.
#include "slider.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

void press(QWidget* w, QPoint p)
{
    QMouseEvent e(QEvent::MouseButtonPress, p, w->mapToGlobal(p), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void move(QWidget* w, QPoint p)
{
    QMouseEvent e(QEvent::MouseMove, p, w->mapToGlobal(p), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void release(QWidget* w, QPoint p)
{
    QMouseEvent e(QEvent::MouseButtonRelease, p, w->mapToGlobal(p), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// The order in which the two signals fire.
struct Recorder {
    std::vector<std::string> log;
    explicit Recorder(TSlide& s)
    {
        QObject::connect(&s, &TSlide::OnChange, [this] { log.push_back("change"); });
        QObject::connect(&s, &TSlide::OnSlideMove, [this] { log.push_back("move"); });
    }
};

// A colour slider as the editor pages have it.
void colourSlider(THSlide& s)
{
    s.resize(185, 29);
    s.SetMax(37);
    s.SetPosition(18);
}

} // namespace

TEST(Slider, SettersKeepTheInvariantsAndFireNothing)
{
    THSlide s;
    QSignalSpy change(&s, &TSlide::OnChange), slide(&s, &TSlide::OnSlideMove);
    EXPECT_EQ(s.Min(), 0);
    EXPECT_EQ(s.Max(), 100);
    EXPECT_EQ(s.Position(), 0);
    EXPECT_EQ(s.size(), QSize(129, 17));

    s.SetPosition(40);
    EXPECT_EQ(s.Position(), 40);
    s.SetPosition(101);   // outside: ignored, not clamped
    s.SetPosition(-1);
    EXPECT_EQ(s.Position(), 40);

    s.SetMax(30);   // below Position pulls it down
    EXPECT_EQ(s.Max(), 30);
    EXPECT_EQ(s.Position(), 30);
    s.SetMax(0);    // not above Min
    EXPECT_EQ(s.Max(), 30);
    s.SetMin(30);   // not below Max
    EXPECT_EQ(s.Min(), 0);
    s.SetPosition(5);
    s.SetMin(10);   // above Position pulls it up
    EXPECT_EQ(s.Position(), 10);

    s.SetIncrement(0);
    EXPECT_EQ(s.Increment(), 1);
    s.SetIncrement(21);   // more than Max - Min = 20
    EXPECT_EQ(s.Increment(), 1);
    s.SetIncrement(20);
    EXPECT_EQ(s.Increment(), 20);

    s.SetKnobAutoSize(false);
    s.SetKnobSize(7);
    EXPECT_EQ(s.KnobSize(), 17);
    s.SetKnobSize(130);   // longer than the control
    EXPECT_EQ(s.KnobSize(), 17);
    s.SetKnobSize(40);
    EXPECT_EQ(s.KnobSize(), 40);
    EXPECT_EQ(s.TrackLen(), 129 - 40);

    EXPECT_EQ(change.count(), 0);
    EXPECT_EQ(slide.count(), 0);
}

TEST(Slider, ColourSliderKnobPlace)
{
    THSlide s;
    colourSlider(s);
    EXPECT_EQ(s.KnobSize(), 29);   // square: the control's height
    EXPECT_EQ(s.TrackLen(), 156);
    EXPECT_EQ(s.KnobRect(), (IntRect{76, 0, 105, 29}));   // MulDiv(156, 18, 37) = 76
    s.SetPosition(0);
    EXPECT_EQ(s.KnobRect().left, 0);
    s.SetPosition(37);
    EXPECT_EQ(s.KnobRect().right, 185);

    TVSlide v;
    v.resize(33, 89);
    v.SetMin(-10);
    v.SetMax(10);
    v.SetPosition(0);
    EXPECT_EQ(v.KnobSize(), 33);
    EXPECT_EQ(v.KnobRect(), (IntRect{0, 28, 33, 61}));   // MulDiv(56, 10, 20)
}

TEST(Slider, GrooveClicksStepByIncrement)
{
    THSlide s;
    s.SetMax(20);
    s.SetIncrement(5);
    s.SetPosition(19);
    Recorder r(s);
    QSignalSpy change(&s, &TSlide::OnChange);
    press(&s, {s.KnobRect().left - 1, 8});   // left of the knob
    release(&s, {s.KnobRect().left - 1, 8});
    EXPECT_EQ(s.Position(), 14);

    s.SetPosition(19);
    r.log.clear();
    press(&s, {128, 8});   // at the Max end: 19 + 5 stops at 20
    EXPECT_EQ(s.Position(), 20);
    EXPECT_EQ(r.log, (std::vector<std::string>{"change", "move"}));
    release(&s, {128, 8});
    EXPECT_EQ(r.log.size(), 2u);

    // Straight below the knob (inside its width, outside the control's
    // height) changes nothing.
    r.log.clear();
    s.SetPosition(10);
    press(&s, {s.KnobRect().left + 3, 30});
    EXPECT_EQ(s.Position(), 10);
    EXPECT_TRUE(r.log.empty());

    // A vertical slider adds below the knob and subtracts above it.
    TVSlide v;
    v.SetMax(10);
    v.SetPosition(5);
    Recorder rv(v);
    press(&v, {8, 128});
    EXPECT_EQ(v.Position(), 6);
    press(&v, {8, 0});
    EXPECT_EQ(v.Position(), 5);
    EXPECT_EQ(rv.log, (std::vector<std::string>{"change", "move", "change", "move"}));
}

TEST(Slider, GrooveClicksStopAtANegativeMin)
{
    // -8 - 5 would be -13: the step stops at Min, not at 0 nor beyond.
    THSlide s;
    s.SetMin(-10);
    s.SetMax(10);
    s.SetPosition(-8);
    s.SetIncrement(5);
    Recorder r(s);
    ASSERT_GT(s.KnobRect().left, 2);
    press(&s, {1, 8});
    release(&s, {1, 8});
    EXPECT_EQ(s.Position(), -10);
    EXPECT_EQ(r.log, (std::vector<std::string>{"change", "move"}));
    EXPECT_EQ(s.KnobRect().left, 0);

    TVSlide v;   // the palettes' angle slider: above the knob subtracts
    v.SetMin(-10);
    v.SetMax(10);
    v.SetPosition(-8);
    v.SetIncrement(5);
    ASSERT_GT(v.KnobRect().top, 2);
    press(&v, {8, 1});
    EXPECT_EQ(v.Position(), -10);
}

TEST(Slider, ClickAtMaxFiresNothing)
{
    THSlide s;
    s.SetMax(20);
    s.SetPosition(20);
    s.SetKnobAutoSize(false);
    s.SetKnobSize(8);   // leaves groove to the left only
    QSignalSpy change(&s, &TSlide::OnChange), slide(&s, &TSlide::OnSlideMove);
    // The knob sits at the right end; a click right of it is impossible, a
    // click on it starts and ends a drag that changes nothing.
    press(&s, {s.KnobRect().left + 2, 8});
    release(&s, {s.KnobRect().left + 2, 8});
    EXPECT_EQ(change.count(), 0);
    EXPECT_EQ(slide.count(), 0);
    EXPECT_EQ(s.Position(), 20);
}

TEST(Slider, DragFiresSlideMoveOnIntegerChangesAndChangeOnceAtRelease)
{
    THSlide s;
    colourSlider(s);   // 156 pixels for 37 steps: about 4 pixels a step
    QSignalSpy change(&s, &TSlide::OnChange), slide(&s, &TSlide::OnSlideMove);
    const int grabX = s.KnobRect().left + 14;
    press(&s, {grabX, 14});
    EXPECT_EQ(s.State(), TSlide::Dragged);
    int moves = 0, last = s.Position();
    for (int dx = 1; dx <= 20; ++dx) {
        move(&s, {grabX + dx, 14});
        if (s.Position() != last) {
            ++moves;
            last = s.Position();
        }
        EXPECT_EQ(s.KnobRect().left, 76 + dx);   // free dragging: pixel by pixel
    }
    move(&s, {grabX + 20, 3});   // only the vertical coordinate changed
    EXPECT_EQ(slide.count(), moves);
    EXPECT_GT(moves, 3);
    EXPECT_LT(moves, 20);
    EXPECT_EQ(change.count(), 0);
    release(&s, {grabX + 20, 14});
    EXPECT_EQ(change.count(), 1);
    EXPECT_EQ(s.State(), TSlide::Normal);
    EXPECT_EQ(s.Position(), 23);   // MulDiv(37, 96, 156) = 23

    // Overshooting the end leaves the knob at its last place inside.
    press(&s, {s.KnobRect().left + 14, 14});
    move(&s, {184, 14});
    const IntRect inside = s.KnobRect();
    EXPECT_LE(inside.right, 185);
    move(&s, {400, 14});
    EXPECT_EQ(s.KnobRect(), inside);
    release(&s, {400, 14});

    // There and back again: no OnChange.
    change.clear();
    slide.clear();
    const int p0 = s.Position();
    const int x0 = s.KnobRect().left + 10;
    press(&s, {x0, 14});
    move(&s, {x0 - 12, 14});
    move(&s, {x0, 14});
    release(&s, {x0, 14});
    EXPECT_EQ(s.Position(), p0);
    EXPECT_GT(slide.count(), 0);
    EXPECT_EQ(change.count(), 0);
}

TEST(Slider, StopsSnapTheKnobToPositions)
{
    THSlide s;
    s.resize(129, 17);
    s.SetMax(4);   // 4 steps over 112 pixels
    s.SetStops(true);
    QSignalSpy slide(&s, &TSlide::OnSlideMove);
    press(&s, {8, 8});
    move(&s, {9, 8});   // not far enough for a new position: the knob stays
    EXPECT_EQ(s.KnobRect().left, 0);
    EXPECT_EQ(slide.count(), 0);
    move(&s, {8 + 30, 8});
    EXPECT_EQ(s.Position(), 1);
    EXPECT_EQ(s.KnobRect().left, 28);   // the place of position 1
    EXPECT_EQ(slide.count(), 1);
    release(&s, {38, 8});
}

TEST(Slider, DisablingEndsADragWithoutChange)
{
    THSlide s;
    colourSlider(s);
    QSignalSpy change(&s, &TSlide::OnChange);
    press(&s, {90, 14});
    move(&s, {120, 14});
    s.setEnabled(false);
    EXPECT_EQ(s.State(), TSlide::Disabled);
    release(&s, {120, 14});
    EXPECT_EQ(change.count(), 0);
    press(&s, {5, 14});   // a disabled slider takes no clicks
    s.setEnabled(true);
    EXPECT_EQ(s.State(), TSlide::Normal);
}

TEST(Slider, KeysMoveLikeClicks)
{
    THSlide s;
    colourSlider(s);
    s.show();
    Recorder r(s);
    QTest::keyClick(&s, Qt::Key_Right);
    EXPECT_EQ(s.Position(), 19);
    EXPECT_EQ(r.log, (std::vector<std::string>{"change", "move"}));
    QTest::keyClick(&s, Qt::Key_Left);
    QTest::keyClick(&s, Qt::Key_Left);
    EXPECT_EQ(s.Position(), 17);
    QTest::keyClick(&s, Qt::Key_PageDown);   // a fifth of the range
    EXPECT_EQ(s.Position(), 24);
    QTest::keyClick(&s, Qt::Key_End);
    EXPECT_EQ(s.Position(), 37);
    EXPECT_EQ(s.KnobRect().right, 185);
    r.log.clear();
    QTest::keyClick(&s, Qt::Key_Right);   // already at Max
    EXPECT_TRUE(r.log.empty());
    QTest::keyClick(&s, Qt::Key_Home);
    EXPECT_EQ(s.Position(), 0);

    TVSlide v;
    v.SetMin(-5);
    v.SetMax(5);
    v.SetPosition(0);
    QTest::keyClick(&v, Qt::Key_Down);   // the knob moves down, towards Max
    EXPECT_EQ(v.Position(), 1);
    QTest::keyClick(&v, Qt::Key_Up);
    QTest::keyClick(&v, Qt::Key_Up);
    EXPECT_EQ(v.Position(), -1);
}

TEST(Slider, GlyphCells)
{
    THSlide s;
    QImage strip(64, 16, QImage::Format_RGB32);
    strip.fill(Qt::white);
    s.SetGlyph(strip);
    EXPECT_EQ(s.NumGlyphs(), 4);
    s.SetGlyph(QImage(80, 16, QImage::Format_RGB32));   // 5 cells: too many
    EXPECT_EQ(s.NumGlyphs(), 1);
    s.SetGlyph(QImage(48, 16, QImage::Format_RGB32));
    EXPECT_EQ(s.NumGlyphs(), 3);
    s.SetGlyph(QImage(50, 16, QImage::Format_RGB32));   // not a multiple: kept
    EXPECT_EQ(s.NumGlyphs(), 3);
    s.SetGlyph(QImage());
    EXPECT_EQ(s.Glyph().width(), 50);
    s.SetNumGlyphs(0);
    EXPECT_EQ(s.NumGlyphs(), 3);

    // Two cells: red for normal, blue for disabled; the dragged state has no
    // cell of its own and shows cell 0. Green is the transparent colour
    // (bottom-left pixel).
    QImage two(8, 4, QImage::Format_RGB32);
    two.fill(qRgb(0, 255, 0));
    for (int x = 0; x < 4; ++x) {
        two.setPixel(x, 0, qRgb(255, 0, 0));
        two.setPixel(4 + x, 0, qRgb(0, 0, 255));
    }
    s.SetGlyph(two);
    ASSERT_EQ(s.NumGlyphs(), 2);
    const QColor face = s.palette().color(QPalette::Button);
    EXPECT_EQ(s.Cell(TSlide::Normal).size(), QSize(4, 4));
    EXPECT_EQ(s.Cell(TSlide::Normal).pixel(1, 0), qRgb(255, 0, 0));
    EXPECT_EQ(s.Cell(TSlide::Normal).pixel(1, 2), face.rgb());   // transparent part
    EXPECT_EQ(s.Cell(TSlide::Disabled).pixel(1, 0), qRgb(0, 0, 255));
    EXPECT_EQ(s.Cell(TSlide::Dragged).pixel(1, 0), qRgb(255, 0, 0));

    // One cell: the disabled look is embossed, light one pixel down and
    // right of the shadow-coloured shape.
    QImage one(6, 6, QImage::Format_RGB32);
    one.fill(Qt::white);
    one.setPixel(2, 2, qRgb(0, 0, 0));
    s.SetGlyph(one);
    ASSERT_EQ(s.NumGlyphs(), 1);
    const QImage& dis = s.Cell(TSlide::Disabled);
    EXPECT_EQ(dis.pixel(2, 2), s.palette().color(QPalette::Dark).rgb());
    EXPECT_EQ(dis.pixel(3, 3), s.palette().color(QPalette::Light).rgb());
    EXPECT_EQ(dis.pixel(0, 0), face.rgb());
    EXPECT_EQ(s.Cell(TSlide::Normal).pixel(2, 2), qRgb(0, 0, 0));
}

TEST(Slider, ScalingScalesTheStoredKnob)
{
    THSlide s;
    s.SetKnobAutoSize(false);
    s.SetKnobSize(20);
    s.ChangeScale(3, 2);
    EXPECT_EQ(s.geometry(), QRect(15, 15, 194, 26));   // MulDiv(129, 3, 2) = 194 (193.5 rounds up)
    EXPECT_EQ(s.KnobSize(), 30);
    EXPECT_EQ(s.TrackLen(), 194 - 30);
}

TEST(Slider, PaintsGrooveAndKnob)
{
    THSlide s;   // 129 x 17, knob 17 at the left
    s.SetPosition(50);
    const QImage img = s.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRgb shadow = s.palette().color(QPalette::Dark).rgb();
    const QRgb light = s.palette().color(QPalette::Light).rgb();
    // Groove line (8, 8)..(120, 8) widened by t = 2 to (6, 6, 122, 10):
    // shadow above, light below, checkerboard inside.
    EXPECT_EQ(img.pixel(20, 6), shadow);
    EXPECT_EQ(img.pixel(20, 9), light);
    EXPECT_EQ(img.pixel(20, 7), qRgb(0, 0, 0));   // x even, y odd
    EXPECT_EQ(img.pixel(21, 7), shadow);          // both odd
    // The knob at MulDiv(112, 50, 100) = 56: black outline, light inner edge.
    EXPECT_EQ(img.pixel(56, 0), qRgb(0, 0, 0));
    EXPECT_EQ(img.pixel(72, 16), qRgb(0, 0, 0));
    EXPECT_EQ(img.pixel(57, 1), light);
    EXPECT_EQ(img.pixel(58, 2), light);   // two frames while not held
    EXPECT_EQ(img.pixel(73, 3), s.palette().color(QPalette::Window).rgb());   // beside the knob
}
