// The five feature pages (eyes, brows, mouth, nose, glasses), each with its
// palette to move the part and turn or size it.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editorpage.h"

#include <QPointer>

class TFeatureToolForm;

/// The box a mouth, nose or glasses list item draws its shape into: a box
/// of the shape's proportions around the item's centre, not the face's
/// placement. \a part is Mund, Naese or Briller; \a index from 1.
IntRect FeatureItemRect(Del part, int index, const IntRect& rect);

class TFeatureForm : public TPortraitEditor {
    Q_OBJECT
public:
    TFeatureForm(PageHost& host, const EditorDesign& design, QWidget* parent);

    TFeatureToolForm* Tools() const { return tools_; }
    TToolPalette* Palette() const override;

    // What the palette asks for. A step is 1/332 of the face; a step that
    // would reach +-0.1 is ignored.
    void MoveHorizontal(int d);
    void MoveVertical(int d);
    void SetVinkel(int v);
    void SetZoom(int v);
    /// Puts the part back in its home place (and the palette's slider at 0).
    void ResetPlacement();

protected:
    void SetTools(TFeatureToolForm* tools) { tools_ = tools; }
    void ShowTools() override;
    void HideTools() override;

private:
    QPointer<TFeatureToolForm> tools_;
};

class TEyeForm final : public TFeatureForm {
    Q_OBJECT
public:
    TEyeForm(PageHost& host, QWidget* parent);

protected:
    int ItemHeightFor(int clientWidth, int clientHeight) const override;
    void DrawItem(Canvas& c, int index, const IntRect& rect, bool selected) override;
};

class TBrowForm final : public TFeatureForm {
    Q_OBJECT
public:
    TBrowForm(PageHost& host, QWidget* parent);

protected:
    int ItemHeightFor(int clientWidth, int clientHeight) const override;
    void DrawItem(Canvas& c, int index, const IntRect& rect, bool selected) override;
};

class TMouthForm final : public TFeatureForm {
    Q_OBJECT
public:
    TMouthForm(PageHost& host, QWidget* parent);

protected:
    int ItemHeightFor(int clientWidth, int clientHeight) const override;
    void DrawItem(Canvas& c, int index, const IntRect& rect, bool selected) override;
};

class TNoseForm final : public TFeatureForm {
    Q_OBJECT
public:
    TNoseForm(PageHost& host, QWidget* parent);

protected:
    int ItemHeightFor(int clientWidth, int clientHeight) const override;
    void DrawItem(Canvas& c, int index, const IntRect& rect, bool selected) override;
};

class TGlassForm final : public TFeatureForm {
    Q_OBJECT
public:
    TGlassForm(PageHost& host, QWidget* parent);

protected:
    int ItemHeightFor(int clientWidth, int clientHeight) const override;
    void DrawItem(Canvas& c, int index, const IntRect& rect, bool selected) override;
};
