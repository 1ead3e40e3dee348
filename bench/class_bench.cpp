// Speed of the class pages: a full repaint of the overview's visible grid of
// portraits, and the statistics chart collected and drawn, measured against
// one full-page fill in the same run.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "benchratio.h"
#include "canvas.h"
#include "democlass.h"
#include "dialogs.h"
#include "klasseform.h"
#include "mainwindow.h"
#include "pagefill.h"
#include "statform.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

namespace {

constexpr int kScreenW = 1920;
constexpr int kScreenH = 1080;

SilentDialogs g_dialogs("");
std::map<int, std::string> g_classes;   // pupils -> class file

// The overview of a class, on a 1920 x 1080 screen.
struct Overview {
    std::unique_ptr<TMain> main;
    TKlasseForm* form = nullptr;

    explicit Overview(int pupils)
    {
        TMain::Options o;
        o.dialogs = &g_dialogs;
        o.params = {QString::fromStdString(g_classes.at(pupils))};
        o.askCode = [](const std::string&) { return 1; };
        main = std::make_unique<TMain>(o);
        main->resize(kScreenW, kScreenH);
        main->show();
        main->OpenParamFile();
        form = static_cast<TKlasseForm*>(main->PageAt(1));
        QApplication::processEvents();
    }
    // Paints every visible cell, as an expose of the whole grid does.
    void repaint() { benchmark::DoNotOptimize(form->ElevGrid->viewport()->grab()); }
};

void BM_PageFill(benchmark::State& state)
{
    MeasurePageFill(state, kScreenW - 213, kScreenH);
}

// Scrolling and repainting: the thumbnails are drawn already.
void BM_GridRepaint(benchmark::State& state)
{
    Overview o(int(state.range(0)));
    o.repaint();
    for (auto _ : state)
        o.repaint();
}

// The first paint after the class was opened: every visible face is drawn.
void BM_GridFirstPaint(benchmark::State& state)
{
    Overview o(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        o.main->ShowPage(3);
        o.main->ShowPage(1);   // showing the page again forgets the thumbnails
        state.ResumeTiming();
        o.repaint();
    }
}

// The statistics page on the same screen, showing nothing yet.
struct Statistics {
    Overview overview;
    TStatForm* form;

    explicit Statistics(int pupils) : overview(pupils)
    {
        overview.main->ShowPage(18);
        form = static_cast<TStatForm*>(overview.main->PageAt(18));
        form->resize(kScreenW, kScreenH);
        QApplication::processEvents();
    }
    // Choosing height on the strip: its columns collected, the chart drawn.
    void chooseHeight()
    {
        form->ChooseStatistic(4);
        form->DrawChart();
        benchmark::DoNotOptimize(form->Chart().constBits());
    }
};

void statChart(benchmark::State& state, bool faces)
{
    Statistics s(int(state.range(0)));
    s.form->SetFaces(faces);
    s.chooseHeight();   // the faces' thumbnails are made once, as on screen
    for (auto _ : state) {
        state.PauseTiming();
        s.form->ChooseStatistic(3);   // another chart before it, as in use
        s.form->DrawChart();
        state.ResumeTiming();
        s.chooseHeight();
    }
}

void BM_StatHeight(benchmark::State& state) { statChart(state, false); }
// The faces made before at both subjects' sizes.
void BM_StatHeightFaces(benchmark::State& state) { statChart(state, true); }

// Squares of a size not seen lately: every face made anew from the
// overview's thumbnail.
void BM_StatHeightFacesNewSize(benchmark::State& state)
{
    Statistics s(int(state.range(0)));
    s.form->SetFaces(true);
    s.chooseHeight();
    int step = 0;
    for (auto _ : state) {
        state.PauseTiming();
        s.form->ChooseStatistic(3);
        // Five widths, five square sizes: more than the page keeps.
        s.form->resize(kScreenW - 28 * (step++ % 5), kScreenH);
        QApplication::processEvents();
        state.ResumeTiming();
        s.chooseHeight();
    }
}

// Faces on for the first time after the page was shown: every thumbnail drawn.
void BM_StatHeightFacesFirst(benchmark::State& state)
{
    Statistics s(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        s.overview.main->ShowPage(1);   // the overview forgets its thumbnails
        s.overview.main->ShowPage(18);
        s.form->ChooseStatistic(4);
        s.form->SetFaces(true);
        state.ResumeTiming();
        s.form->DrawChart();
    }
}

BENCHMARK(BM_PageFill);
BENCHMARK(BM_GridRepaint)->Arg(24)->Arg(50)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridFirstPaint)->Arg(24)->Arg(50)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_StatHeight)->Arg(50)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StatHeightFaces)->Arg(50)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StatHeightFacesNewSize)->Arg(50)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StatHeightFacesFirst)->Arg(50)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    for (int pupils : {24, 50}) {
        std::string path, error;
        if (!WriteDemoClass(dir.filePath(QString::number(pupils)), pupils, path, error)) {
            std::fprintf(stderr, "demo class: %s\n", error.c_str());
            return 1;
        }
        g_classes[pupils] = path;
    }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto fill = reporter.cpuTime.find("BM_PageFill");
    if (fill != reporter.cpuTime.end() && fill->second > 0) {
        std::printf("\nClass pages at %dx%d, in full-page fills (an overview repaint must be <= 20, the\n"
                    "statistics' height chart of 50 pupils <= 3 and <= 6 with faces):\n",
                    kScreenW, kScreenH);
        for (const auto& [name, t] : reporter.cpuTime)
            if (name != "BM_PageFill")
                std::printf("  %-26s %.1f\n", name.c_str(), t / fill->second);
    }
    benchmark::Shutdown();
    return 0;
}
