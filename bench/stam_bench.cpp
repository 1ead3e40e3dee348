// Speed of the family tree page: the whole tree with 30 leaves drawn and
// copied to the screen, and one step of a drag, each against one full-page
// fill of the same page in the same run.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "benchratio.h"
#include "canvas.h"
#include "chrome.h"
#include "drawing.h"
#include "elev.h"
#include "pagefill.h"
#include "portrait.h"
#include "stamdraw.h"

#include <QApplication>
#include <QFile>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

// The tree of a 1920 x 1080 screen: the page right of the column.
constexpr int kPageW = 1831;
constexpr int kPageH = 1080;
constexpr int kLeaves = 30;

struct Tree {
    tElev elev;
    QImage page{kPageW, kPageH, QImage::Format_RGB32};
    StamTegner tegner;

    Tree()
    {
        page.fill(Qt::white);
        tegner.DrawBackground(page, kPageW, kPageH);
        const char* names[] = {"Mormor", "Morfar", "Farmor", "Farfar", "Mor", "Far", "Liv", "Malthe", "Asta", "Ida"};
        for (int i = 0; i < kLeaves; ++i) {
            const int g = elev.AddGren(i == kLeaves - 1 ? 0 : 2);
            if (i < kLeaves - 1) {
                elev.SetGrenRaekke(g, std::uint8_t(i % 4));
                elev.SetGrenXpos(g, 0.08 + 0.84 * (i / 4) / 7.0);
                (void)elev.SetGrenTekst(g, GrenTekst::Bladnavn, names[i % 10]);
            }
        }
        elev.SetGrenValgt(3, true);
        elev.LayoutGrene(kPageW, kPageH);
    }
};

Tree* g_tree = nullptr;

void BM_PageFill(benchmark::State& state)
{
    MeasurePageFill(state, kPageW, kPageH);
}

// What a paint of the whole tree does: the page background and the leaves
// drawn into the widget's buffer (premultiplied ARGB, as Qt keeps it).
void BM_TreeRedraw(benchmark::State& state)
{
    Tree& t = *g_tree;
    QImage widget(kPageW, kPageH, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter screen(&widget);
        t.tegner.DrawTree(screen, t.page, t.elev, -1);
        benchmark::DoNotOptimize(widget.constBits());
    }
}

// The same into a page-size bitmap of the page's own, as a drag's snapshot
// is made.
void BM_TreeSnapshot(benchmark::State& state)
{
    Tree& t = *g_tree;
    QImage tree(kPageW, kPageH, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&tree);
        t.tegner.DrawTree(p, t.page, t.elev, 3);
        benchmark::DoNotOptimize(tree.constBits());
    }
}

// One mouse move while a leaf is dragged: the union of its old and new
// rectangle copied back from the snapshot, the leaf drawn, the union copied
// to the widget.
void BM_DragStep(benchmark::State& state)
{
    Tree& t = *g_tree;
    const int dragged = 3;
    QImage snapshot(kPageW, kPageH, QImage::Format_RGB32);
    {
        QPainter p(&snapshot);
        t.tegner.DrawTree(p, t.page, t.elev, dragged);
    }
    QImage tree = snapshot.copy();
    QImage widget(kPageW, kPageH, QImage::Format_ARGB32_Premultiplied);
    IntRect at = t.elev.GrenRect(dragged);
    const QString name = QStringLiteral("Farfar");
    int step = 0;
    for (auto _ : state) {
        const int dx = (step / 40) % 2 ? -4 : 4;   // back and forth
        const int dy = step % 2 ? -1 : 1;
        ++step;
        const IntRect to{at.left + dx, at.top + dy, at.right + dx, at.bottom + dy};
        const QRect changed = t.tegner.MoveLeaf(tree, snapshot, at, to, true, name, kPageH);
        at = to;
        QPainter screen(&widget);
        screen.drawImage(changed.topLeft(), tree, changed);
        benchmark::DoNotOptimize(widget.constBits());
    }
}

BENCHMARK(BM_PageFill);
BENCHMARK(BM_TreeRedraw);
BENCHMARK(BM_TreeSnapshot);
BENCHMARK(BM_DragStep);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The leaves and the page background are the program's own drawings.
    const QString archive = QCoreApplication::applicationDirPath() + "/tinkeli.BIN";
    InitDrawing();
    Drawing().PageWidth = kPageW;
    Drawing().PageHeight = kPageH;
    std::string msg;
    if (!QFile::exists(archive) || !LoadDataArchive(archive.toStdString(), &msg)) {
        std::fprintf(stderr, "stam_bench needs the drawing archive beside it (%s): %s\n", qPrintable(archive),
                     msg.c_str());
        return 1;
    }
    Tree tree;
    g_tree = &tree;
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto fill = reporter.realTime.find("BM_PageFill");
    const auto redraw = reporter.realTime.find("BM_TreeRedraw");
    const auto drag = reporter.realTime.find("BM_DragStep");
    const auto snapshot = reporter.realTime.find("BM_TreeSnapshot");
    if (fill != reporter.realTime.end() && fill->second > 0) {
        if (redraw != reporter.realTime.end())
            std::printf("\nFull tree redraw, %d leaves, into the widget / full-page fill (%dx%d): %.2f (must be <= 4)\n",
                        kLeaves, kPageW, kPageH, redraw->second / fill->second);
        if (snapshot != reporter.realTime.end())
            std::printf("Drag snapshot (the tree without one leaf) / full-page fill: %.2f\n",
                        snapshot->second / fill->second);
        if (drag != reporter.realTime.end())
            std::printf("One drag step / full-page fill: %.3f (must be <= 1)\n", drag->second / fill->second);
    }
    benchmark::Shutdown();
    DoneDrawing();
    return 0;
}
