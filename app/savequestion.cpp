// Asking before writing over a file changed elsewhere.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "savequestion.h"

#include "dialogs.h"

bool TSaveQuestion::OverwriteChanged(const std::string& path, const FileStamp& onDisk)
{
    if (neverAsk_)
        return true;
    const auto it = declined_.find(path);
    if (minuteSave_ && it != declined_.end() && it->second.SameAs(onDisk))
        return false;
    const QString text = QStringLiteral("Filen \"%1\" er ændret på en anden computer, siden den blev åbnet.\n"
                                        "Vil du gemme dine ændringer oven i den?")
                             .arg(QString::fromStdString(path));
    const int answer = dialogs_.Choose(parent_, text, QStringLiteral("Gem"), DialogService::Icon::Warning,
                                       {QStringLiteral("Gem alligevel"), QStringLiteral("Annuller")}, 1, 1);
    if (answer == 0) {
        declined_.erase(path);
        return true;
    }
    declined_[path] = onDisk;
    return false;
}
