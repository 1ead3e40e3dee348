// TSetupForm, page 2: the teacher's page for the class: school, class name,
// teacher, class code and the list of pupils, with the rules that keep the
// pupils' files working. Leaving the page saves the class.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "klasse.h"
#include "page.h"

#include <algorithm>
#include <array>

#include <QComboBox>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

class QPrinter;

/// The arithmetic of the printed pupil list.
struct ListPrintLayout {
    int ppi = 0;          ///< the printer's pixels per inch
    int lineHeight = 0;   ///< h: 1.5 x the height of "A"
    int marginX = 0;      ///< mx
    int marginY = 0;      ///< my
    int width = 0;        ///< W: printable width within the margins
    int height = 0;       ///< H
    int rowsPerPage = 0;  ///< k
    int rows = 0;         ///< R: a title row and one per pupil
    int pages = 0;        ///< P
    int inset = 0;        ///< d: line width and text inset
};
ListPrintLayout ComputeListLayout(int pageWidth, int pageHeight, int ppi, int textHeightOfA, int pupils,
                                  int screenPpi = 96);

class TSetupForm : public Page {
    Q_OBJECT
public:
    TSetupForm(PageHost& host, QWidget* parent);

    static constexpr int kRows = tKlasse::kMaxElever;
    static constexpr int kColumns = 6;
    static const char* const kTitles[kColumns];

    SidePanel* Panel2;
    SpeedButton* BackSpeed;
    SpeedButton* HobbySpeed;
    SpeedButton* HelpSpeed;
    PaintBox* SetupImage;
    QWidget* KlassePanel;
    QLabel* KlasseTopPanel;
    QLineEdit* SkoleEdit;
    QLineEdit* KlasseEdit;
    QLineEdit* LaererEdit;
    QLineEdit* KodeEdit;
    QWidget* ElevPanel;
    QLabel* ElevTopPanel;
    SpeedButton* SletSpeed;
    QWidget* TopGrid;
    QTableWidget* LeftGrid;
    QTableWidget* ElevGrid;
    QComboBox* GenderBox;

    // ---- handlers ----
    /// May cell (col, row) be entered? Says why not with the page's messages.
    bool ElevGridSelectCell(int col, int row);
    /// May cell (col, row) take typing? The rules of ElevGridSelectCell
    /// without their messages; the gender is never typed.
    bool CellEditable(int col, int row) const;
    QString ElevGridGetEditText(int col, int row) const;
    /// Stores an edit of cell (col, row) in the class.
    void ElevGridSetEditText(int col, int row, const QString& text);
    void LeftGridClick(int row);
    void SletSpeedClick();
    void BackBmBtnClick();
    void HobbySpeedClick();
    void HelpSpeedClick();
    void PrintKlasseListe();
    /// Prints on an already set-up printer (pages \a from to \a to, 0: all).
    bool PrintKlasseListeTo(QPrinter& printer, int from, int to);

    /// "Eksportér elevliste...": the pupils to a spreadsheet file (CSV).
    void EksporterElevliste();
    /// "Importér elevliste...": the rows of a spreadsheet file as new pupils
    /// after the class's own, by the rules of typing them in; the rows that
    /// could not be taken are listed in one message. Nothing is saved until
    /// the class is.
    void ImporterElevliste();

    bool SaveWork() override;
    bool PrintsItself() const override { return true; }
    void PrintItself() override { PrintKlasseListe(); }

    /// The column widths of the pupil grid for a client width \a w.
    static std::array<int, kColumns> ColumnWidths(int w);
    /// Text of pupil \a row in column \a col ("" beyond the pupils).
    QString CellText(int col, int row) const;
    /// The font of column \a col, for its cells and its editor alike: the
    /// grid's font, made smaller only where the column's widest value (a
    /// date, a gender, a date and time) would not fit.
    QFont CellFont(int col) const { return columnFonts_[std::size_t(std::clamp(col, 0, kColumns - 1))]; }

protected:
    void layoutPage() override;
    void pageShown() override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void SetupImagePaint();
    void TopGridPaint();
    void setColumnWidths();
    void info(int message);
    void updateButtons();
    void closeGenderBox(bool restore);

    std::array<QFont, kColumns> columnFonts_;
};
