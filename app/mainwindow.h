// TMain: the program's one window. It owns the open class, knows the open
// pupil, carries the menu, switches between the 18 pages and saves the
// pupil once a minute while an editing page is shown.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pagehost.h"

#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <array>
#include <functional>
#include <memory>

class Page;
class QAction;
class TElevForm;
class TSaveQuestion;
class tKlasse;

/// The program's private messages, numbered as it numbers them.
enum ProgramMessage { kOpenParamFile = 1025, kShowStartDialog = 1026, kCloseRequest = 1027 };

class TMain : public QMainWindow, public PageHost {
    Q_OBJECT
public:
    struct Options {
        QStringList params;                     ///< command-line parameters (without the program)
        DialogService* dialogs = nullptr;       ///< nullptr: the real dialogs
        int splashMs = 2000;                    ///< the splash's minimum time
        int startDelayMs = 500;                 ///< StartTimer
        int saveIntervalMs = 60000;             ///< CheckGemTimer
        int screenDepth = -1;                   ///< -1: ask the screen
        std::function<int()> startDialog;       ///< nullptr: the real start dialog
        std::function<int(const std::string&)> askCode;   ///< nullptr: the real code dialog
        std::function<bool(const QString&)> openHelp;     ///< nullptr: the desktop's browser
        std::function<void()> aboutBox;         ///< nullptr: the real about box
        QString programDir;                     ///< empty: the folder of the running program
    };

    explicit TMain(Options options);
    ~TMain() override;

    // ---- PageHost ----
    tKlasse& AktivKlasse() override { return *aktivKlasse_; }
    tElev* AktivElev() override;
    void SetAktivElev(int index) override;
    int AktivSide() const override { return aktivSide_; }
    void ShowPage(int n) override;
    void LukClick() override;
    void CloseRequest() override;
    void ShowHelpPage(const QString& fileName) override;
    void SetBookLocked(bool locked) override;
    void DiscardClass() override;
    int AskCode(const std::string& ansiCode) override;
    DialogService& Dialogs() override { return *dialogs_; }

    void HidePage();
    /// Saves what the current page has open before the class or pupil goes.
    void SaveCurrent();
    /// Writes every change (the open pupil, a changed class); asks what to do
    /// when that fails. False when the user chose to stay.
    bool SaveAllForClose();

    // ---- menu handlers ----
    void FilerNyklasseClick();
    /// True when a class was opened.
    bool FilerAabnKlasseClick();
    void FilerAabnElevClick();
    void FilerAfslutClick();
    void UdskrivClick();
    /// "Gem side som billede...": the page on screen as a bitmap, PNG or PDF.
    void GemSomBilledeClick();
    /// "Gem bogen som PDF...": the open pupil's whole book as one PDF.
    void GemBogenSomPdfClick();
    /// "Gem klassebogen som PDF...": the cover, every pupil's book and the
    /// class statistics as one PDF.
    void GemKlassebogenSomPdfClick();
    /// The class setup's pupil list to and from a spreadsheet file.
    void EksporterElevlisteClick();
    void ImporterElevlisteClick();
    void HjaelpOversigtClick();
    void HjaelpTilSidenClick();
    void HjaelpOmprogrammetClick();

    // ---- the private messages ----
    void OpenParamFile();
    void ShowStartDialog();
    void PostMessage(ProgramMessage m);

    /// Called once the window is on screen (after the splash's time).
    void FormShow();

    Page* PageAt(int n) const;
    /// The menu's items, by their text ("Gem side som billede...").
    QAction* MenuItem(const QString& text) const;
    TElevForm* ElevForm() const;
    /// The full path of a help page, found beside the program or in its
    /// installed data folder.
    QString HelpPath(const QString& fileName) const;
    /// The help page of a page number.
    static QString HelpFileFor(int page);
    QTimer& StartTimer() { return startTimer_; }
    QTimer& CheckGemTimer() { return checkGemTimer_; }
    bool Closing() const { return closing_; }
    /// How long the start dialog waits for another dialog to go.
    static constexpr int kStartDialogRetryMs = 200;

protected:
    void customEvent(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void buildMenu();
    /// Items that belong to some pages only are enabled on those.
    void updateMenu();
    void buildPages();
    void layoutPages();
    void replaceClass(std::unique_ptr<tKlasse> k);
    void openSinglePupil(const QString& path, bool fromMenu);
    void openClassFile(const QString& path);
    void StartTimerTimer();
    void CheckGemTimerTimer();

    Options opt_;
    std::unique_ptr<DialogService> ownDialogs_;
    DialogService* dialogs_;
    std::unique_ptr<TSaveQuestion> saveQuestion_;
    std::unique_ptr<tKlasse> aktivKlasse_;
    int aktivIndex_ = -1;
    int aktivSide_ = 0;
    QWidget* client_ = nullptr;
    std::array<Page*, 19> pages_{};
    QAction* gemSomBillede_ = nullptr;
    QAction* gemBogen_ = nullptr;
    QAction* gemKlassebogen_ = nullptr;
    QAction* eksporterElevliste_ = nullptr;
    QAction* importerElevliste_ = nullptr;
    QTimer startTimer_;
    QTimer checkGemTimer_;
    bool closing_ = false;
    bool endRequested_ = false;   // the program was asked to end
    bool paletteDisplay_ = false;
};
