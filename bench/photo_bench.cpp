// Speed of taking a photo from a 4000 x 3000 JPEG: reading it as the branch
// page does, the crop dialog's view and the photo cut from it, measured
// against decoding the same JPEG alone in the same run.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "benchratio.h"
#include "photocrop.h"
#include "photoreader.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QTemporaryDir>

#include <algorithm>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <random>
#include <string>

namespace {

QString g_jpeg;

// A camera-like picture: smooth light with grain, so that the JPEG is as
// large and as slow to decode as a real photo of that size.
bool MakeJpeg(const QString& path)
{
    QImage image(4000, 3000, QImage::Format_RGB32);
    std::mt19937 dice(7);
    std::uniform_int_distribution<int> grain(-24, 24);
    for (int y = 0; y < image.height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            auto c = [&](int v) { return std::clamp(v + grain(dice), 0, 255); };
            row[x] = qRgb(c(x * 255 / 4000), c(y * 255 / 3000), c(128 + ((x ^ y) & 63)));
        }
    }
    return image.save(path, "JPEG", 90);
}

// The reference: the JPEG decoded, nothing else.
void BM_DecodeJpeg(benchmark::State& state)
{
    for (auto _ : state) {
        QImageReader reader(g_jpeg);
        QImage image = reader.read();
        benchmark::DoNotOptimize(image.constBits());
    }
}

// What happens from the open dialog's OK to the stored photo: read (with the
// checks and the clean-up), enlarge if needed, the dialog's first view, a
// zoom halfway out, its view, and the photo scaled down from the source.
void BM_PhotoFromJpeg(benchmark::State& state)
{
    QImage work(photo::CropFrame::kViewWidth, photo::CropFrame::kViewHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        const photo::Picture p = photo::ReadPhoto(g_jpeg);
        const QImage source = photo::Enlarge(p.image);
        photo::CropFrame frame(source.size());
        photo::RenderView(source, frame, work);
        frame.SetZoom(150);
        photo::RenderView(source, frame, work);
        const QImage photo = photo::CropPhoto(source, frame.Window());
        benchmark::DoNotOptimize(photo.constBits());
    }
}

// One repaint of the crop dialog's view while the picture is dragged.
void BM_CropView(benchmark::State& state)
{
    const QImage source = photo::ReadPhoto(g_jpeg).image;
    QImage work(photo::CropFrame::kViewWidth, photo::CropFrame::kViewHeight, QImage::Format_RGB32);
    photo::CropFrame frame(source.size());
    frame.SetZoom(photo::CropFrame::kZoomMax);
    int dx = 1;
    for (auto _ : state) {
        frame.DragBy(dx = -dx, 0);
        photo::RenderView(source, frame, work);
        benchmark::DoNotOptimize(work.constBits());
    }
}

// The photo cut from the widest window, 2250 x 3000 source pixels.
void BM_CropPhotoZoomedOut(benchmark::State& state)
{
    const QImage source = photo::ReadPhoto(g_jpeg).image;
    photo::CropFrame frame(source.size());
    frame.SetZoom(photo::CropFrame::kZoomMax);
    for (auto _ : state) {
        const QImage photo = photo::CropPhoto(source, frame.Window());
        benchmark::DoNotOptimize(photo.constBits());
    }
}

BENCHMARK(BM_DecodeJpeg)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PhotoFromJpeg)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CropView)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CropPhotoZoomedOut)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    g_jpeg = dir.filePath("photo.jpg");
    if (!MakeJpeg(g_jpeg)) {
        std::fprintf(stderr, "cannot write the test JPEG\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double decodeReal = reporter.realTime["BM_DecodeJpeg"], decodeCpu = reporter.cpuTime["BM_DecodeJpeg"];
    if (decodeReal > 0 && decodeCpu > 0) {
        // On a busy machine the processor times are the steadier measure.
        std::printf("\nEach as a ratio to decoding the 4000 x 3000 JPEG alone (wall clock, processor):\n");
        for (const auto& [name, t] : reporter.realTime)
            if (name != "BM_DecodeJpeg")
                std::printf("  %-22s %.2f  %.2f\n", name.c_str(), t / decodeReal, reporter.cpuTime[name] / decodeCpu);
    }
    benchmark::Shutdown();
    return 0;
}
