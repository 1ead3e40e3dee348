// The feature pages.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "featureforms.h"

#include "canvas.h"
#include "pagehost.h"
#include "partlist.h"
#include "portrait.h"
#include "toolpalette.h"

#include <cmath>

namespace {

constexpr double kFaceHeight = 332.0;   // one step is 1/332 of the face
constexpr double kOffsetLimit = 0.1;
constexpr Colour kWhite = 0xFFFFFF;

struct HalfBox { int a, b; };

// The list boxes of mouth, nose and glasses: (A, B) per shape from 1, drawn
// in a box D wide.
constexpr int kMouthD = 168;
constexpr HalfBox kMouthBox[8] = {{77, 25}, {82, 12}, {75, 16}, {65, 13}, {84, 17}, {76, 19}, {63, 16}, {64, 16}};
constexpr int kNoseD = 220;
constexpr HalfBox kNoseBox[4] = {{55, 14}, {44, 14}, {40, 13}, {42, 15}};
constexpr int kGlassesD = 392;
constexpr HalfBox kGlassesBox[4] = {{196, 75}, {196, 65}, {195, 64}, {195, 51}};

IntRect Shrink(const IntRect& r, int dx, int dy)
{
    return {r.left + dx, r.top + dy, r.right - dx, r.bottom - dy};
}

} // namespace

IntRect FeatureItemRect(Del part, int index, const IntRect& rect)
{
    int D = 0;
    const HalfBox* table = nullptr;
    int n = 0;
    switch (part) {
    case Del::Mund: D = kMouthD; table = kMouthBox; n = 8; break;
    case Del::Naese: D = kNoseD; table = kNoseBox; n = 4; break;
    case Del::Briller: D = kGlassesD; table = kGlassesBox; n = 4; break;
    default: return {};
    }
    const IntRect r0 = Shrink(rect, 1, 1);
    const int cx = (r0.left + r0.right) / 2, cy = (r0.top + r0.bottom) / 2;
    if (index < 1 || index > n)
        return {cx, cy, cx, cy};
    const double f = double(r0.right - r0.left) / D;
    const int hw = int(std::lrint(f * table[index - 1].a));   // halves to even
    const int hh = int(std::lrint(f * table[index - 1].b));
    return {cx - hw, cy - hh, cx + hw, cy + hh};
}

// ---- TFeatureForm ----

TFeatureForm::TFeatureForm(PageHost& host, const EditorDesign& design, QWidget* parent)
    : TPortraitEditor(host, design, parent)
{
}

TToolPalette* TFeatureForm::Palette() const
{
    return tools_.data();
}

void TFeatureForm::ShowTools()
{
    const tElev* e = Elev();
    if (!tools_ || !e)
        return;
    const FacePart& part = e->Part(Part());
    tools_->SetSlidePosition(HasVinkel(Part()) ? part.Vinkel : part.Zoom);
    tools_->ShowBesidePage(PaletteAreas());
}

void TFeatureForm::HideTools()
{
    if (tools_)
        tools_->hide();
}

void TFeatureForm::MoveHorizontal(int d)
{
    tElev* e = Elev();
    if (!e || !HasVandret(Part()))
        return;
    const double v = e->Part(Part()).Vandret.value() + d / kFaceHeight;
    if (-kOffsetLimit < v && v < kOffsetLimit) {
        e->SetVandret(Part(), v);
        PaintFace();
    }
}

void TFeatureForm::MoveVertical(int d)
{
    tElev* e = Elev();
    if (!e)
        return;
    const double v = e->Part(Part()).Lodret.value() + d / kFaceHeight;
    if (-kOffsetLimit < v && v < kOffsetLimit) {
        e->SetLodret(Part(), v);
        PaintFace();
    }
}

void TFeatureForm::SetVinkel(int v)
{
    if (tElev* e = Elev()) {
        e->SetVinkel(Part(), v);
        PaintFace();
    }
}

void TFeatureForm::SetZoom(int v)
{
    if (tElev* e = Elev()) {
        e->SetZoom(Part(), v);
        PaintFace();
    }
}

void TFeatureForm::ResetPlacement()
{
    tElev* e = Elev();
    if (!e)
        return;
    if (HasVinkel(Part())) {
        e->SetVandret(Part(), 0.0);
        e->SetLodret(Part(), 0.0);
        e->SetVinkel(Part(), 0);
    } else {
        e->SetLodret(Part(), 0.0);
        e->SetZoom(Part(), 0);
    }
    if (tools_)
        tools_->SetSlidePosition(0);
    PaintFace();
}

// ---- the five pages ----

TEyeForm::TEyeForm(PageHost& host, QWidget* parent)
    : TFeatureForm(host, {6, Del::Oejne, 6, 433, "Klik for at vælge øjne", "Grundfarve til øjnene",
                          "Gør farven mørkere eller lysere"},
                   parent)
{
    SetTools(new TEyeToolForm(*this));
}

int TEyeForm::ItemHeightFor(int clientWidth, int) const
{
    return clientWidth / 2;
}

void TEyeForm::DrawItem(Canvas& c, int index, const IntRect& rect, bool)
{
    if (index == 0) {
        DrawEmptyBox(c, rect);
        return;
    }
    // One eye, not the pair.
    const IntRect R = Shrink(rect, (rect.right - rect.left) / 5, (rect.bottom - rect.top) / 5);
    DrawEye(c, index, 0, R, kWhite, false);
}

TBrowForm::TBrowForm(PageHost& host, QWidget* parent)
    : TFeatureForm(host, {7, Del::Bryn, 5, 433, "Vælg øjenbryn", "Vælg grundfarven til øjenbryn",
                          "Gør farven mørkere eller lysere"},
                   parent)
{
    SetTools(new TBrowToolForm(*this));
}

int TBrowForm::ItemHeightFor(int clientWidth, int) const
{
    return clientWidth / 4;
}

void TBrowForm::DrawItem(Canvas& c, int index, const IntRect& rect, bool)
{
    if (index == 0) {
        DrawEmptyBox(c, rect);
        return;
    }
    const IntRect R = Shrink(rect, (rect.right - rect.left) / 5, (rect.bottom - rect.top) / 5);
    DrawBrow(c, index, 0, R, kWhite, false);
}

TMouthForm::TMouthForm(PageHost& host, QWidget* parent)
    : TFeatureForm(host, {8, Del::Mund, 9, 433, "Vælg mund", "Vælg mundens grundfarve",
                          "Gør farven mørkere eller lysere"},
                   parent)
{
    SetTools(new TMouthToolForm(*this));
}

int TMouthForm::ItemHeightFor(int clientWidth, int) const
{
    return clientWidth / 2;
}

void TMouthForm::DrawItem(Canvas& c, int index, const IntRect& rect, bool)
{
    if (index == 0) {
        DrawEmptyBox(c, rect);
        return;
    }
    DrawMouth(c, index, FeatureItemRect(Del::Mund, index, rect), kWhite);
}

TNoseForm::TNoseForm(PageHost& host, QWidget* parent)
    : TFeatureForm(host, {9, Del::Naese, 5, 433, "Vælg næse", nullptr, nullptr}, parent)
{
    SetTools(new TNoseToolForm(*this));
}

int TNoseForm::ItemHeightFor(int clientWidth, int) const
{
    return clientWidth;
}

void TNoseForm::DrawItem(Canvas& c, int index, const IntRect& rect, bool)
{
    if (index == 0) {
        DrawEmptyBox(c, rect);
        return;
    }
    DrawNose(c, index, FeatureItemRect(Del::Naese, index, rect));
}

TGlassForm::TGlassForm(PageHost& host, QWidget* parent)
    : TFeatureForm(host, {10, Del::Briller, 5, 433, "Vælg briller", "Vælg brillens grundfarve",
                          "Gør farven mørkere eller lysere"},
                   parent)
{
    SetTools(new TGlassToolForm(*this));
}

int TGlassForm::ItemHeightFor(int clientWidth, int) const
{
    return clientWidth / 2;
}

void TGlassForm::DrawItem(Canvas& c, int index, const IntRect& rect, bool)
{
    if (index == 0) {
        DrawEmptyBox(c, rect);
        return;
    }
    DrawGlasses(c, index, FeatureItemRect(Del::Briller, index, rect), kWhite);
}
