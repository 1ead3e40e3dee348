// The class save shared by the class pages.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "gemklasse.h"

#include "ansi.h"
#include "dialogs.h"
#include "klasse.h"
#include "pagehost.h"
#include "qansi.h"

#include <QStringList>

#include <cstdint>

namespace {

void saveFailed(PageHost& host, QWidget* parent, const std::string& file)
{
    if (host.AktivKlasse().GemAfvist())
        return;   // the user chose to keep a file another machine changed
    host.Dialogs().Fejl(parent, QStringLiteral("Ændringerne kunne ikke skrives til \"%1\"")
                                    .arg(QString::fromStdString(file)));
}

} // namespace

QString ProposedKlasseFilNavn(std::string_view ansiKlasse)
{
    std::string kept;
    for (char c : ansiKlasse)
        if (ansi::IsAlnum(std::uint8_t(c)))
            kept += c;
    return ansi::ToQString(kept);
}

QString WithKlaExtension(QString path)
{
    if (path.endsWith(QLatin1String(".kla"), Qt::CaseInsensitive))
        return path;
    // "4a." would otherwise become "4a..kla".
    if (path.endsWith(QLatin1Char('.')))
        path.chop(1);
    return path + QStringLiteral(".kla");
}

KlasseGemt GemKlasse(PageHost& host, QWidget* parent)
{
    tKlasse& k = host.AktivKlasse();
    if (!k.FilNavn().empty()) {
        if (k.SaveToFile(k.FilNavn()))
            return KlasseGemt::Gemt;
        saveFailed(host, parent, k.FejlFil().empty() ? k.FilNavn() : k.FejlFil());
        return KlasseGemt::Fejlet;
    }
    // A class never saved. The proposal stays a proposal: a cancelled dialog
    // must not leave a bare "4a" behind as the class's file, which later
    // saves would write into whatever folder the program runs in.
    QString proposed = ProposedKlasseFilNavn(k.Klasse());
    for (;;) {
        const QString chosen = host.Dialogs().SaveFileName(parent, QStringLiteral("Gem klassen som"),
                                                           QStringLiteral("\"Tinkeli\"-klasse|*.kla"), proposed,
                                                           QStringLiteral("*.kla"));
        if (chosen.isEmpty()) {
            if (!k.IngenElever()) {
                enum { kKasser, kTilbage };
                const int answer = host.Dialogs().Choose(
                    parent, QStringLiteral("Klassen er ikke gemt.\nVil du kassere den og alle dens elever?"),
                    QStringLiteral("Gem klassen"), DialogService::Icon::Question,
                    {QStringLiteral("Kassér"), QStringLiteral("Tilbage")}, kTilbage, kTilbage);
                if (answer != kKasser)
                    continue;
            }
            host.DiscardClass();
            return KlasseGemt::Kasseret;
        }
        const QString path = WithKlaExtension(chosen);
        k.SetFilNavn(path.toStdString());
        if (k.SaveToFile(k.FilNavn()))
            return KlasseGemt::Gemt;
        saveFailed(host, parent, k.FejlFil().empty() ? k.FilNavn() : k.FejlFil());
        proposed = path;
    }
}
