// Message boxes and file dialogs go through one small service, so that tests
// can answer them without showing anything.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>

#include <functional>

class QDialog;
class QPrinter;
class QWidget;

class DialogService {
public:
    virtual ~DialogService() = default;

    enum class Icon { Information, Warning, Question };
    /// Shows \a text with \a caption; returns the button pressed
    /// (QMessageBox::Ok, Yes, No, Cancel, Retry, Ignore, ...).
    virtual QMessageBox::StandardButton Message(QWidget* parent, const QString& text, const QString& caption,
                                                Icon icon,
                                                QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                                QMessageBox::StandardButton defaultButton = QMessageBox::NoButton) = 0;
    /// A question whose buttons carry their own words (\a buttons, left to
    /// right). Returns the index of the button pressed, or \a escapeButton
    /// when the box was closed with Esc or its close box.
    virtual int Choose(QWidget* parent, const QString& text, const QString& caption, Icon icon,
                       const QStringList& buttons, int defaultButton, int escapeButton) = 0;
    /// A file to open; empty when cancelled.
    virtual QString OpenFileName(QWidget* parent, const QString& title, const QString& filter,
                                 const QString& defaultSuffix) = 0;
    /// A file to save to; empty when cancelled. \a suggested is the proposed
    /// name (or path).
    virtual QString SaveFileName(QWidget* parent, const QString& title, const QString& filter,
                                 const QString& suggested, const QString& defaultSuffix) = 0;
    /// A save dialog that offers several file types: \a filter names them
    /// ("Windows Bitmap|*.bmp|PNG-billede|*.png"), the first preselected.
    /// \a type gets the index of the type chosen. By default SaveFileName,
    /// with the type told by the chosen name's extension (0 for any other).
    virtual QString SaveFileNameOfType(QWidget* parent, const QString& title, const QString& filter,
                                       const QString& suggested, int* type);

    /// The print dialog for \a printer; false when cancelled. With
    /// \a pageCount > 0 it offers pages 1 to pageCount, all preselected; the
    /// printer's fromPage()/toPage() tell the choice (0: all).
    virtual bool PrintSetup(QWidget* parent, QPrinter& printer, int pageCount = 0) = 0;

    /// The exclamation-icon error box with caption "Fejl".
    void Fejl(QWidget* parent, const QString& text) { Message(parent, text, QStringLiteral("Fejl"), Icon::Warning); }

    // Where the open and save dialogs start: in the folder of the open class
    // (or of the open pupil's file), else in the folder last chosen in one of
    // them, kept between runs, else in the documents folder.

    /// Tells the service how to find the open class's folder (empty: none).
    void SetClassFolder(std::function<QString()> classFolder) { classFolder_ = std::move(classFolder); }
    /// The folder a file dialog starts in.
    QString StartFolder() const;
    /// Remembers the folder of a file the user chose in a file dialog.
    static void RememberFolder(const QString& chosenFile);
    /// The folder remembered last, kept in the program's settings; empty when
    /// none is, or when it is gone.
    static QString LastFolder();

private:
    std::function<QString()> classFolder_;
};

/// The width a window needs for the window manager to show its whole
/// caption beside the window's icon and buttons.
int CaptionWidth(const QString& caption);
/// Gives a dialog the frame the program's dialogs have: a caption and a close
/// box, no other window buttons; a dialog of fixed size is widened to its
/// caption. Returns how many pixels wider it became.
int SetDialogFrame(QDialog* dialog);

/// The real dialogs.
class QtDialogService final : public DialogService {
public:
    QMessageBox::StandardButton Message(QWidget* parent, const QString& text, const QString& caption, Icon icon,
                                        QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton) override;
    int Choose(QWidget* parent, const QString& text, const QString& caption, Icon icon, const QStringList& buttons,
               int defaultButton, int escapeButton) override;
    QString OpenFileName(QWidget* parent, const QString& title, const QString& filter,
                         const QString& defaultSuffix) override;
    QString SaveFileName(QWidget* parent, const QString& title, const QString& filter, const QString& suggested,
                         const QString& defaultSuffix) override;
    QString SaveFileNameOfType(QWidget* parent, const QString& title, const QString& filter,
                               const QString& suggested, int* type) override;
    bool PrintSetup(QWidget* parent, QPrinter& printer, int pageCount) override;
};

/// Dialogs for work no person watches (a book made in the background, the
/// command-line tool, benchmarks): every question is answered as by Esc,
/// every message as by Cancel, no file is chosen, nothing is printed. With
/// an \a echoPrefix the texts asked go to stderr after it; without one
/// they go nowhere.
class SilentDialogs final : public DialogService {
public:
    explicit SilentDialogs(const char* echoPrefix = nullptr) : echoPrefix_(echoPrefix) {}
    QMessageBox::StandardButton Message(QWidget*, const QString& text, const QString&, Icon,
                                        QMessageBox::StandardButtons, QMessageBox::StandardButton) override;
    int Choose(QWidget*, const QString& text, const QString&, Icon, const QStringList&, int,
               int escapeButton) override;
    QString OpenFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString SaveFileName(QWidget*, const QString&, const QString&, const QString&, const QString&) override
    {
        return {};
    }
    bool PrintSetup(QWidget*, QPrinter&, int) override { return false; }

private:
    void echo(const QString& text) const;
    const char* echoPrefix_;
};

/// \a name fit to be offered as a file name on any system: the characters
/// \ / : * ? " < > | and control characters become "_".
QString SafeFileName(const QString& name);

/// The extensions of the program's filter form, one per file type, without
/// "*." ("Windows Bitmap|*.bmp|PNG-billede|*.png" gives "bmp", "png"); the
/// first of a type that lists several.
QStringList FilterSuffixes(const QString& pipeFilter);

/// Converts the program's filter form ("\"Tinkeli\"-klasse|*.kla") to Qt's
/// ("\"Tinkeli\"-klasse (*.kla)").
QString QtFilter(const QString& pipeFilter);
