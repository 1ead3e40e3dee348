// The pattern shared by the seven face editor pages: the face between the
// two button columns, the shape list on the right, four base-colour buttons
// and a darker/lighter slider under the face. Every choice goes straight
// into the open pupil and the face is drawn again.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "elev.h"
#include "page.h"
#include "toolpalette.h"

#include <QFrame>
#include <QToolButton>

#include <array>
#include <vector>

class Canvas;
class PartListBox;
class QButtonGroup;
class THSlide;

/// A base-colour button: a chip of the colour it stands for.
class ColourButton : public QToolButton {
    Q_OBJECT
public:
    ColourButton(Colour colour, const QString& hint, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    Colour colour_;
};

/// What differs between the editor pages' common parts.
struct EditorDesign {
    int page;                 ///< the main window's page number
    Del part;
    int items;                ///< list items "0" .. items - 1
    int listHeight;           ///< design height of the list (434 or 433)
    const char* listHint;     ///< nullptr: none
    const char* colourHint;   ///< nullptr: the page has no colour (the nose)
    const char* slideHint;
};

class TPortraitEditor : public Page {
    Q_OBJECT
public:
    TPortraitEditor(PageHost& host, const EditorDesign& design, QWidget* parent);

    Del Part() const { return design_.part; }

    // Components, by their roles in the program.
    SidePanel* Panel2;
    SpeedButton* BackSpeed;
    SidePanel* Panel1;
    PartListBox* ListBox;
    /// The face, drawn off-screen into the page bitmap and copied in one piece.
    PaintBox* AnsigtImage;
    QFrame* FarvePanel;
    std::array<ColourButton*, 4> FarveSpeed{};   // none on the nose page
    QButtonGroup* FarveGroup = nullptr;
    THSlide* FarveSlide = nullptr;

    /// Saves the pupil if changed, then back to the student page.
    void BackSpeedClick();
    /// A list item was chosen: a new shape only when it differs.
    void ListBoxClick();
    void FarveSpeedClick();
    void FarveSlideSlideMove();
    /// The part's colour from the button that is down and the slider.
    void UpdateColour();
    /// Draws the face again.
    void PaintFace();

    /// The colour button that is down, 0..3 (tested 0, 1, 2, else 3).
    int DownButton() const;
    /// How often the face was drawn (for tests).
    int FaceDraws() const { return faceDraws_; }
    /// The floating tool palette; nullptr on the face shape page.
    virtual TToolPalette* Palette() const { return nullptr; }
    /// The height of the portrait area, from the design box's top to the
    /// colour box: the face is drawn into AnsigtImage's width and this.
    int FaceHeight() const;
    /// The rectangle any face on this page can take, in page coordinates.
    QRect PortraitRect() const;
    /// The parts of the page a palette may cover: beside the face on either
    /// side (the left one over the empty part of the left column), above the
    /// face and under the colour box. Nothing of the face, the list, the back
    /// button or the colour box.
    std::vector<PaletteArea> PaletteAreas() const;
    /// The editors print the page between their two side panels.
    QRect PrintArea() const override;

protected:
    tElev* Elev() const;
    /// The item height for a list of this client size.
    virtual int ItemHeightFor(int clientWidth, int clientHeight) const = 0;
    /// "...ListBoxDrawItem": one shape in white (index 0 as an empty box).
    virtual void DrawItem(Canvas& c, int index, const IntRect& rect, bool selected) = 0;
    /// The part's shape number for a list index, and back.
    virtual int TypeOfIndex(int index) const { return index; }
    virtual int IndexOfType(int type) const { return type; }
    /// The hair list is made anew each time the page is shown.
    virtual void RebuildList() {}
    /// Sets up and shows the palette (FormShow); hides it (FormHide).
    virtual void ShowTools() {}
    virtual void HideTools() {}
    /// The shape changed (the hair palette's previews follow it).
    virtual void TypeChanged() {}

    void layoutPage() override;
    void pageShown() override;
    void pageHidden() override;

    void UpdateItemHeight();
    /// The left edge of the right column, in page coordinates.
    int RightColumnLeft() const { return Panel1->x(); }

    /// The empty box that stands for shape 0 in every list.
    static void DrawEmptyBox(Canvas& c, const IntRect& box);

private:
    void AnsigtImagePaint();

    EditorDesign design_;
    int faceDraws_ = 0;
    bool drawingReady_ = false;
};
