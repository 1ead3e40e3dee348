// tinkeli-tool archive and render: the drawing archive's contents as JSON,
// and one picture or a whole portrait drawn into a PNG.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands.h"

#include "archive.h"
#include "canvas.h"
#include "chrome.h"
#include "drawing.h"
#include "elev.h"
#include "portrait.h"
#include "qansi.h"
#include "renderer.h"

#include <QCommandLineParser>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <cstdio>

namespace {

struct RenderOptions {
    QString archive;
    QString name;       // render picture
    QString elev;       // render portrait
    int width = 0, height = 0;
    bool mirror = false;
    int angle = 0;
    bool hasKey = false;
    Colour key = 0;
    QString output;
};

int Fail(const QString& msg)
{
    std::fprintf(stderr, "tinkeli-tool: %s\n", qPrintable(msg));
    return 1;
}

int Usage(const char* usage)
{
    std::fprintf(stderr, "usage: tinkeli-tool %s\n", usage);
    return 2;
}

bool ParseSize(const QString& text, int& w, int& h)
{
    static const QRegularExpression re(QStringLiteral("^(\\d{1,5})[xX](\\d{1,5})$"));
    const auto m = re.match(text);
    if (!m.hasMatch())
        return false;
    w = m.captured(1).toInt();
    h = m.captured(2).toInt();
    return w > 0 && h > 0 && w <= 20000 && h <= 20000;
}

QString KindName(std::uint8_t kind)
{
    return kind == 1 ? QStringLiteral("vector") : kind == 0 ? QStringLiteral("cell") : QStringLiteral("empty");
}

bool SavePng(const QImage& page, const QString& path)
{
    return page.save(path, "PNG");
}

int RenderPicture(const QStringList& args)
{
    const char* usage = "render picture FILE.BIN NAME --size WxH [--mirror] [--angle N] [--key RRGGBB] -o OUT.png";
    QCommandLineParser p;
    p.addPositionalArgument("archive", "The archive.");
    p.addPositionalArgument("name", "The picture's name.");
    p.addOption({"size", "Page size.", "WxH"});
    p.addOption({"mirror", "Mirror left to right."});
    p.addOption({"angle", "Angle in degrees.", "N"});
    p.addOption({"key", "Colour of fill 49.", "RRGGBB"});
    p.addOption({{"o", "output"}, "PNG file.", "file"});
    if (!p.parse(QStringList{"picture"} + args) || p.positionalArguments().size() != 2 || !p.isSet("o")
        || !p.isSet("size"))
        return Usage(usage);
    RenderOptions opt;
    opt.archive = p.positionalArguments()[0];
    opt.name = p.positionalArguments()[1];
    opt.output = p.value("o");
    opt.mirror = p.isSet("mirror");
    if (!ParseSize(p.value("size"), opt.width, opt.height))
        return Fail("--size wants WxH, for example 300x200");
    if (p.isSet("angle")) {
        bool ok = false;
        opt.angle = p.value("angle").toInt(&ok);
        if (!ok)
            return Fail("--angle wants a whole number of degrees");
    }
    if (p.isSet("key")) {
        static const QRegularExpression hex(QStringLiteral("^#?[0-9A-Fa-f]{6}$"));
        QString k = p.value("key");
        if (!hex.match(k).hasMatch())
            return Fail("--key wants a colour RRGGBB");
        if (k.startsWith('#'))
            k.remove(0, 1);
        const unsigned rgb = k.toUInt(nullptr, 16);
        opt.hasKey = true;
        opt.key = ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
    }
    const auto name = ansi::FromQString(opt.name);
    if (!name)
        return Fail("the name \"" + opt.name + "\" holds characters an archive cannot");

    InitDrawing();
    DataArchive a;
    ArchiveReadError err;
    if (!ReadDataArchiveFile(opt.archive.toStdString(), 0, 0, a, &err))
        return Fail(opt.archive + ": " + QString::fromStdString(err.message));
    UseDataArchive(std::move(a));
    const Picture* pic = FindPicture(std::string_view(*name));
    if (!pic || pic->Kind != 1)
        return Fail(opt.archive + " holds no vector picture named \"" + opt.name + "\"");

    QImage page(opt.width, opt.height, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        Canvas c(&page);
        const IntRect r{0, 0, opt.width, opt.height};
        if (opt.hasKey)
            DrawPicture(c, pic, r, opt.mirror, opt.angle, 49, opt.key);
        else if (opt.mirror || opt.angle != 0)
            DrawPicture(c, pic, r, opt.mirror, opt.angle, -1, 0);   // own fills only, but turned or mirrored
        else
            DrawPicturePlain(c, std::string_view(*name), r);
    }
    if (!SavePng(page, opt.output))
        return Fail("cannot write " + opt.output);
    return 0;
}

int RenderPortrait(const QStringList& args)
{
    const char* usage = "render portrait FILE.ele --archive FILE.BIN --size WxH -o OUT.png";
    QCommandLineParser p;
    p.addPositionalArgument("elev", "The pupil file.");
    p.addOption({"archive", "The archive.", "file"});
    p.addOption({"size", "Page size.", "WxH"});
    p.addOption({{"o", "output"}, "PNG file.", "file"});
    if (!p.parse(QStringList{"portrait"} + args) || p.positionalArguments().size() != 1 || !p.isSet("o")
        || !p.isSet("size") || !p.isSet("archive"))
        return Usage(usage);
    RenderOptions opt;
    opt.elev = p.positionalArguments()[0];
    opt.archive = p.value("archive");
    opt.output = p.value("o");
    if (!ParseSize(p.value("size"), opt.width, opt.height))
        return Fail("--size wants WxH, for example 551x450");

    const auto elev = tElev::LoadFromFile(opt.elev.toStdString());
    if (!elev || elev->LaesFejl())
        return Fail("cannot read the pupil file " + opt.elev);

    InitDrawing();
    Drawing().PageWidth = opt.width;
    Drawing().PageHeight = opt.height;
    std::string msg;
    if (!LoadDataArchive(opt.archive.toStdString(), &msg))
        return Fail(opt.archive + ": " + QString::fromStdString(msg));

    QImage page(opt.width, opt.height, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        Canvas c(&page);
        DrawPortrait(c, *elev, "ansigt", opt.width, opt.height);
    }
    if (!SavePng(page, opt.output))
        return Fail("cannot write " + opt.output);
    return 0;
}

} // namespace

int CmdArchive(const QStringList& args)
{
    if (args.size() != 2 || args[0] != "info")
        return Usage("archive info FILE.BIN");
    DataArchive a;
    ArchiveReadError err;
    if (!ReadDataArchiveFile(args[1].toStdString(), 0, 0, a, &err))
        return Fail(args[1] + ": " + QString::fromStdString(err.message));
    QJsonArray pictures;
    for (const Picture& pic : a.Pictures)
        pictures.append(QJsonObject{{"name", ansi::ToQString(pic.Name)},
                                    {"kind", KindName(pic.Kind)},
                                    {"elements", qint64(pic.Kind == 1 ? pic.Vector.Elements.size() : 0)}});
    QJsonArray layouts;
    for (const Layout& l : a.Layouts)
        layouts.append(QJsonObject{{"name", ansi::ToQString(l.Name)}, {"elements", qint64(l.Elements.size())}});
    const QJsonObject root{{"version", a.Version},
                           {"wide", a.IsWide()},
                           {"designWidth", a.DesignWidth},
                           {"designHeight", a.DesignHeight},
                           {"pictures", pictures},
                           {"layouts", layouts}};
    const QByteArray json = QJsonDocument(root).toJson(QJsonDocument::Indented);
    std::fwrite(json.constData(), 1, std::size_t(json.size()), stdout);
    return 0;
}

int CmdRender(const QStringList& args)
{
    if (!args.isEmpty() && args[0] == "picture")
        return RenderPicture(args.mid(1));
    if (!args.isEmpty() && args[0] == "portrait")
        return RenderPortrait(args.mid(1));
    return Usage("render picture|portrait ...");
}
