// Speed of the class book: the 24 pupils of the demo class written as one
// PDF, against drawing the same pages at the same size into pictures in
// memory, in the same run. What writing the PDF adds (compressing the
// pictures, the footers, the file) may cost at most as much as the drawing.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "benchratio.h"
#include "bookpdf.h"
#include "democlass.h"
#include "dialogs.h"
#include "klasse.h"
#include "mainwindow.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

SilentDialogs g_dialogs("");
std::unique_ptr<TMain> g_main;   // sets up the drawing tables, holds the class
QString g_pdf;

const tKlasse& klasse()
{
    return g_main->AktivKlasse();
}

// What the teacher waits for: the whole class book written.
void BM_ClassBookPdf(benchmark::State& state)
{
    const auto pages = ClassBookPages(klasse());
    for (auto _ : state) {
        if (WriteBookPdf(klasse(), pages, g_pdf) != BookResult::Written)
            state.SkipWithError("the class book could not be written");
    }
    state.counters["pages"] = double(pages.size());
}

// The same pages drawn at the same size into pictures, and nothing else.
void BM_ClassBookImages(benchmark::State& state)
{
    const auto pages = ClassBookPages(klasse());
    const BookPaper paper = BookPaperAt(kBookDpi);
    for (auto _ : state) {
        BookRenderer renderer(klasse());
        renderer.SetPageSize(paper.pageSize);
        for (const BookPage& page : pages) {
            QImage picture = renderer.Render(page);
            if (picture.isNull())
                state.SkipWithError("a page could not be drawn");
            benchmark::DoNotOptimize(picture);
        }
    }
    state.counters["pages"] = double(pages.size());
}

BENCHMARK(BM_ClassBookImages)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(2);
BENCHMARK(BM_ClassBookPdf)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(2);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    std::string path, error;
    if (!WriteDemoClass(dir.filePath("klasse"), 24, path, error)) {
        std::fprintf(stderr, "demo class: %s\n", error.c_str());
        return 1;
    }
    g_pdf = dir.filePath("klassebog.pdf");
    TMain::Options o;
    o.dialogs = &g_dialogs;
    o.params = {QString::fromStdString(path)};
    o.askCode = [](const std::string&) { return 1; };
    g_main = std::make_unique<TMain>(o);
    g_main->OpenParamFile();

    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto images = reporter.realTime.find("BM_ClassBookImages/iterations:2/real_time");
    const auto pdf = reporter.realTime.find("BM_ClassBookPdf/iterations:2/real_time");
    if (images != reporter.realTime.end() && pdf != reporter.realTime.end() && images->second > 0) {
        std::printf("\nThe class book of 24 pupils (%zu pages at %d dpi): %.1f s as a PDF, %.1f s as pictures\n"
                    "in memory; the PDF takes %.2f times as long (must be <= 2).\n",
                    ClassBookPages(klasse()).size(), kBookDpi, pdf->second, images->second,
                    pdf->second / images->second);
    }
    g_main.reset();
    benchmark::Shutdown();
    return 0;
}
