// tinkeli-tool: the command line to Tinkeli's files, archive and pages.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands.h"

#include <QApplication>
#include <QTextStream>

#include <cstdio>

namespace {

const char* const kUsage =
    "Usage: tinkeli-tool COMMAND ...\n"
    "\n"
    "  export FILE [-o OUT.json]        a .ele or .kla file as UTF-8 JSON\n"
    "  import IN.json -o OUT            JSON back to .ele (or .kla with its pupils)\n"
    "  demo-class DIR                   write the demo class 4.a into DIR\n"
    "  archive info FILE.BIN            the archive's contents as JSON\n"
    "  archive build MANIFEST -o OUT.BIN  compile the art into an archive\n"
    "  archive verify FILE.BIN [--face-only]  check that every name the program uses is there\n"
    "  render gallery FILE.BIN -o OUT.png  a contact sheet of every picture\n"
    "  render page N --class FILE.kla|--pupil-file FILE.ele [--pupil I] [--size WxH] -o OUT.png\n"
    "  render page 18 --class FILE.kla [--stat N] [--diagram T] [--select K] [--faces] -o OUT.png\n"
    "  render picture FILE.BIN NAME --size WxH [--mirror] [--angle N] [--key RRGGBB] -o OUT.png\n"
    "  render portrait FILE.ele --archive FILE.BIN --size WxH -o OUT.png\n"
    "  save-page N --class FILE.kla|--pupil-file FILE.ele [--pupil I] [--size WxH] -o OUT.bmp|OUT.png|OUT.pdf\n"
    "                                   a page's printed area, as \"Gem side som billede...\" writes it\n"
    "  book --class FILE.kla [--pupil I] -o OUT.pdf\n"
    "                                   a pupil's book, or the whole class book, as one PDF\n"
    "  class-csv export CLASS.kla -o LIST.csv      the pupil list for a spreadsheet\n"
    "  class-csv import LIST.csv --into CLASS.kla  a spreadsheet's pupils added to the class\n"
    "  photo IN -o OUT.png [--crop X,Y,W,H]  a picture file as the 180 x 240 photo a leaf stores\n";

// A command-line program has no session or window manager; Qt's notes about
// them are noise on every run.
void quietHandler(QtMsgType type, const QMessageLogContext& ctx, const QString& msg)
{
    if (type == QtWarningMsg
        && (msg.startsWith("QStandardPaths: XDG_RUNTIME_DIR") || msg.startsWith("This plugin does not support")))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, ctx, msg)));
}

} // namespace

int main(int argc, char** argv)
{
    // Rendering needs a GUI application (fonts, painting) but never a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietHandler);
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args[0] == "-h" || args[0] == "--help") {
        std::fputs(kUsage, args.isEmpty() ? stderr : stdout);
        return args.isEmpty() ? 2 : 0;
    }
    const QString cmd = args.takeFirst();
    if (cmd == "export")
        return CmdExport(args);
    if (cmd == "import")
        return CmdImport(args);
    if (cmd == "demo-class")
        return CmdDemoClass(args);
    if (cmd == "photo")
        return CmdPhoto(args);
    if (cmd == "save-page")
        return CmdSavePage(args);
    if (cmd == "book")
        return CmdBook(args);
    if (cmd == "class-csv")
        return CmdClassCsv(args);
    const QString sub = args.value(0);
    if (cmd == "archive" && sub == "build")
        return CmdArchiveBuild(args.mid(1));
    if (cmd == "archive" && sub == "verify")
        return CmdArchiveVerify(args.mid(1));
    if (cmd == "archive")
        return CmdArchive(args);
    if (cmd == "render" && sub == "page")
        return CmdRenderPage(args.mid(1));
    if (cmd == "render" && sub == "gallery")
        return CmdRenderGallery(args.mid(1));
    if (cmd == "render")
        return CmdRender(args);
    std::fprintf(stderr, "tinkeli-tool: unknown command '%s'\n\n%s", qPrintable(cmd), kUsage);
    return 2;
}
