// tinkeli-tool class-csv: a class's pupil list to and from a spreadsheet
// file, as the class setup's "Eksportér elevliste..." and "Importér
// elevliste..." do it.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands.h"

#include "elevliste.h"
#include "klasse.h"

#include <QCommandLineParser>

#include <cstdio>

namespace {

const char* const kUsage =
    "usage: tinkeli-tool class-csv export CLASS.kla -o LIST.csv\n"
    "       tinkeli-tool class-csv import LIST.csv --into CLASS.kla\n";

int usage()
{
    std::fputs(kUsage, stderr);
    return 2;
}

int fail(const std::string& msg)
{
    std::fprintf(stderr, "tinkeli-tool class-csv: %s\n", msg.c_str());
    return 1;
}

// The class, or nothing when its file could not be read (said on stderr).
std::unique_ptr<tKlasse> loadClass(const std::string& path)
{
    auto k = tKlasse::LoadFromFile(path);
    if (k->LaesFejl()) {
        fail("cannot read the class " + path);
        return nullptr;
    }
    for (const std::string& f : k->UlaeseligeFiler())
        std::fprintf(stderr, "tinkeli-tool class-csv: the pupil file %s cannot be read; it is left as it is\n",
                     f.c_str());
    return k;
}

int exportList(const std::string& kla, const std::string& csv)
{
    auto k = loadClass(kla);
    if (!k)
        return 1;
    std::string why;
    if (!GemElevliste(*k, csv, &why))
        return fail("cannot write " + csv + ": " + why);
    return 0;
}

int importList(const std::string& csv, const std::string& kla)
{
    auto k = loadClass(kla);
    if (!k)
        return 1;
    const ElevlisteImport r = ImportElevlisteFil(*k, csv);
    switch (r.status) {
    case ElevlisteImport::Status::Ulaeselig:
        return fail("cannot read " + csv + ": " + r.fejl);
    case ElevlisteImport::Status::IngenKaldenavn:
        std::fprintf(stderr, "tinkeli-tool class-csv: %s is no pupil list: it has no column \"Kaldenavn\"\n",
                     csv.c_str());
        return 2;
    case ElevlisteImport::Status::KlasseMangler:
        std::fprintf(stderr, "tinkeli-tool class-csv: the class %s has no name; it takes no pupils\n", kla.c_str());
        return 2;
    case ElevlisteImport::Status::Ok:
        break;
    }
    if (!r.afvist.empty())
        std::fprintf(stderr, "%s\n", AfvisteRaekkerTekst(r.afvist).c_str());
    if (r.taget > 0 && !k->SaveToFile(kla))
        return fail("cannot write " + (k->FejlTekst().empty() ? kla : k->FejlTekst()));
    std::printf("%d pupils added to %s\n", r.taget, kla.c_str());
    return r.afvist.empty() ? 0 : 3;
}

} // namespace

int CmdClassCsv(const QStringList& args)
{
    const QString sub = args.value(0);
    QCommandLineParser p;
    if (sub == "export")
        p.addOption({{"o", "output"}, "The pupil list to write.", "LIST.csv"});
    else if (sub == "import")
        p.addOption({"into", "The class that takes the pupils.", "CLASS.kla"});
    else
        return usage();
    if (!p.parse(QStringList{"class-csv"} + args.mid(1)) || p.positionalArguments().size() != 1)
        return usage();
    const std::string file = p.positionalArguments().first().toStdString();
    if (sub == "export")
        return p.isSet("o") ? exportList(file, p.value("o").toStdString()) : usage();
    return p.isSet("into") ? importList(file, p.value("into").toStdString()) : usage();
}
