// THaarForm, page 5: the hairstyle and its colour, with the "Spejling"
// palette that mirrors the hairstyle left to right.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editorpage.h"
#include "toolpalette.h"

#include <QImage>
#include <QPointer>

#include <string>

class THaarForm;

/// Boys have hairstyles 1..10, girls 11..24; both have 0, the empty box.
/// The list of a pupil of \a koen ("dreng", "pige" or empty) has this many
/// items.
int HaarListCount(const std::string& koen);
/// The hairstyle of list item \a index, and the item of a hairstyle (an
/// item outside the list when the gender has no such style).
int HaarTypeOfIndex(const std::string& koen, int index);
int HaarIndexOfType(const std::string& koen, int type);

/// "Spejling": the hairstyle in grey, plain and mirrored, and a button for
/// each.
class THaarToolForm final : public TToolPalette {
    Q_OBJECT
public:
    explicit THaarToolForm(THaarForm& page);

    QFrame* Panel1;
    PaintBox* PaintBox1;   // plain
    PaintBox* PaintBox2;   // mirrored
    PaletteButton* SpeedButton1;
    PaletteButton* SpeedButton2;

    /// The hairstyle the previews show; repaints them at once.
    void SetHairType(int n);
    int HairType() const { return hairType_; }
    /// Puts the matching button down.
    void SetMirror(bool b);
    bool Mirror() const { return mirror_; }
    /// Either button clicked: the page mirrors as SpeedButton2 says.
    void SpejlButtonClick();

protected:
    void layoutPalette() override;

private:
    void PaintPreview(PaintBox* box, bool mirrored);

    THaarForm& haar_;
    int hairType_ = 0;
    bool mirror_ = false;
    QImage previews_[2];   // work bitmaps of the two previews
};

class THaarForm final : public TPortraitEditor {
    Q_OBJECT
public:
    THaarForm(PageHost& host, QWidget* parent);

    THaarToolForm* Tools() const { return tools_; }
    TToolPalette* Palette() const override { return tools_.data(); }
    /// The palette's choice: Spejl, then the face again.
    void SetMirrored(bool b);

protected:
    int ItemHeightFor(int clientWidth, int clientHeight) const override;
    void DrawItem(Canvas& c, int index, const IntRect& rect, bool selected) override;
    int TypeOfIndex(int index) const override;
    int IndexOfType(int type) const override;
    void RebuildList() override;
    void ShowTools() override;
    void HideTools() override;
    void TypeChanged() override;

private:
    std::string koen() const;

    QPointer<THaarToolForm> tools_;
};
