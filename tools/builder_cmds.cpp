// tinkeli-tool archive build / verify and render gallery.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands.h"

#include "archivebuilder.h"
#include "archivenames.h"
#include "archivewriter.h"
#include "canvas.h"
#include "drawing.h"
#include "qansi.h"
#include "renderer.h"

#include <QCommandLineParser>
#include <QImage>

#include <cmath>
#include <cstdio>

namespace {

struct BuildOptions {
    QString manifest;
    QString output;
};

struct VerifyOptions {
    QString archive;
    bool faceOnly = false;
};

struct GalleryOptions {
    QString archive;
    QString output;
    int cell = 120;
};

int fail(const QString& msg)
{
    std::fprintf(stderr, "tinkeli-tool: %s\n", qPrintable(msg));
    return 1;
}

bool loadArchive(const QString& path)
{
    InitDrawing();
    DataArchive a;
    ArchiveReadError err;
    if (!ReadDataArchiveFile(path.toStdString(), 0, 0, a, &err)) {
        fail(path + ": " + QString::fromStdString(err.message));
        return false;
    }
    UseDataArchive(std::move(a));
    return true;
}

} // namespace

int CmdArchiveBuild(const QStringList& args)
{
    QCommandLineParser p;
    p.addPositionalArgument("manifest", "The art manifest.");
    p.addOption({{"o", "output"}, "The archive to write.", "file"});
    BuildOptions opt;
    if (!p.parse(QStringList{"build"} + args) || p.positionalArguments().size() != 1 || !p.isSet("o")) {
        std::fputs("usage: tinkeli-tool archive build MANIFEST -o OUT.BIN\n", stderr);
        return 2;
    }
    opt.manifest = p.positionalArguments().first();
    opt.output = p.value("o");

    std::vector<ManifestEntry> entries;
    QStringList errors;
    if (!ReadManifest(opt.manifest, entries, errors)) {
        for (const QString& e : errors)
            std::fprintf(stderr, "%s\n", qPrintable(e));
        return 1;
    }
    DataArchive archive;
    BuildSummary sum;
    const bool built = BuildArchive(entries, archive, sum, errors);
    for (const QString& e : errors)
        std::fprintf(stderr, "%s\n", qPrintable(e));
    if (!built)
        return 1;
    std::string werr;
    if (!SaveDataArchive(archive, opt.output, &werr))
        return fail(opt.output + ": " + QString::fromStdString(werr));
    std::printf("%d pictures, %d layouts, %d elements, %d fill entries; colour error mean %.1f, worst %.1f (%s)\n",
                sum.pictures, sum.layouts, sum.elements, sum.fillsUsed, sum.meanColourError, sum.worstColourError,
                qPrintable(sum.worstWhere));
    return 0;
}

int CmdArchiveVerify(const QStringList& args)
{
    QCommandLineParser p;
    p.addPositionalArgument("archive", "The archive to check.");
    p.addOption({"face-only", "Check only the face parts."});
    VerifyOptions opt;
    if (!p.parse(QStringList{"verify"} + args) || p.positionalArguments().size() != 1) {
        std::fputs("usage: tinkeli-tool archive verify FILE.BIN [--face-only]\n", stderr);
        return 2;
    }
    opt.archive = p.positionalArguments().first();
    opt.faceOnly = p.isSet("face-only");
    if (!loadArchive(opt.archive))
        return 1;
    QStringList pictures = FacePartNames();
    QStringList layouts;
    if (!opt.faceOnly) {
        pictures += OtherPictureNames();
        layouts = LayoutNames();
    }
    int missing = 0;
    for (const QString& n : pictures) {
        const Picture* pic = FindPicture(n);
        if (!pic || pic->Kind != 1) {
            std::printf("missing picture: %s\n", qPrintable(n));
            ++missing;
        }
    }
    for (const QString& n : layouts) {
        if (!FindLayout(n)) {
            std::printf("missing layout: %s\n", qPrintable(n));
            ++missing;
        }
    }
    if (missing) {
        std::printf("%d of %lld names missing\n", missing, static_cast<long long>(pictures.size() + layouts.size()));
        return 1;
    }
    std::printf("all %lld names present\n", static_cast<long long>(pictures.size() + layouts.size()));
    return 0;
}

int CmdRenderGallery(const QStringList& args)
{
    QCommandLineParser p;
    p.addPositionalArgument("archive", "The archive.");
    p.addOption({{"o", "output"}, "PNG file.", "file"});
    p.addOption({"cell", "Size of one picture in pixels.", "N"});
    GalleryOptions opt;
    if (!p.parse(QStringList{"gallery"} + args) || p.positionalArguments().size() != 1 || !p.isSet("o")) {
        std::fputs("usage: tinkeli-tool render gallery FILE.BIN -o OUT.png [--cell N]\n", stderr);
        return 2;
    }
    opt.archive = p.positionalArguments().first();
    opt.output = p.value("o");
    if (p.isSet("cell"))
        opt.cell = std::clamp(p.value("cell").toInt(), 24, 600);
    if (!loadArchive(opt.archive))
        return 1;
    const auto& list = Drawing().PictureList;
    const int cols = std::max(1, int(std::ceil(std::sqrt(double(list.size()) * 1.5))));
    const int rows = std::max(1, int((list.size() + cols - 1) / cols));
    const int label = 18;
    QImage sheet(cols * opt.cell, rows * (opt.cell + label), QImage::Format_RGB32);
    sheet.fill(QColor(236, 240, 246));
    {
        Canvas c(&sheet);
        // The key areas in a friendly sample colour: skin, hair, eyes alike.
        const Colour sample = 0x3C7CE0;   // RGB E0 7C 3C, a warm orange
        for (std::size_t i = 0; i < list.size(); ++i) {
            const int x = int(i % cols) * opt.cell, y = int(i / cols) * (opt.cell + label);
            c.SetBrushColour(0xFFFFFF);
            c.FillRect({x + 3, y + 3, x + opt.cell - 3, y + opt.cell - 3});
            DrawPicture(c, &list[i], {x + 6, y + 6, x + opt.cell - 6, y + opt.cell - 6}, false, 0, 49, sample);
            c.SetBrushStyle(BrushStyle::Clear);
            c.SetFont("Arial", 8);
            c.SetFontColour(0x000000);
            c.DrawText({x, y + opt.cell, x + opt.cell, y + opt.cell + label}, ansi::ToQString(list[i].Name),
                       DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            c.SetBrushStyle(BrushStyle::Solid);
        }
    }
    if (!sheet.save(opt.output, "PNG"))
        return fail("cannot write " + opt.output);
    return 0;
}
