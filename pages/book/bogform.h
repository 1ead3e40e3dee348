// TBogForm, page 16: the poetry book, eighteen short answers written over
// the background the pupil chose, in that background's colours.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "page.h"

#include <QLabel>
#include <QLineEdit>

#include <array>

/// One row of the questionnaire.
struct BogRow {
    int tag;                  ///< the answer's number, 1 to 18
    const char* name;         ///< the stem of the components' names: "Fritid"
    int width;                ///< the edit box's design width
    const char* caption;      ///< UTF-8
};
inline constexpr int kBogRows = 18;
/// Where the rows stand, in design units: row n (from 1) at y = top +
/// step (n - 1), height high; the captions end at x = captionRight, the
/// answer fields begin at x = editLeft.
inline constexpr int kBogRowTop = 12, kBogRowStep = 24, kBogRowHeight = 19, kBogCaptionRight = 232,
                     kBogEditLeft = 240;
/// The rows in order, tag 1 first.
const std::array<BogRow, kBogRows>& BogRows();

class TBogForm : public Page {
    Q_OBJECT
public:
    TBogForm(PageHost& host, QWidget* parent);

    /// How many characters an answer may have: enough for a child's answer.
    /// A longer answer from a file is kept whole.
    static constexpr int kMaxAnswer = 60;

    // Components. Edit[i], Label[i] and LabelSkygge[i] belong to answer i
    // (1 to 18; index 0 unused) and are named as in the program
    // ("FritidEdit", "FritidLabel", "FritidLabelSkygge").
    SidePanel* Panel2;
    SpeedButton* BackSpeed;
    SpeedButton* RedigerSpeed;
    PaintBox* BogPaintBox;
    std::array<QLineEdit*, kBogRows + 1> Edit{};
    std::array<QLabel*, kBogRows + 1> Label{};
    std::array<QLabel*, kBogRows + 1> LabelSkygge{};

    void BackSpeedClick();
    void RedigerSpeedClick();
    /// The user changed box \a tag: the answer is stored.
    void EditChange(int tag);
    /// Gives the fields and captions the colours of the chosen background.
    void SetColours();
    /// The background shown (1 to 10).
    int ShownBackground() const { return shown_; }
    /// How often the background was drawn (for tests).
    int BackgroundDraws() const { return backgroundDraws_; }

    QRect PrintArea() const override;

protected:
    void layoutPage() override;
    void pageShown() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BogPaintBoxPaint();
    /// Where the design box starts from the page's top.

    int shown_ = 1;
    // What the page bitmap holds: which background, drawn when.
    int drawnBackground_ = 0;
    qint64 drawnKey_ = 0;
    int backgroundDraws_ = 0;
};
