// The measurements page, typed into and clicked through as a pupil would.
#include "book_fixture.h"
#include "maalform.h"

#include <QLineEdit>
#include <QToolTip>

#include <cmath>

namespace {

struct Maal : BookPages {
    TMaalForm* page(TMain& w) { return static_cast<TMaalForm*>(w.PageAt(11)); }

    /// Replaces the text of box \a i as a child does: select all, type.
    static void type(TMaalForm* f, int i, const QString& text)
    {
        QLineEdit* e = f->EditBox(i);
        QTest::keyClick(e, Qt::Key_A, Qt::ControlModifier);
        if (text.isEmpty())
            QTest::keyClick(e, Qt::Key_Backspace);
        else
            QTest::keyClicks(e, text);
    }
    static void click(QAbstractButton* b) { QTest::mouseClick(b, Qt::LeftButton); }

    static QStringList texts(TMaalForm* f)
    {
        QStringList t;
        for (int i = 1; i <= TMaalForm::kBoxes; ++i)
            t << f->EditBox(i)->text();
        return t;
    }

    /// Byte offset of Maal[1] in a pupil file: the five strings, two flags and
    /// the portrait before it.
    static std::size_t maalOffset(const tElev& e)
    {
        return 4 + e.FuldeNavn().size() + 4 + e.Kaldenavn().size() + 4 + e.Foedselsdag().size() + 1 + 4
            + e.Koen().size() + 4 + e.Elevkode().size() + 1 + 153;
    }
    static std::int32_t int32At(const Bytes& b, std::size_t at)
    {
        return std::int32_t(std::uint32_t(b.at(at)) | std::uint32_t(b.at(at + 1)) << 8
                            | std::uint32_t(b.at(at + 2)) << 16 | std::uint32_t(b.at(at + 3)) << 24);
    }
};

} // namespace

TEST_F(Maal, TypedTextIsReadTolerantly)
{
    auto w = open(makeClass(1), 11);
    TMaalForm* f = page(*w);
    tElev* e = w->AktivElev();
    ASSERT_EQ(f->Mode(), 0);
    type(f, 3, "1O5");   // one, capital O, five
    EXPECT_EQ(e->Maal(3), 105);
    type(f, 3, "12,7");
    EXPECT_EQ(e->Maal(3), 12);
    type(f, 3, "l2.9");
    EXPECT_EQ(e->Maal(3), 12);
    EXPECT_TRUE(e->Aendret());

    // No digits: nothing stored, and the box says what it wants.
    type(f, 1, "abc");
    EXPECT_EQ(e->Maal(1), 0);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), "Skriv et tal");
    EXPECT_EQ(TMaalForm::NumberNoteText(), "Skriv et tal");
    // ... and after a mode change the box shows it empty.
    type(f, 7, "13");
    click(f->HandSpeed);
    click(f->TastSpeed);
    EXPECT_EQ(f->EditBox(1)->text(), "");
    EXPECT_EQ(f->EditBox(3)->text(), "12");
}

TEST_F(Maal, NineDigitsAtMostAndAnUnreadableValueKeepsTheOld)
{
    auto w = open(makeClass(1), 11);
    TMaalForm* f = page(*w);
    tElev* e = w->AktivElev();
    type(f, 4, "12345678901");
    EXPECT_EQ(f->EditBox(4)->text(), "123456789");
    EXPECT_EQ(e->Maal(4), 123456789);

    type(f, 5, "42");
    QToolTip::hideText();
    // Should more ever reach a box (pasted past the limit), a number beyond
    // 32 bits keeps the old value and says so.
    f->EditBox(5)->setMaxLength(32);
    f->EditBox(5)->setText("99999999999");
    EXPECT_EQ(e->Maal(5), 42);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), "Skriv et tal");
}

TEST_F(Maal, ModesShowTheValuesInTheUnitsRoundedHalvesToEven)
{
    auto w = open(makeClass(1), 11);
    TMaalForm* f = page(*w);
    tElev* e = w->AktivElev();
    type(f, 7, "15");
    type(f, 1, "140");
    type(f, 12, "35");
    type(f, 13, "10");
    type(f, 2, "25");
    type(f, 6, "35");
    ASSERT_TRUE(e->SaveToFile(e->FilNavn()));
    ASSERT_FALSE(e->Aendret());

    click(f->HandSpeed);
    EXPECT_EQ(f->Mode(), 1);
    EXPECT_EQ(f->EditBox(1)->text(), "9");   // 140 / 15 = 9.33
    EXPECT_EQ(f->EditBox(7)->text(), "1");   // the unit itself
    EXPECT_EQ(f->EditBox(4)->text(), "");    // nothing measured
    EXPECT_EQ(f->EditBox(12)->text(), "");   // kilograms are no length
    for (int i = 1; i <= TMaalForm::kBoxes; ++i)
        EXPECT_FALSE(f->EditBox(i)->isEnabled()) << i;

    click(f->HandspanSpeed);
    EXPECT_EQ(f->Mode(), 3);
    EXPECT_EQ(f->EditBox(2)->text(), "2");   // 2.5 goes to 2
    EXPECT_EQ(f->EditBox(6)->text(), "4");   // 3.5 goes to 4
    EXPECT_EQ(f->EditBox(1)->text(), "14");
    EXPECT_EQ(f->EditBox(13)->text(), "1");
    EXPECT_EQ(f->EditBox(12)->text(), "");

    // Showing stores nothing and changes nothing.
    EXPECT_FALSE(e->Aendret());
    EXPECT_EQ(e->Maal(1), 140);
    click(f->TastSpeed);
    EXPECT_EQ(texts(f), (QStringList{"140", "25", "", "", "", "35", "15", "", "", "", "", "35", "10", ""}));
    for (int i = 1; i <= TMaalForm::kBoxes; ++i)
        EXPECT_TRUE(f->EditBox(i)->isEnabled()) << i;
    EXPECT_FALSE(e->Aendret());

    // The page opens in typing mode every time.
    click(f->HandSpeed);
    w->ShowPage(3);
    w->ShowPage(11);
    EXPECT_EQ(f->Mode(), 0);
    EXPECT_TRUE(f->TastSpeed->isChecked());
    EXPECT_TRUE(f->EditBox(1)->isEnabled());
    EXPECT_EQ(f->EditBox(1)->text(), "140");
}

TEST_F(Maal, EachModeButtonWaitsForItsOwnUnit)
{
    auto w = open(makeClass(1), 11);
    TMaalForm* f = page(*w);
    QAbstractButton* buttons[6] = {f->TastSpeed, f->HandSpeed, f->FingerSpeed, f->HandspanSpeed, f->WristSpeed,
                                   f->FootSpeed};
    const int units[6] = {0, 7, 8, 13, 14, 3};
    for (int m = 0; m <= 5; ++m)
        EXPECT_EQ(TMaalForm::UnitOf(m), units[m]) << m;
    for (int m = 1; m <= 5; ++m)
        EXPECT_FALSE(buttons[m]->isEnabled()) << m;
    EXPECT_TRUE(f->TastSpeed->isEnabled());

    for (int m = 1; m <= 5; ++m) {
        // Only the unit of mode m is measured.
        type(f, units[m], "20");
        for (int other = 1; other <= 5; ++other)
            EXPECT_EQ(buttons[other]->isEnabled(), other == m) << "unit of mode " << m << ", button " << other;
        ASSERT_TRUE(f->ChooseMode(m));
        EXPECT_EQ(f->Mode(), m);
        EXPECT_EQ(f->EditBox(units[m])->text(), "1");
        click(f->TastSpeed);
        type(f, units[m], "");
    }

    // Clearing the foot length in typing mode disables FootSpeed at once.
    type(f, 3, "22");
    EXPECT_TRUE(f->FootSpeed->isEnabled());
    type(f, 3, "");
    EXPECT_EQ(w->AktivElev()->Maal(3), 0);
    EXPECT_FALSE(f->FootSpeed->isEnabled());
    EXPECT_FALSE(f->ChooseMode(5));
    EXPECT_EQ(f->Mode(), 0);
    EXPECT_FALSE(f->ChooseMode(6));
}

TEST_F(Maal, BoxesNameWhatTheyMeasure)
{
    auto w = open(makeClass(1), 11);
    TMaalForm* f = page(*w);
    EXPECT_EQ(f->EditBox(1)->toolTip(), "Højde i cm");
    EXPECT_EQ(f->EditBox(3)->toolTip(), "Fodlængde i cm");
    EXPECT_EQ(f->EditBox(7)->toolTip(), "Håndlængde i cm");
    EXPECT_EQ(f->EditBox(8)->toolTip(), "Fingerlængde i cm");
    EXPECT_EQ(f->EditBox(12)->toolTip(), "Vægt i kg");
    EXPECT_EQ(f->EditBox(13)->toolTip(), "Håndspænd i cm");
    EXPECT_EQ(f->EditBox(14)->toolTip(), "Vristomkreds i cm");
    for (int i = 1; i <= TMaalForm::kBoxes; ++i) {
        EXPECT_FALSE(f->EditBox(i)->toolTip().isEmpty()) << i;
        EXPECT_EQ(f->EditBox(i)->maxLength(), 9) << i;
    }
    EXPECT_EQ(f->BackSpeed->toolTip(), "Tilbage til elev-forsiden");
    EXPECT_EQ(f->TastSpeed->toolTip(), "Indtast mål og vægt");
    EXPECT_EQ(f->HandSpeed->toolTip(), "Mål med hånd-længder");
    EXPECT_EQ(f->FingerSpeed->toolTip(), "Mål med finger-længder");
    EXPECT_EQ(f->HandspanSpeed->toolTip(), "Mål med håndens spændvidde");
    EXPECT_EQ(f->WristSpeed->toolTip(), "Mål med vristens omkreds");
    EXPECT_EQ(f->FootSpeed->toolTip(), "Mål med fodens længde");
    type(f, 8, "6");
    click(f->FingerSpeed);
    EXPECT_EQ(f->EditBox(1)->toolTip(), "Højde målt med finger-længder");
    EXPECT_TRUE(f->EditBox(12)->toolTip().startsWith("Vægt i kg"));
}

TEST_F(Maal, BackSavesOnlyWhatChangedAndTheBytesHoldIt)
{
    auto w = open(makeClass(1), 11);
    TMaalForm* f = page(*w);
    tElev* e = w->AktivElev();
    const std::string file = e->FilNavn();
    const auto written = std::filesystem::last_write_time(file);
    // Nothing typed (switching modes and back is no change): nothing written.
    click(f->TastSpeed);
    click(f->BackSpeed);
    EXPECT_EQ(w->AktivSide(), 3);
    EXPECT_EQ(std::filesystem::last_write_time(file), written);

    w->ShowPage(11);
    type(f, 1, "134");
    type(f, 12, "31");
    type(f, 14, "21");
    click(f->BackSpeed);
    EXPECT_EQ(w->AktivSide(), 3);
    EXPECT_FALSE(e->Aendret());
    const Bytes b = ReadAll(file);
    const std::size_t at = maalOffset(*e);
    EXPECT_EQ(int32At(b, at + 0), 134);
    EXPECT_EQ(int32At(b, at + 4 * 11), 31);
    EXPECT_EQ(int32At(b, at + 4 * 13), 21);
    for (int i : {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 13})
        EXPECT_EQ(int32At(b, at + 4 * std::size_t(i - 1)), 0) << i;
    // The hobby string follows the measurements: its length, 50.
    EXPECT_EQ(int32At(b, at + 56), 50);

    // A write that fails says so and leaves the page all the same.
    w->ShowPage(11);
    type(f, 2, "52");
    e->SetFilNavn(dir.file("mangler/ida.ele"));
    click(f->BackSpeed);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].caption, "Fejl");
    EXPECT_EQ(dialogs.messages[0].text, QString("Ændringerne kunne ikke skrives til \"%1\"")
                                            .arg(QString::fromStdString(dir.file("mangler/ida.ele"))));
    EXPECT_EQ(w->AktivSide(), 3);
    EXPECT_TRUE(e->Aendret());
}

// ---- where the boxes and the figure go ----

namespace {

/// The boxes' places by the rule, worked out here independently: s from the
/// design box's height (or the paint box's width, when that is the
/// narrower), halves to even, the figure's frame centred across the paint box
/// and within the design box from top to bottom.
QPoint expectedPlace(const QRect& frame, int i)
{
    const bool byHeight = std::int64_t(frame.height()) * 456 <= std::int64_t(frame.width()) * 460;
    auto r = [&](int v) {
        return int(std::nearbyint(byHeight ? double(v) * frame.height() / 460 : double(v) * frame.width() / 456));
    };
    const QPoint p = TMaalForm::kBoxPlace[std::size_t(i - 1)];
    return {frame.left() + (frame.width() - r(456)) / 2 + r(p.x()),
            frame.top() + (frame.height() - r(460)) / 2 + r(p.y())};
}

} // namespace

TEST_F(Maal, BoxesSitOnTheFigureAtTheDesignSize)
{
    auto w = open(makeClass(1), 11);
    TMaalForm* f = page(*w);
    f->resize(640, 450);
    ASSERT_EQ(f->MaalPaintBox->geometry(), QRect(89, 0, 462, 450));
    // 391 x 450 / 460 = 382.5: boxes 7, 13 and 14 go to the even 382.
    const struct {
        int i;
        QRect r;
    } want[] = {
        {1, {104, 107, 45, 24}}, {7, {479, 77, 45, 24}},  {8, {449, 185, 45, 24}},
        {12, {292, 420, 45, 24}}, {13, {479, 322, 45, 24}}, {14, {479, 420, 45, 24}},
    };
    for (const auto& c : want)
        EXPECT_EQ(f->EditBox(c.i)->geometry(), c.r) << "box " << c.i;
    EXPECT_EQ(f->FigureRect(), QRect(8, 0, 446, 450));
    EXPECT_EQ(f->EditBox(1)->font().pixelSize(), 16);
}

TEST_F(Maal, FigureAndBoxesAgreeOnAWideScreenAndAfterAResize)
{
    auto w = open(makeClass(1), 11);
    TMaalForm* f = page(*w);
    f->resize(1920, 1080);
    ASSERT_EQ(f->MaalPaintBox->geometry(), QRect(214, 0, 1492, 1080));
    // The figure in the boxes' frame: 1071 wide from x 424, not the paint
    // box's width.
    EXPECT_EQ(f->FigureRect(), QRect(210, 0, 1071, 1080));
    EXPECT_EQ(f->EditBox(7)->geometry(), QRect(424 + 918, 185, 108, 58));
    EXPECT_EQ(f->EditBox(1)->geometry(), QRect(424 + 16, 256, 108, 58));
    EXPECT_EQ(f->EditBox(12)->geometry(), QRect(424 + 467, 1007, 108, 58));

    // The figure is drawn where the boxes think it is: the body of the
    // scales at (262, 430) of its frame is grey there.
    QApplication::processEvents();
    const QImage shot = f->MaalPaintBox->grab().toImage();
    const QRect fig = f->FigureRect();
    const QPoint scales(fig.left() + int(262 * 1080 / 460.0), fig.top() + int(430 * 1080 / 460.0));
    const QColor grey(shot.pixel(scales));
    EXPECT_NEAR(grey.red(), 0xCC, 3);   // light grey, not the white of its display
    EXPECT_EQ(grey.red(), grey.green());
    EXPECT_EQ(grey.red(), grey.blue());

    for (QSize size : {QSize(1280, 1024), QSize(1024, 768), QSize(900, 1040), QSize(1366, 768), QSize(640, 450)}) {
        f->resize(size);
        const QRect pb = f->MaalPaintBox->geometry();
        const QRect frame(pb.left(), f->BoxTop(), pb.width(), f->BoxHeight());
        const QRect fr = f->FigureRect().translated(pb.topLeft());
        EXPECT_TRUE(frame.contains(fr)) << size.width() << "x" << size.height();
        for (int i = 1; i <= TMaalForm::kBoxes; ++i) {
            const QRect box = f->EditBox(i)->geometry();
            EXPECT_EQ(box.topLeft(), expectedPlace(frame, i)) << "box " << i << " at " << size.width() << "x"
                                                           << size.height();
            EXPECT_TRUE(pb.contains(box)) << "box " << i << " at " << size.width() << "x" << size.height();
            EXPECT_TRUE(fr.contains(box.topLeft())) << "box " << i;
        }
        EXPECT_TRUE(QRect(QPoint(0, 0), pb.size()).contains(f->FigureRect()));
        // Drawn there too, also where the design box sits lower in a tall
        // window.
        const QRect fig = f->FigureRect();
        const QImage img = f->MaalPaintBox->grab().toImage();
        const QColor c(img.pixel(fig.left() + 262 * fig.width() / 456, fig.top() + 430 * fig.height() / 460));
        EXPECT_NEAR(c.red(), 0xCC, 3) << size.width() << "x" << size.height();
        EXPECT_EQ(c.red(), c.blue()) << size.width() << "x" << size.height();
    }
}
