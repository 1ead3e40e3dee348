// TMaalForm, page 11: fourteen body measurements typed into boxes over a
// drawn figure, and shown again in units of the pupil's own hand, finger,
// hand span, instep or foot.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "page.h"

#include <QLineEdit>
#include <QPoint>

#include <array>

class QButtonGroup;

class TMaalForm : public Page {
    Q_OBJECT
public:
    TMaalForm(PageHost& host, QWidget* parent);

    /// The figure's design frame; the boxes are placed in it.
    static constexpr int kFigurBredde = 456;
    static constexpr int kFigurHoejde = 460;
    static constexpr int kBoxes = 14;
    /// Box i's design place (i = 1..14 at index i - 1) in the figure's frame.
    static const std::array<QPoint, kBoxes> kBoxPlace;
    /// Box 12 holds the weight in kilograms; every other box a length in cm.
    static constexpr int kVaegt = 12;
    /// The boxes hold at most this many characters: nine digits always fit
    /// a measurement.
    static constexpr int kMaxTegn = 9;

    /// The measurement whose value is the unit of mode \a mode (1..5), 0 for
    /// mode 0 (typing) and for a mode that does not exist.
    static int UnitOf(int mode);
    /// What box \a i measures, with its unit ("Højde i cm", "Vægt i kg").
    static QString BoxHint(int i);
    /// The short note by a box whose text cannot be read as a number.
    static QString NumberNoteText();

    // Components, by their names in the program.
    SidePanel* Panel2;
    SidePanel* Panel1;
    SpeedButton* BackSpeed;
    SpeedButton* TastSpeed;
    SpeedButton* HandSpeed;
    SpeedButton* FingerSpeed;
    SpeedButton* HandspanSpeed;
    SpeedButton* WristSpeed;
    SpeedButton* FootSpeed;
    QButtonGroup* ModeGroup;
    PaintBox* MaalPaintBox;
    /// Edit1 .. Edit14 at index 0 .. 13.
    std::array<QLineEdit*, kBoxes> Edit{};

    /// Box \a tag (1..14), nullptr outside.
    QLineEdit* EditBox(int tag) const;

    // ---- handlers ----
    /// A mode button was clicked: when it is down, the values in its mode.
    void SpeedClick(int tag);
    /// The text of box \a tag changed (typed or set).
    void EditChange(int tag);
    void BackSpeedClick();

    /// Fills the boxes in mode \a m: typed values (0) or the values in units
    /// of the mode's measurement (1..5), the boxes read-only.
    void ShowValues(int m);
    /// A conversion mode can be chosen only while its unit is measured.
    void UpdateModeButtons();
    /// Presses the button of mode \a m as a click would; false (nothing
    /// changed) when that button is disabled or there is no such mode.
    bool ChooseMode(int m);
    /// The mode shown: the tag of the pressed button.
    int Mode() const;

    /// The figure between the two columns, from top to bottom: MaalPaintBox.
    QRect PrintArea() const override { return MaalPaintBox->geometry(); }

    /// The figure's rectangle in MaalPaintBox's coordinates.
    QRect FigureRect() const;
    /// Design units of the figure's frame to paint-box pixels, halves to even.
    int FigureUnits(int designUnits) const;

protected:
    void layoutPage() override;
    void pageShown() override;

private:
    void MaalPaintBoxPaint();
    void placeBoxes();
    void updateHints();
};
