// What a page needs from the program around it: the open class and pupil,
// the page switch, the dialogs and help. The main window implements it.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <string>

class DialogService;
class tElev;
class tKlasse;

class PageHost {
public:
    virtual ~PageHost() = default;

    /// The open class; never absent.
    virtual tKlasse& AktivKlasse() = 0;
    /// The open pupil, one of AktivKlasse's, or nullptr.
    virtual tElev* AktivElev() = 0;
    /// Makes pupil \a index of the class the open pupil (-1: none).
    virtual void SetAktivElev(int index) = 0;
    /// Number of the page shown; 0 when none.
    virtual int AktivSide() const = 0;
    /// Throws the open class away for a new, empty one.
    virtual void DiscardClass() = 0;
    /// Hides the current page and shows page \a n (1..18).
    virtual void ShowPage(int n) = 0;
    /// "Luk...": saves, closes the book or class and brings the start back.
    virtual void LukClick() = 0;
    /// Ends the program through the normal close path (which saves first).
    virtual void CloseRequest() = 0;
    /// Locks the open pupil's book (only its front page can be seen) or
    /// unlocks it.
    virtual void SetBookLocked(bool locked) = 0;
    /// Opens a help page (a bare file name such as "stat.html").
    virtual void ShowHelpPage(const QString& fileName) = 0;
    /// The code dialog: 1 when the user typed \a code, 2 otherwise.
    virtual int AskCode(const std::string& ansiCode) = 0;
    virtual DialogService& Dialogs() = 0;
};
