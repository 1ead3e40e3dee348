// Saving the open class: one routine for every page that edits the class
// (the setup and the class's hobby offer), so that they ask, name and report
// alike.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <string_view>

class PageHost;
class QWidget;

/// How GemKlasse ended.
enum class KlasseGemt {
    Gemt,       ///< written: the class file and its pupils
    Fejlet,     ///< the class has a file but could not be written there; the
                ///< user was told, and the class stays in memory as it was
    Kasseret,   ///< a class never saved was thrown away (silently when it had
                ///< no pupils, else at the user's word); the host now holds a
                ///< new, empty class
};

/// Saves \a host's open class, with dialogs and messages parented to \a parent.
///
/// A class with a file name is written there; a failure shows "Ændringerne
/// kunne ikke skrives til \"<file>\"" (caption "Fejl") and gives Fejlet.
///
/// A class never saved asks for its file name with the save dialog "Gem
/// klassen som", proposing the letters and digits of the class name ("4.a"
/// proposes "4a"). Nothing is stored as the class's file name until the user
/// confirms a name, and the stored name always ends in ".kla" (added when the
/// user left it out). A failed save says so and shows the dialog again.
/// Cancelling the dialog throws a class without pupils away silently; a class
/// with pupils first asks "Klassen er ikke gemt." - "Kassér" throws it away,
/// "Tilbage" (also Esc) shows the save dialog again. So for a new class the
/// result is Gemt or Kasseret, never Fejlet.
KlasseGemt GemKlasse(PageHost& host, QWidget* parent);

/// The file name proposed for a new class: the letters and digits of
/// \a ansiKlasse (Windows-1252), without extension.
QString ProposedKlasseFilNavn(std::string_view ansiKlasse);

/// A confirmed save path made to end in ".kla" (any case counts as ending).
QString WithKlaExtension(QString path);
