// The class statistics: what is counted, the squared paper's arithmetic, the
// chart's pixels and the page driven with real mouse clicks.
#include "../../support/scripted_dialogs.h"
#include "../../support/tempdir.h"
#include "../../support/test_main.h"
#include "board.h"
#include "datefmt.h"
#include "elev.h"
#include "klasse.h"
#include "klasseform.h"
#include "mainwindow.h"
#include "statdata.h"
#include "statform.h"

#include <QApplication>
#include <QButtonGroup>
#include <QMenuBar>
#include <QScrollArea>
#include <QSettings>
#include <QTest>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

namespace {

constexpr QRgb kSky = 0xFFA6CAF0;
constexpr QRgb kBlueSquare = 0xFF0000FF;
constexpr QRgb kRedSquare = 0xFFFF0000;
constexpr QRgb kGreenSquare = 0xFF008000;

struct Pupil {
    std::string name;
    std::string koen = "dreng";
    std::int32_t height = 0;              // Maal[1], statistic 4
    std::vector<int> hobbies = {};
    std::string birthday = "01-01-2015";
};

struct Stat : ::testing::Test {
    void SetUp() override
    {
        SetShortDateFormat(DateFormat::Danish());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(settingsDir.path()));
    }

    std::string makeClass(const std::vector<Pupil>& pupils, const std::vector<int>& offered = {},
                          const std::string& name = "4a.kla")
    {
        tKlasse k;
        (void)k.SetKlasse("4a");
        for (int h : offered)
            k.ToggleTilbudt(h);
        for (std::size_t i = 0; i < pupils.size(); ++i) {
            const Pupil& p = pupils[i];
            const int at = int(i);
            k.SetElevKaldenavn(at, p.name);
            k.SetElevFuldeNavn(at, p.name + " Hansen");
            k.SetElevKoen(at, p.koen);
            k.SetElevFoedselsdag(at, p.birthday);
            tElev* e = k.GetElev(at);
            e->SetMaal(1, p.height);
            for (int h : p.hobbies)
                e->SetHobby(h, true);
        }
        const std::string path = dir.file(name);
        EXPECT_TRUE(k.SaveToFile(path));
        return path;
    }

    // The statistics page of the class, \a w x \a h pixels.
    TStatForm* open(const std::string& kla, int w = 1280, int h = 900)
    {
        TMain::Options o = TestMainOptions(dialogs, kla);
        main = std::make_unique<TMain>(o);
        main->resize(w, h + main->menuBar()->sizeHint().height());
        main->show();
        main->OpenParamFile();
        main->ShowPage(18);
        auto* page = static_cast<TStatForm*>(main->PageAt(18));
        page->resize(w, h);
        QApplication::processEvents();
        return page;
    }

    static QRgb at(const TStatForm* f, QPoint p) { return f->Chart().pixel(p); }

    ScriptedDialogs dialogs;
    TempDir dir, settingsDir;
    std::unique_ptr<TMain> main;
};

// Heights 130, 131 and 135: columns 130 to 135.
std::vector<Pupil> threeHeights()
{
    return {{"Ali", "dreng", 130}, {"Bea", "pige", 131}, {"Cy", "dreng", 135}};
}

} // namespace

// ---- counting ----

TEST_F(Stat, AMeasurementHasAColumnForEveryValueOfItsRange)
{
    TStatForm* f = open(makeClass(threeHeights()));
    ASSERT_EQ(f->StatPaintBox->size(), QSize(1102, 900));
    ASSERT_TRUE(f->ChooseStatistic(4));
    const StatCollection& c = f->Collection();
    ASSERT_EQ(c.categories.size(), 6u);
    const int counts[6] = {1, 1, 0, 0, 0, 1};
    for (int j = 0; j < 6; ++j) {
        EXPECT_EQ(c.categories[std::size_t(j)].value, 130 + j);
        EXPECT_EQ(c.categories[std::size_t(j)].count, counts[j]);
    }
    EXPECT_EQ(c.categories[5].members, std::vector<int>{2});
    EXPECT_EQ(c.largestCount, 1);
    EXPECT_FALSE(c.onlyMeasured);
    EXPECT_EQ(f->UnitText(), "cm");
    // Six columns and one on each side: eight wanted. The page's chart is
    // 1102 x 900 here.
    const StatGrid& g = f->Grid();
    EXPECT_EQ(g.cell, 137);
    EXPECT_EQ(g.leftMargin, 3);
    EXPECT_EQ(g.rows, 6);
    EXPECT_EQ(g.topMargin, 39);
    EXPECT_EQ(g.columns, 8);
}

TEST(StatGrid, Arithmetic)
{
    // The 130/131/135 class.
    StatGrid g = ComputeGrid(1102, 900, 6, 1);
    EXPECT_EQ(g.cell, 137);
    EXPECT_EQ(g.leftMargin, 3);
    EXPECT_EQ(g.rows, 6);
    EXPECT_EQ(g.topMargin, 39);
    // Two columns (or three) still lay out five columns' width.
    EXPECT_EQ(ComputeGrid(1000, 2000, 2, 1).cell, 200);
    EXPECT_EQ(ComputeGrid(1000, 2000, 3, 1).cell, 200);
    EXPECT_EQ(ComputeGrid(1000, 2000, 4, 1).cell, 166);
    // No pupil in any column: cells of half the height at most.
    EXPECT_EQ(ComputeGrid(5000, 900, 12, 0).cell, 357);
    EXPECT_EQ(ComputeGrid(5000, 300, 12, 0).cell, 150);
    // More columns or squares than pixels: a pixel a square, never 0.
    g = ComputeGrid(1102, 900, 1171, 1);
    EXPECT_EQ(g.cell, 1);
    EXPECT_EQ(g.columns, 1102);
    EXPECT_EQ(g.rows, 900);
    EXPECT_EQ(g.leftMargin, 0);
    EXPECT_EQ(ComputeGrid(640, 200, 5, 300).cell, 1);
    EXPECT_EQ(ComputeGrid(640, 200, 2147483647, 2147483647).cell, 1);
    EXPECT_EQ(ComputeGrid(0, 200, 5, 1).cell, 0);
}

TEST_F(Stat, WhatEachStatisticCounts)
{
    std::vector<Pupil> p = {
        {"A", "dreng", 0, {3, 12}, "17-03-2015"},
        {"B", "pige", 0, {12, 47, 1, 2, 4, 5, 6}, "05-12-2014"},   // 7 chosen, 2 of them offered
        {"C", "", 0, {1, 2, 3, 4}, "31-02-2015"},                  // a date that cannot be read
        {"D", "pige", 0, {}, "01-03-2015"},
    };
    TStatForm* f = open(makeClass(p, {3, 12, 47}));
    for (int n = 1; n <= 3; ++n)
        EXPECT_TRUE(f->Available(n)) << n;

    ASSERT_TRUE(f->ChooseStatistic(1));
    const StatCollection& c = f->Collection();
    ASSERT_EQ(c.categories.size(), 3u);
    EXPECT_EQ(c.categories[0].value, 3);
    EXPECT_EQ(c.categories[1].value, 12);
    EXPECT_EQ(c.categories[2].value, 47);
    EXPECT_EQ(c.categories[0].members, (std::vector<int>{0, 2}));
    EXPECT_EQ(c.categories[1].members, (std::vector<int>{0, 1}));
    EXPECT_EQ(c.categories[2].members, (std::vector<int>{1}));
    EXPECT_EQ(f->UnitText(), "");

    // The number of hobbies among all fifty, five or more in the last column.
    ASSERT_TRUE(f->ChooseStatistic(2));
    ASSERT_EQ(c.categories.size(), 6u);
    EXPECT_EQ(c.categories[0].members, std::vector<int>{3});
    EXPECT_EQ(c.categories[2].members, std::vector<int>{0});
    EXPECT_EQ(c.categories[4].members, std::vector<int>{2});
    EXPECT_EQ(c.categories[5].members, std::vector<int>{1});
    EXPECT_EQ(f->UnitText(), "Antal");

    // Birth months; the unreadable date is left out.
    ASSERT_TRUE(f->ChooseStatistic(3));
    ASSERT_EQ(c.categories.size(), 12u);
    EXPECT_EQ(c.categories[2].members, (std::vector<int>{0, 3}));
    EXPECT_EQ(c.categories[11].members, std::vector<int>{1});
    int counted = 0;
    for (const tRegnskab& r : c.categories)
        counted += r.count;
    EXPECT_EQ(counted, 3);
    EXPECT_EQ(c.largestCount, 2);
    EXPECT_EQ(f->UnitText(), "Måned");

    // Nobody measured anything.
    for (int n = 4; n <= 17; ++n)
        EXPECT_FALSE(f->Available(n)) << n;
    EXPECT_FALSE(f->ChooseStatistic(4));
    EXPECT_EQ(f->Statistic(), 3);
}

TEST(StatData, EachButtonCountsItsMeasurement)
{
    const int maal[18] = {0, 0, 0, 0, 1, 2, 3, 4, 5, 6, 10, 9, 12, 11, 7, 8, 13, 14};
    tKlasse k;
    k.SetElevKaldenavn(0, "A");
    for (int i = 1; i <= 14; ++i)
        k.GetElev(0)->SetMaal(i, 100 + i);
    for (int n = 0; n <= 18; ++n) {
        EXPECT_EQ(StatMaal(n), n <= 17 ? maal[n] : 0) << n;
        if (n < 4 || n > 17)
            continue;
        StatCollection c;
        CollectStatistic(k, n, 1000, c);
        ASSERT_EQ(c.categories.size(), 1u) << n;
        EXPECT_EQ(c.categories[0].value, 100 + maal[n]) << n;
        EXPECT_TRUE(StatAvailable(k, n)) << n;
    }
    EXPECT_EQ(TStatForm::StatName(4), "Højde");
    EXPECT_EQ(TStatForm::StatName(10), "Ankelomkreds");
    EXPECT_EQ(TStatForm::StatName(11), "Benlængde");
    EXPECT_EQ(TStatForm::StatName(12), "Vægt");
    EXPECT_EQ(TStatForm::StatName(13), "Taljeomkreds");
    EXPECT_EQ(TStatForm::StatName(17), "Vristomkreds");
}

TEST(StatData, WildValuesFromFiles)
{
    tKlasse k;
    for (int i = 0; i < 3; ++i)
        k.SetElevKaldenavn(i, "E" + std::to_string(i));
    StatCollection c;

    // Negative values only: nothing to show, so nothing to choose.
    k.GetElev(0)->SetMaal(1, -5);
    k.GetElev(1)->SetMaal(1, -3);
    EXPECT_FALSE(StatAvailable(k, 4));
    k.GetElev(2)->SetMaal(1, 5);
    EXPECT_TRUE(StatAvailable(k, 4));
    CollectStatistic(k, 4, 1102, c);
    ASSERT_EQ(c.categories.size(), 1u);
    EXPECT_EQ(c.categories[0].members, std::vector<int>{2});

    // 1 and 2 147 483 647: two columns at once, not 2^31.
    k.GetElev(0)->SetMaal(1, 1);
    k.GetElev(1)->SetMaal(1, 2147483647);
    const auto start = std::chrono::steady_clock::now();
    CollectStatistic(k, 4, 1102, c);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    ASSERT_EQ(c.categories.size(), 3u);
    EXPECT_EQ(c.categories[0].value, 1);
    EXPECT_EQ(c.categories[1].value, 5);
    EXPECT_EQ(c.categories[2].value, 2147483647);
    EXPECT_EQ(c.categories[2].members, std::vector<int>{1});
    EXPECT_TRUE(c.onlyMeasured);
    EXPECT_EQ(c.smallest, 1);
    EXPECT_EQ(c.largest, 2147483647);

    // A range that fits the chart with cells of 8 pixels keeps every value;
    // one column more does not.
    k.GetElev(0)->SetMaal(1, 100);
    k.GetElev(1)->SetMaal(1, 100);
    k.GetElev(2)->SetMaal(1, 235);   // 136 values, 138 columns wanted
    CollectStatistic(k, 4, 138 * 8, c);
    EXPECT_EQ(c.categories.size(), 136u);
    EXPECT_FALSE(c.onlyMeasured);
    CollectStatistic(k, 4, 138 * 8 - 1, c);
    EXPECT_EQ(c.categories.size(), 2u);
    EXPECT_TRUE(c.onlyMeasured);
    EXPECT_FALSE(RangeTooWide(100, 235, 138 * 8));
    EXPECT_TRUE(RangeTooWide(100, 236, 138 * 8));
    EXPECT_TRUE(RangeTooWide(-2147483647 - 1, 2147483647, 1 << 30));
}

TEST_F(Stat, AMistypedHeightShowsTheMeasuredValues)
{
    // 1300 among heights of 130: 1171 columns would not fit.
    TStatForm* f = open(makeClass({{"A", "dreng", 130}, {"B", "pige", 1300}, {"C", "pige", 130}}));
    ASSERT_TRUE(f->ChooseStatistic(4));
    EXPECT_EQ(f->Collection().categories.size(), 2u);
    EXPECT_EQ(f->UnitText(), "(kun målte værdier)");
    EXPECT_GE(f->Grid().cell, 1);
    f->DrawChart();
    EXPECT_EQ(f->DrawnSquares(), 3);
    // The note is wider than a cell, and stays whole on the page: no white
    // letter at its right edge but the squared paper's lines.
    const StatGrid& g = f->Grid();
    int letters = 0, lettersBefore = 0;
    for (int y = g.cell; y < 2 * g.cell; ++y) {
        for (int x = f->Chart().width() - 3; x < f->Chart().width(); ++x)
            if ((x - g.leftMargin) % g.cell != 0 && (y - g.topMargin) % g.cell != 0)
                letters += at(f, {x, y}) == 0xFFFFFFFF ? 1 : 0;
        for (int x = g.leftMargin + g.cell * (g.columns - 1) - 3 * g.cell / 2; x < f->Chart().width() - 3; ++x)
            if ((x - g.leftMargin) % g.cell != 0 && (y - g.topMargin) % g.cell != 0)
                lettersBefore += at(f, {x, y}) == 0xFFFFFFFF ? 1 : 0;
    }
    EXPECT_EQ(letters, 0);
    EXPECT_GT(lettersBefore, 50);
    // A window wide enough for the whole range shows it whole.
    f->resize(1171 * 8 + 8 * 3 + f->StatPaintBox->x(), 900);
    QApplication::processEvents();
    EXPECT_EQ(f->Collection().categories.size(), 1171u);
    EXPECT_EQ(f->UnitText(), "cm");
}

TEST_F(Stat, ThreeHundredPupilsInOneColumn)
{
    std::vector<Pupil> many;
    for (int i = 0; i < 300; ++i)
        many.push_back({"Elev" + std::to_string(i), i % 2 ? "pige" : "dreng", 140});
    TStatForm* f = open(makeClass(many), 1280, 900);
    ASSERT_TRUE(f->ChooseStatistic(4));
    const tRegnskab& r = f->Collection().categories.at(0);
    ASSERT_EQ(r.count, 300);
    for (int i = 0; i < 300; ++i)
        ASSERT_EQ(r.members[std::size_t(i)], i);
    EXPECT_EQ(f->Grid().cell, 2);
    f->DrawChart();
    EXPECT_EQ(f->DrawnSquares(), 300);
    // The last pupil is the top square and is named by a click.
    const QRect top = f->SquareRect(299);
    QTest::mouseClick(f->StatPaintBox, Qt::LeftButton, {}, top.topLeft() + QPoint(1, 0));
    EXPECT_EQ(f->SelectedSquare(), 299);
    EXPECT_EQ(f->PersonStatic->text(), "Elev299 Hansen");

    // On a page lower than the column, a square is a pixel and the column
    // runs off the top.
    f->resize(700, 200);
    QApplication::processEvents();
    EXPECT_EQ(f->Grid().cell, 1);
    f->DrawChart();
    EXPECT_EQ(f->DrawnSquares(), 300);
}

// ---- the chart ----

TEST_F(Stat, BoysOnlyStackTheirSquaresDirectly)
{
    TStatForm* f = open(makeClass({{"A", "dreng", 130}, {"B", "pige", 130}, {"C", "dreng", 130}}));
    ASSERT_TRUE(f->ChooseStatistic(4));
    f->ChooseDiagramType(TStatForm::BoysOnly);
    f->DrawChart();
    ASSERT_EQ(f->DrawnSquares(), 2);
    const int cell = f->Grid().cell;
    const QRect a = f->SquareRect(0), b = f->SquareRect(1);
    EXPECT_EQ(f->SquarePupil(0), 0);
    EXPECT_EQ(f->SquarePupil(1), 2);
    EXPECT_EQ(a.left(), b.left());
    EXPECT_EQ(b.top(), a.top() - cell);
    EXPECT_EQ(a.top(), f->Grid().topMargin + (f->Grid().rows - 2) * cell);
    EXPECT_EQ(at(f, a.center()), kBlueSquare);
    EXPECT_EQ(at(f, b.center()), kBlueSquare);
    EXPECT_EQ(at(f, b.center() - QPoint(0, cell)), kSky);   // paper above
    // Black edges, a raised frame in sky blue and black inside them.
    EXPECT_EQ(at(f, a.topLeft()), 0xFF000000u);
    EXPECT_EQ(at(f, a.topLeft() + QPoint(1, 1)), kSky);
    EXPECT_EQ(at(f, a.bottomRight() - QPoint(1, 1)), 0xFF000000u);

    // Girls only: one red square; both: blue, red, blue; the same: green.
    f->ChooseDiagramType(TStatForm::GirlsOnly);
    f->DrawChart();
    ASSERT_EQ(f->DrawnSquares(), 1);
    EXPECT_EQ(at(f, f->SquareRect(0).center()), kRedSquare);
    EXPECT_EQ(at(f, f->SquareRect(0).topLeft() + QPoint(1, 1)), 0xFFFFFBF0u);   // cream frame
    f->ChooseDiagramType(TStatForm::BothColours);
    f->DrawChart();
    ASSERT_EQ(f->DrawnSquares(), 3);
    EXPECT_EQ(at(f, f->SquareRect(0).center()), kBlueSquare);
    EXPECT_EQ(at(f, f->SquareRect(1).center()), kRedSquare);
    EXPECT_EQ(at(f, f->SquareRect(2).center()), kBlueSquare);
    f->ChooseDiagramType(TStatForm::SameColour);
    f->DrawChart();
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(at(f, f->SquareRect(k).center()), kGreenSquare);
    EXPECT_EQ(at(f, f->SquareRect(0).topLeft() + QPoint(1, 1)), 0xFFC0DCC0u);   // money green
}

TEST_F(Stat, WhoIsNotABoyIsAGirl)
{
    TStatForm* f = open(makeClass({{"A", "dreng", 130}, {"B", "", 130}, {"C", "pige", 130}}));
    ASSERT_TRUE(f->ChooseStatistic(4));
    f->ChooseDiagramType(TStatForm::BoysOnly);
    EXPECT_EQ(f->DrawnSquares(), 1);
    f->ChooseDiagramType(TStatForm::GirlsOnly);
    ASSERT_EQ(f->DrawnSquares(), 2);
    EXPECT_EQ(f->SquarePupil(0), 1);
    f->ChooseDiagramType(TStatForm::BothColours);
    f->DrawChart();
    EXPECT_EQ(at(f, f->SquareRect(1).center()), kRedSquare);
}

TEST_F(Stat, SquaredPaperAndTheLabelBand)
{
    TStatForm* f = open(makeClass(threeHeights()));
    f->DrawChart();
    // No statistic: a plain sky-blue page.
    const QImage& chart = f->Chart();
    for (QPoint p : {QPoint(0, 0), QPoint(3, 39), QPoint(500, 450), QPoint(1101, 899)})
        EXPECT_EQ(chart.pixel(p), kSky);

    ASSERT_TRUE(f->ChooseStatistic(4));
    f->DrawChart();
    const StatGrid& g = f->Grid();   // cell 137, margins 3 and 39
    // White lines at every cell edge, sky blue between them.
    for (int k = 0; k <= 8; ++k)
        EXPECT_EQ(chart.pixel(3 + 137 * k, 300), 0xFFFFFFFFu) << k;
    for (int k = 0; k <= 4; ++k)   // below: the label band
        EXPECT_EQ(chart.pixel(500, 39 + 137 * k), 0xFFFFFFFFu) << k;
    EXPECT_EQ(chart.pixel(2, 39), 0xFFFFFFFFu);   // the paper reaches the page's edges
    EXPECT_EQ(chart.pixel(500, 0), kSky);
    EXPECT_EQ(chart.pixel(4, 100), kSky);
    EXPECT_EQ(chart.pixel(500, 40), kSky);
    // The empty columns 132 to 134 stay paper; 135 stands in the sixth.
    const int bottom = g.topMargin + (g.rows - 2) * g.cell + g.cell / 2;
    for (int j = 2; j <= 4; ++j)
        EXPECT_EQ(chart.pixel(g.leftMargin + (1 + j) * g.cell + g.cell / 2, bottom), kSky) << j;
    EXPECT_EQ(chart.pixel(g.leftMargin + 6 * g.cell + g.cell / 2, bottom), kGreenSquare);
    // The band under the columns: blue at its ends, lighter in the middle.
    const int band = g.topMargin + (g.rows - 1) * g.cell + 2;
    EXPECT_EQ(chart.pixel(0, band), 0xFF0000FFu);
    EXPECT_GT(qRed(chart.pixel(551, band)), 0x90);
    // Above the band, the icon sits at the top right.
    const int iconLeft = g.leftMargin + g.cell * (g.columns - 1) - g.cell / 2;
    int notPaper = 0;
    for (int y = 2; y < g.cell - 2; ++y)
        for (int x = iconLeft + 2; x < iconLeft + g.cell - 2; ++x)
            notPaper += chart.pixel(x, y) != kSky && chart.pixel(x, y) != 0xFFFFFFFF ? 1 : 0;
    EXPECT_GT(notPaper, g.cell * g.cell / 2);
}

TEST_F(Stat, ClickingASquareNamesThePupil)
{
    TStatForm* f = open(makeClass(threeHeights()));
    ASSERT_TRUE(f->ChooseStatistic(4));
    QApplication::processEvents();
    const QRect third = f->SquareRect(2);
    QTest::mouseClick(f->StatPaintBox, Qt::LeftButton, {}, third.center());
    EXPECT_EQ(f->SelectedSquare(), 2);
    ASSERT_TRUE(f->PersonStatic->isVisible());
    EXPECT_EQ(f->PersonStatic->text(), "Cy Hansen");
    const QPoint centre = f->PersonStatic->geometry().center();
    const QPoint square = third.center() + f->StatPaintBox->pos();
    EXPECT_LE(std::abs(centre.x() - square.x()), 1);
    EXPECT_LE(std::abs(centre.y() - square.y()), 1);
    // The selected square is drawn pressed: black at its top left inside.
    f->DrawChart();
    EXPECT_EQ(at(f, third.topLeft() + QPoint(1, 1)), 0xFF000000u);
    EXPECT_EQ(at(f, third.bottomRight() - QPoint(1, 1)), 0xFFC0DCC0u);

    // Another diagram type clears it.
    QTest::mouseClick(f->PD_forsk_Speed, Qt::LeftButton);
    EXPECT_EQ(f->DiagramType(), TStatForm::BothColours);
    EXPECT_TRUE(f->PD_forsk_Speed->isChecked());
    EXPECT_FALSE(f->PD_ens_Speed->isChecked());
    EXPECT_EQ(f->SelectedSquare(), -1);
    EXPECT_FALSE(f->PersonStatic->isVisible());

    // A click beside the squares clears it too.
    QTest::mouseClick(f->StatPaintBox, Qt::LeftButton, {}, f->SquareRect(0).center());
    EXPECT_EQ(f->SelectedSquare(), 0);
    EXPECT_EQ(f->PersonStatic->text(), "Ali Hansen");
    QTest::mouseClick(f->StatPaintBox, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(f->SelectedSquare(), -1);
    EXPECT_FALSE(f->PersonStatic->isVisible());

    // A name at the page's edge is kept whole on the page.
    ASSERT_TRUE(f->SelectSquare(2));
    f->resize(500, 900);
    QApplication::processEvents();
    EXPECT_TRUE(f->rect().contains(f->PersonStatic->geometry()));
    EXPECT_EQ(f->PersonStatic->text(), "Cy Hansen");

    // Hiding the page hides the name; showing it starts afresh.
    main->ShowPage(1);
    EXPECT_FALSE(f->PersonStatic->isVisibleTo(f));
    main->ShowPage(18);
    EXPECT_EQ(f->Statistic(), 0);
    EXPECT_EQ(f->SelectedSquare(), -1);
    EXPECT_EQ(f->DiagramType(), TStatForm::SameColour);
    EXPECT_TRUE(f->PD_ens_Speed->isChecked());
}

// ---- the subject strip ----

TEST_F(Stat, TheStripUnfoldsAndChoosesASubject)
{
    TStatForm* f = open(makeClass(threeHeights()));
    EXPECT_FALSE(f->KnapPanel->isVisible());
    QTest::mouseClick(f->RedigerSpeed, Qt::LeftButton);
    ASSERT_TRUE(f->KnapPanel->isVisible());
    EXPECT_TRUE(f->PaintBox2->isVisible());
    const QRect k = f->KnapPanel->geometry();
    EXPECT_EQ(f->PaintBox2->geometry(), QRect(k.left() + k.width() - k.height() / 2, k.top(), k.height(), k.height()));
    // Seventeen square buttons as high as the board.
    const int h = f->KnapBoard->height();
    EXPECT_EQ(f->KnapBoard->width(), 17 * h);
    EXPECT_EQ(f->KnapScrollBox->viewport()->height(), h);
    QRect where;
    EXPECT_EQ(f->KnapBoard->OnHint(f->KnapRect(4).center(), &where), "Højde");
    EXPECT_EQ(where, f->KnapRect(4));
    EXPECT_EQ(f->KnapBoard->OnHint(f->KnapRect(1).center(), &where), "Fritidsinteresser");

    // Folded away again by the same button.
    QTest::mouseClick(f->RedigerSpeed, Qt::LeftButton);
    EXPECT_FALSE(f->KnapPanel->isVisible());
    EXPECT_FALSE(f->PaintBox2->isVisible());

    // No hobbies offered: 1 and 2 cannot be chosen.
    QTest::mouseClick(f->RedigerSpeed, Qt::LeftButton);
    QApplication::processEvents();
    for (int n : {1, 2}) {
        QTest::mouseClick(f->KnapBoard, Qt::LeftButton, {}, f->KnapRect(n).center());
        EXPECT_EQ(f->Statistic(), 0);
        EXPECT_TRUE(f->KnapPanel->isVisible());
    }
    // Height can.
    QTest::mouseClick(f->KnapBoard, Qt::LeftButton, {}, f->KnapRect(4).center());
    EXPECT_EQ(f->Statistic(), 4);
    EXPECT_FALSE(f->KnapPanel->isVisible());
    EXPECT_FALSE(f->RedigerSpeed->isChecked());
    EXPECT_EQ(f->Collection().categories.size(), 6u);
    // Choosing the shown one again changes nothing.
    EXPECT_FALSE(f->ChooseStatistic(4));
    // A press on one button and a release on another is no click.
    QTest::mouseClick(f->RedigerSpeed, Qt::LeftButton);
    QTest::mousePress(f->KnapBoard, Qt::LeftButton, {}, f->KnapRect(3).center());
    QTest::mouseRelease(f->KnapBoard, Qt::LeftButton, {}, QPoint(-5, -5));
    EXPECT_EQ(f->Statistic(), 4);
}

namespace {

struct ButtonPixels {
    int sky = 0, grey = 0, coloured = 0, background = 0;
};

ButtonPixels look(const QImage& board, const QRect& r)
{
    ButtonPixels p;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QRgb c = board.pixel(x, y);
            if (c == kSky)
                ++p.sky;
            else if (c == 0xFFFFFFCC)
                ++p.background;
            else if (qRed(c) == qGreen(c) && qGreen(c) == qBlue(c))
                ++p.grey;
            else
                ++p.coloured;
        }
    return p;
}

} // namespace

TEST_F(Stat, TheBoardShowsWhatCanBeChosen)
{
    TStatForm* f = open(makeClass(threeHeights()));
    ASSERT_TRUE(f->ChooseStatistic(3));
    QTest::mouseClick(f->RedigerSpeed, Qt::LeftButton);
    QApplication::processEvents();
    const QImage board = f->KnapBoard->grab().toImage();
    const int area = f->KnapBoard->height() * f->KnapBoard->height();
    // Hobbies not offered: greyed pictures on the board.
    for (int n : {1, 2}) {
        const ButtonPixels p = look(board, f->KnapRect(n));
        EXPECT_EQ(p.coloured + p.background, 0) << n;
        EXPECT_GT(p.sky, area / 5) << n;
        EXPECT_GT(p.grey, area / 20) << n;
    }
    // The chosen subject keeps its light background; the others stand on
    // the board, with nothing of the button drawn before them showing.
    const ButtonPixels chosen = look(board, f->KnapRect(3));
    EXPECT_GT(chosen.background, area / 3);
    EXPECT_LT(chosen.sky, area / 10);
    for (int n = 4; n <= 17; ++n) {
        const ButtonPixels p = look(board, f->KnapRect(n));
        EXPECT_EQ(p.background, 0) << n;
        EXPECT_GT(p.sky, area / 5) << n;
        EXPECT_GT(p.coloured + p.grey, area / 20) << n;
    }
    // Heights were measured, the rest not: 4 in colour, 5 grey.
    EXPECT_GT(look(board, f->KnapRect(4)).coloured, area / 20);
    EXPECT_EQ(look(board, f->KnapRect(5)).coloured, 0);

    // A repaint of one button draws only that button.
    const long before = f->ButtonsDrawn();
    f->KnapBoard->repaint(f->KnapRect(6));
    EXPECT_EQ(f->ButtonsDrawn(), before + 1);
    f->KnapBoard->repaint(f->KnapRect(6).united(f->KnapRect(7)));
    EXPECT_EQ(f->ButtonsDrawn(), before + 3);
}

// ---- faces ----

TEST_F(Stat, FacesAreTheOverviewsThumbnails)
{
    TStatForm* f = open(makeClass(threeHeights()));
    EXPECT_FALSE(f->ShowsFaces());   // off by default
    EXPECT_FALSE(f->AnsigtSpeed->isChecked());
    // The overview shows its portraits first.
    auto* overview = static_cast<TKlasseForm*>(main->PageAt(1));
    main->ShowPage(1);
    (void)overview->ElevGrid->viewport()->grab();
    const long drawn = overview->ThumbnailsDrawn();
    EXPECT_EQ(drawn, 3);
    main->ShowPage(18);
    ASSERT_TRUE(f->ChooseStatistic(4));
    QTest::mouseClick(f->AnsigtSpeed, Qt::LeftButton);
    EXPECT_TRUE(f->ShowsFaces());
    f->DrawChart();
    // No face was drawn again: the chart took the overview's.
    EXPECT_EQ(overview->ThumbnailsDrawn(), drawn);
    const QRect sq = f->SquareRect(1);
    const int pupil = f->SquarePupil(1);
    const int cell = f->Grid().cell;
    const int m = 2 + cell / 12, inner = cell + 1 - 2 * m;
    const QImage& thumb = overview->Thumbnail(pupil, overview->CellSize(pupil), false);
    EXPECT_EQ(overview->ThumbnailsDrawn(), drawn);
    const QImage expected = TStatForm::ShrinkFace(thumb, inner);
    const QImage smooth = thumb.scaled(inner, inner, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                              .convertToFormat(QImage::Format_RGB32);
    int same = 0;
    long off = 0;
    for (int y = 0; y < inner; ++y)
        for (int x = 0; x < inner; ++x) {
            const QRgb px = f->Chart().pixel(sq.left() + m + x, sq.top() + m + y);
            same += px == expected.pixel(x, y) ? 1 : 0;
            const QRgb s = smooth.pixel(x, y);
            off += std::abs(qRed(px) - qRed(s)) + std::abs(qGreen(px) - qGreen(s)) + std::abs(qBlue(px) - qBlue(s));
        }
    EXPECT_EQ(same, inner * inner);
    EXPECT_LT(off / (3 * inner * inner), 12);   // close to a careful reduction of the overview's picture
    // Framed in the square's colour.
    EXPECT_EQ(at(f, sq.topLeft() + QPoint(m - 1, m - 1)), kGreenSquare);
    f->ChooseDiagramType(TStatForm::BothColours);
    f->DrawChart();
    EXPECT_EQ(at(f, sq.topLeft() + QPoint(m - 1, m - 1)), kRedSquare);   // Bea
    // Another subject, other squares: still the overview's faces.
    ASSERT_TRUE(f->ChooseStatistic(3));
    f->DrawChart();
    EXPECT_NE(f->Grid().cell, cell);
    EXPECT_EQ(overview->ThumbnailsDrawn(), drawn);

    // Remembered for the next time.
    main->ShowPage(1);
    main->ShowPage(18);
    EXPECT_TRUE(f->ShowsFaces());
    EXPECT_TRUE(f->AnsigtSpeed->isChecked());
    QTest::mouseClick(f->AnsigtSpeed, Qt::LeftButton);
    main->ShowPage(1);
    main->ShowPage(18);
    EXPECT_FALSE(f->ShowsFaces());
    // The command line's choice is not remembered.
    f->SetFaces(true);
    main->ShowPage(1);
    main->ShowPage(18);
    EXPECT_FALSE(f->ShowsFaces());
}

TEST(StatFaces, ShrinkingAveragesFourPixels)
{
    // Black and white in 2 x 2 blocks: halving gives their mean.
    QImage checker(8, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            checker.setPixel(x, y, (x + y) % 2 ? 0xFFFFFFFF : 0xFF000000);
    const QImage half = TStatForm::ShrinkFace(checker, 4);
    ASSERT_EQ(half.size(), QSize(4, 4));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(half.pixel(x, y), 0xFF808080) << x << "," << y;
    // Each channel on its own.
    QImage four(2, 2, QImage::Format_RGB32);
    four.setPixel(0, 0, qRgb(255, 0, 10));
    four.setPixel(1, 0, qRgb(0, 255, 20));
    four.setPixel(0, 1, qRgb(0, 0, 30));
    four.setPixel(1, 1, qRgb(1, 2, 40));
    EXPECT_EQ(TStatForm::ShrinkFace(four, 1).pixel(0, 0), qRgb(64, 64, 25));
    // Twice halved, and an odd size resampled.
    EXPECT_EQ(TStatForm::ShrinkFace(checker, 2).pixel(1, 1), 0xFF808080);
    EXPECT_EQ(TStatForm::ShrinkFace(checker, 3).size(), QSize(3, 3));
    EXPECT_EQ(TStatForm::ShrinkFace(checker, 8).pixel(1, 0), 0xFFFFFFFF);   // the same size, unchanged
}

// ---- pupils whose file could not be read, the way in and out ----

TEST_F(Stat, DamagedPupilsAreNotCounted)
{
    std::vector<Pupil> p = {{"A", "dreng", 140, {3}, "01-05-2015"}, {"B", "pige", 150, {3}, "01-05-2015"}};
    const std::string kla = makeClass(p, {3});
    const std::string ele = dir.file("4a_B.ele");
    Bytes bytes = ReadAll(ele);
    ASSERT_GT(bytes.size(), 10u);
    bytes.pop_back();
    WriteAll(ele, bytes);
    TStatForm* f = open(kla);
    ASSERT_TRUE(main->AktivKlasse().ElevLaesFejl(1));
    ASSERT_EQ(main->AktivKlasse().GetElev(1)->Maal(1), 150);   // read, but not trusted
    for (int n : {1, 2, 3, 4}) {
        ASSERT_TRUE(f->ChooseStatistic(n)) << n;
        EXPECT_EQ(f->DrawnSquares(), 1) << n;
        EXPECT_EQ(f->SquarePupil(0), 0) << n;
    }
    EXPECT_EQ(f->Collection().categories.size(), 1u);
    // Only the damaged pupil measured its foot: nothing to show.
    main->AktivKlasse().GetElev(1)->SetMaal(3, 20);
    main->ShowPage(1);
    main->ShowPage(18);
    EXPECT_FALSE(f->Available(6));
}

TEST_F(Stat, AnEmptyClassDrawsEmptyColumns)
{
    TStatForm* f = open(makeClass({}));
    EXPECT_TRUE(f->Available(3));
    EXPECT_FALSE(f->Available(1));
    EXPECT_FALSE(f->Available(4));
    ASSERT_TRUE(f->ChooseStatistic(3));
    EXPECT_EQ(f->Grid().cell, std::min(1102 / 14, 900 / 2));
    f->DrawChart();
    EXPECT_EQ(f->DrawnSquares(), 0);
    QTest::mouseClick(f->StatPaintBox, Qt::LeftButton, {}, QPoint(200, 700));
    EXPECT_EQ(f->SelectedSquare(), -1);
}

TEST_F(Stat, BetweenTheOverviewAndTheStatistics)
{
    TStatForm* f = open(makeClass(threeHeights()));
    auto* overview = static_cast<TKlasseForm*>(main->PageAt(1));
    main->ShowPage(1);
    QTest::mouseClick(overview->StatSpeed, Qt::LeftButton);
    EXPECT_EQ(main->AktivSide(), 18);
    EXPECT_TRUE(f->isVisible());
    QTest::mouseClick(f->BackSpeed, Qt::LeftButton);
    EXPECT_EQ(main->AktivSide(), 1);
    // Showing the statistics writes nothing.
    EXPECT_FALSE(main->AktivKlasse().Aendret());
    for (int i = 0; i < main->AktivKlasse().ElevCount(); ++i)
        EXPECT_FALSE(main->AktivKlasse().GetElev(i)->Aendret());
}
