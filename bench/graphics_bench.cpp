// Speed of the graphics core, measured against one full-page fill of the
// same page bitmap in the same run, so the ratio holds on any machine.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "archivewriter.h"
#include "benchratio.h"
#include "canvas.h"
#include "chrome.h"
#include "drawing.h"
#include "pagefill.h"
#include "portrait.h"
#include "sample_archive.h"

#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

constexpr int kPageW = 1831;
constexpr int kPageH = 1080;

QTemporaryDir* g_dir = nullptr;
std::string g_archivePath;

void LoadSample()
{
    InitDrawing();
    Drawing().PageWidth = kPageW;
    Drawing().PageHeight = kPageH;
    std::string msg;
    if (!LoadDataArchive(g_archivePath, &msg)) {
        std::fprintf(stderr, "sample archive: %s\n", msg.c_str());
        std::exit(1);
    }
}

PortraitParts Face()
{
    PortraitParts p{};
    auto set = [&](Del d, int type, Colour c) {
        p[std::size_t(d)].Type = std::int16_t(type);
        p[std::size_t(d)].Farve = c;
    };
    set(Del::Ansigt, 3, 0x99BBEE);
    set(Del::Haar, 12, 0x204080);
    set(Del::Oejne, 2, 0x805020);
    set(Del::Bryn, 1, 0x204060);
    set(Del::Mund, 4, 0x4040C0);
    set(Del::Naese, 2, 0);
    set(Del::Briller, 1, 0x202020);
    p[std::size_t(Del::Oejne)].Vinkel = 6;
    p[std::size_t(Del::Bryn)].Vinkel = -4;
    p[std::size_t(Del::Oejne)].Vandret = ext80(0.02);
    p[std::size_t(Del::Mund)].Zoom = -2;
    return p;
}

void BM_PageFill(benchmark::State& state)
{
    MeasurePageFill(state, kPageW, kPageH);
}

// The same fill straight through QPainter, to show that the reference is no
// slower than what Qt itself does.
void BM_PageFillPainter(benchmark::State& state)
{
    QImage page(kPageW, kPageH, QImage::Format_RGB32);
    QPainter p(&page);
    int grey = 0x20;
    for (auto _ : state) {
        grey = (grey + 1) & 0xFF;
        p.fillRect(QRect(0, 0, kPageW, kPageH), QColor(grey, grey, grey));
        benchmark::DoNotOptimize(page.constBits());
    }
}

void BM_DrawPortrait(benchmark::State& state)
{
    LoadSample();
    QImage page(kPageW, kPageH, QImage::Format_RGB32);
    Canvas c(&page);
    const PortraitParts face = Face();
    for (auto _ : state) {
        DrawPortrait(c, face, "ansigt", kPageW, kPageH);
        benchmark::DoNotOptimize(page.constBits());
    }
}

// What a face editor does on every change: a canvas on the page bitmap,
// layout "ansigt" with the portrait, then the page copied to the widget
// (whose backing store is premultiplied ARGB).
void BM_FaceRedraw(benchmark::State& state)
{
    LoadSample();
    QImage page(kPageW, kPageH, QImage::Format_RGB32);
    QImage widget(kPageW, kPageH, QImage::Format_ARGB32_Premultiplied);
    const PortraitParts face = Face();
    for (auto _ : state) {
        {
            Canvas c(&page);
            DrawPortrait(c, face, "ansigt", kPageW, kPageH);
        }
        QPainter screen(&widget);
        screen.drawImage(QPoint(0, 0), page, QRect(0, 0, kPageW, kPageH));
        benchmark::DoNotOptimize(widget.constBits());
    }
}

void BM_DrawPageLayout(benchmark::State& state)
{
    LoadSample();
    QImage page(kPageW, kPageH, QImage::Format_RGB32);
    Canvas c(&page);
    for (auto _ : state) {
        DrawPageLayout(c, "ansigt");
        benchmark::DoNotOptimize(page.constBits());
    }
}

void BM_ResampleBitmap(benchmark::State& state)
{
    QImage source(1000, 1000, QImage::Format_RGB888);
    for (int y = 0; y < 1000; ++y)
        for (int x = 0; x < 1000; ++x)
            source.setPixel(x, y, qRgb(x & 255, y & 255, (x ^ y) & 255));
    for (auto _ : state) {
        state.PauseTiming();
        QImage img = source.copy();
        state.ResumeTiming();
        ResampleBitmap(img, 100, 100);
        benchmark::DoNotOptimize(img.constBits());
    }
}

void BM_LoadDataArchive(benchmark::State& state)
{
    for (auto _ : state)
        LoadSample();
}

BENCHMARK(BM_PageFill);
BENCHMARK(BM_PageFillPainter);
BENCHMARK(BM_DrawPortrait);
BENCHMARK(BM_FaceRedraw);
BENCHMARK(BM_DrawPageLayout);
BENCHMARK(BM_ResampleBitmap);
BENCHMARK(BM_LoadDataArchive);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    g_dir = &dir;
    // The program's own archive when it lies beside the benchmark (the build
    // puts it there), else the sample archive with the parts' element counts.
    const QString real = QCoreApplication::applicationDirPath() + "/tinkeli.BIN";
    const bool useSample = qEnvironmentVariableIsSet("TINKELI_BENCH_SAMPLE") || !QFile::exists(real);
    if (useSample) {
        g_archivePath = dir.filePath("tinkeli.BIN").toStdString();
        std::string msg;
        if (!SaveDataArchive(sample::PortraitArchive(), QString::fromStdString(g_archivePath), &msg)) {
            std::fprintf(stderr, "cannot write the sample archive: %s\n", msg.c_str());
            return 1;
        }
    } else {
        g_archivePath = real.toStdString();
    }
    std::printf("archive: %s\n", useSample ? "self-made sample" : g_archivePath.c_str());
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto fill = reporter.realTime.find("BM_PageFill");
    const auto portrait = reporter.realTime.find("BM_DrawPortrait");
    const auto face = reporter.realTime.find("BM_FaceRedraw");
    if (fill != reporter.realTime.end() && portrait != reporter.realTime.end() && fill->second > 0) {
        const double ratio = portrait->second / fill->second;
        std::printf("\nDrawPortrait / full-page fill (%dx%d): %.2f (must be <= 6, goal 3)\n", kPageW, kPageH, ratio);
        if (face != reporter.realTime.end())
            std::printf("Face editor redraw (layout, portrait, copy to the widget) / full-page fill: %.2f\n",
                        face->second / fill->second);
        for (const auto& [name, t] : reporter.realTime)
            if (name != "BM_PageFill")
                std::printf("  %-20s %.2f page fills\n", name.c_str(), t / fill->second);
    }
    benchmark::Shutdown();
    return 0;
}
