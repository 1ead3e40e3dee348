// tinkeli-tool export and import: pupil and class files <-> JSON.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands.h"
#include "elevjson.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QSaveFile>

#include <cstdio>

namespace {

struct ExportOptions {
    QString input;
    QString output;   // empty: standard output
};

struct ImportOptions {
    QString input;
    QString output;
};

// Parses "FILE [-o OUT]"; false with a message on stderr when it does not fit.
bool parseInOut(const char* cmd, const QStringList& args, bool outputRequired, QString& in, QString& out)
{
    QCommandLineParser p;
    p.addOption({{"o", "output"}, "Output file.", "file"});
    p.addPositionalArgument("file", "Input file.");
    if (!p.parse(QStringList{cmd} + args) || p.positionalArguments().size() != 1
        || (outputRequired && !p.isSet("o"))) {
        std::fprintf(stderr, "tinkeli-tool %s: usage: tinkeli-tool %s %s\n", cmd, cmd,
                     outputRequired ? "IN.json -o OUT" : "FILE [-o OUT.json]");
        return false;
    }
    in = p.positionalArguments().first();
    out = p.value("o");
    return true;
}

} // namespace

int CmdExport(const QStringList& args)
{
    ExportOptions opt;
    if (!parseInOut("export", args, false, opt.input, opt.output))
        return 2;
    const std::string path = opt.input.toStdString();
    const QString ext = QFileInfo(opt.input).suffix().toLower();
    QJsonObject json;
    bool complete = false;
    std::vector<std::string> unreadable;
    if (ext == "kla") {
        auto k = tKlasse::LoadFromFile(path);
        json = ElevJson::FromKlasse(*k);
        unreadable = k->UlaeseligeFiler();
        complete = !k->LaesFejl() && unreadable.empty();
    } else {
        auto e = tElev::LoadFromFile(path);
        json = ElevJson::FromElev(*e);
        complete = !e->LaesFejl();
    }
    const QByteArray bytes = QJsonDocument(json).toJson(QJsonDocument::Indented);
    if (opt.output.isEmpty()) {
        std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout);
    } else {
        QSaveFile f(opt.output);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit()) {
            std::fprintf(stderr, "tinkeli-tool export: cannot write %s: %s\n", qPrintable(opt.output),
                         qPrintable(f.errorString()));
            return 1;
        }
    }
    for (const std::string& file : unreadable)
        std::fprintf(stderr, "tinkeli-tool export: pupil file %s could not be read\n", file.c_str());
    if (!complete)
        std::fprintf(stderr, "tinkeli-tool export: %s could not be read completely\n", qPrintable(opt.input));
    return complete ? 0 : 1;
}

int CmdImport(const QStringList& args)
{
    ImportOptions opt;
    if (!parseInOut("import", args, true, opt.input, opt.output))
        return 2;
    QFile f(opt.input);
    if (!f.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "tinkeli-tool import: cannot read %s\n", qPrintable(opt.input));
        return 2;
    }
    QJsonParseError perr;
    const QJsonDocument doc = QJsonDocument::fromJson(f.readAll(), &perr);
    if (doc.isNull()) {
        std::fprintf(stderr, "tinkeli-tool import: %s is not JSON: %s at byte %d\n", qPrintable(opt.input),
                     qPrintable(perr.errorString()), int(perr.offset));
        return 2;
    }
    if (!doc.isObject()) {
        std::fprintf(stderr, "tinkeli-tool import: %s is not a JSON object%s\n", qPrintable(opt.input),
                     doc.isArray() ? " but an array" : "");
        return 2;
    }
    QString error;
    const std::string out = opt.output.toStdString();
    if (ElevJson::IsKlasse(doc.object())) {
        auto k = ElevJson::ToKlasse(doc.object(), error);
        if (!k) {
            std::fprintf(stderr, "tinkeli-tool import: %s\n", qPrintable(error));
            return 2;
        }
        if (!k->SaveToFile(out)) {
            std::fprintf(stderr, "tinkeli-tool import: %s\n", k->FejlTekst().c_str());
            return 1;
        }
        return 0;
    }
    auto e = ElevJson::ToElev(doc.object(), error);
    if (!e) {
        std::fprintf(stderr, "tinkeli-tool import: %s\n", qPrintable(error));
        return 2;
    }
    if (!e->SaveToFile(out)) {
        std::fprintf(stderr, "tinkeli-tool import: %s\n", e->FejlTekst().c_str());
        return 1;
    }
    return 0;
}
