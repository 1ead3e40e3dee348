// The hair page and its mirror palette.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "haarform.h"

#include "canvas.h"
#include "chrome.h"
#include "drawing.h"
#include "pagehost.h"
#include "partlist.h"
#include "portrait.h"

#include <QButtonGroup>
#include <QPainter>

namespace {

constexpr int kStandardHead = 1;   // the previews and the list fit this head
constexpr int kPreviewHeight = 61;  // the previews' design height

} // namespace

int HaarListCount(const std::string& koen)
{
    if (koen == "dreng")
        return 11;
    if (koen == "pige")
        return 15;
    return 1;
}

int HaarTypeOfIndex(const std::string& koen, int index)
{
    return koen == "pige" && index > 0 ? index + 10 : index;
}

int HaarIndexOfType(const std::string& koen, int type)
{
    if (koen == "dreng")
        return type;
    if (koen == "pige")
        return type > 0 ? type - 10 : 0;
    return 0;
}

// ---- THaarToolForm ----

THaarToolForm::THaarToolForm(THaarForm& page) : TToolPalette(page, QStringLiteral("Spejling"), QSize(120, 109)), haar_(page)
{
    Panel1 = new QFrame(Client());
    Panel1->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    Panel1->setAutoFillBackground(true);
    QPalette white = Panel1->palette();
    white.setColor(QPalette::Window, Qt::white);
    Panel1->setPalette(white);
    PaintBox1 = new PaintBox(Panel1, [this](QPaintEvent*) { PaintPreview(PaintBox1, false); });
    PaintBox2 = new PaintBox(Panel1, [this](QPaintEvent*) { PaintPreview(PaintBox2, true); });
    SpeedButton1 = new PaletteButton(PaletteGlyph::Plain, QString(), Client());
    SpeedButton2 = new PaletteButton(PaletteGlyph::Mirrored, QString(), Client());
    auto* group = new QButtonGroup(this);
    group->setExclusive(true);
    for (PaletteButton* b : {SpeedButton1, SpeedButton2}) {
        b->setCheckable(true);
        group->addButton(b);
        connect(b, &QAbstractButton::clicked, this, &THaarToolForm::SpejlButtonClick);
    }
    SpeedButton1->setChecked(true);
}

void THaarToolForm::layoutPalette()
{
    Panel1->setGeometry(D(0, 0, 120, 65));
    const int bevel = Panel1->frameWidth();
    const int inner = Panel1->height() - 2 * bevel;
    PaintBox1->setGeometry(bevel, bevel, S(58), inner);
    PaintBox2->setGeometry(bevel + S(58), bevel, Panel1->width() - 2 * bevel - S(58), inner);
    SpeedButton1->setGeometry(D(1, 67, 57, 41));
    SpeedButton2->setGeometry(D(62, 67, 57, 41));
}

void THaarToolForm::SetHairType(int n)
{
    hairType_ = n;
    PaintBox1->repaint();
    PaintBox2->repaint();
}

void THaarToolForm::SetMirror(bool b)
{
    mirror_ = b;
    (b ? SpeedButton2 : SpeedButton1)->setChecked(true);
}

void THaarToolForm::SpejlButtonClick()
{
    mirror_ = SpeedButton2->isChecked();
    haar_.SetMirrored(mirror_);
}

void THaarToolForm::PaintPreview(PaintBox* box, bool mirrored)
{
    QImage& pic = previews_[mirrored ? 1 : 0];
    if (pic.size() != box->size())
        pic = QImage(box->size(), QImage::Format_RGB32);
    if (pic.isNull())
        return;
    {
        Canvas c(&pic);
        const IntRect C{0, 0, pic.width(), pic.height()};
        c.SetSolidBrush(0xFFFFFF);
        c.FillRect(C);
        if (hairType_ == 0) {
            c.SetPen(0x000000, 1, PenStyle::Dotted);
            c.Rectangle(C.left + 1, C.top + 1, C.right - 1, C.bottom - 1);
            c.SetPenStyle(PenStyle::Solid);
        } else if (!Drawing().PageBitmap.isNull()) {
            // The style in grey on the standard head, whatever the pupil's
            // colour and head shape.
            // The portrait area is 11/8 of the box's height. The parts keep a
            // fixed 16-pixel margin (332 + 16), so on a palette grown with the
            // page that area is taken as the design box's, scaled: otherwise
            // the style outgrows the box. At the design size (61 high) this
            // is MulDiv(height, 11, 8) exactly.
            const int designH = MulDiv(kPreviewHeight, 11, 8);
            const int h = C.bottom == kPreviewHeight ? designH
                                                     : MulDiv(designH - 16, C.bottom, kPreviewHeight) + 16;
            const int w = C.right;
            IntRect R;
            HairRect(w, h, hairType_, kStandardHead, R, mirrored);
            // Up by h div 8, but never past the box's top, which would cut
            // off the crown.
            const int up = MinInt(h / 8, MaxInt(0, R.top));
            R.top -= up;
            R.bottom -= up;
            DrawHair(c, hairType_, R, 0xC0C0C0, mirrored);
        }
    }
    QPainter screen(box);
    screen.drawImage(0, 0, pic);
}

// ---- THaarForm ----

THaarForm::THaarForm(PageHost& host, QWidget* parent)
    : TPortraitEditor(host, {5, Del::Haar, 1, 433, "Vælg hår", "Vælg grundfarve til håret",
                             "Gør farven mørkere eller lysere"},
                      parent)
{
    tools_ = new THaarToolForm(*this);
}

std::string THaarForm::koen() const
{
    const tElev* e = Elev();
    return e ? e->Koen() : std::string();
}

int THaarForm::TypeOfIndex(int index) const
{
    return HaarTypeOfIndex(koen(), index);
}

int THaarForm::IndexOfType(int type) const
{
    return HaarIndexOfType(koen(), type);
}

void THaarForm::RebuildList()
{
    ListBox->SetItems(HaarListCount(koen()));
}

int THaarForm::ItemHeightFor(int clientWidth, int) const
{
    return MulDiv(clientWidth, 12, 13);
}

void THaarForm::DrawItem(Canvas& c, int index, const IntRect& rect, bool)
{
    const int rw = rect.right - rect.left, rh = rect.bottom - rect.top;
    const IntRect S{rect.left + rw / 10, rect.top + rw / 10, rect.right - rw / 10, rect.bottom - rw / 10};
    if (index == 0) {
        DrawEmptyBox(c, S);
        return;
    }
    const int n = TypeOfIndex(index);
    IntRect R;
    HairRect(S.right - S.left, MulDiv(S.bottom - S.top, 5, 4), n, kStandardHead, R, false);
    // Centred in the item. (HairRect has already centred the style on S, so
    // adding half the spare width again would push it off to the right.)
    const int dx = (rw - (R.right - R.left)) / 2 + rect.left - R.left;
    const int dy = (rh - (R.bottom - R.top)) / 10 + rect.top;
    R = {R.left + dx, R.top + dy, R.right + dx, R.bottom + dy};
    DrawHair(c, n, R, 0xFFFFFF, false);
}

void THaarForm::ShowTools()
{
    const tElev* e = Elev();
    if (!tools_ || !e)
        return;
    tools_->SetMirror(e->Part(Del::Haar).Spejl);
    tools_->SetHairType(e->Part(Del::Haar).Type);
    tools_->ShowBesidePage(PaletteAreas());
}

void THaarForm::HideTools()
{
    if (tools_)
        tools_->hide();
}

void THaarForm::TypeChanged()
{
    if (tools_ && Elev())
        tools_->SetHairType(Elev()->Part(Del::Haar).Type);
}

void THaarForm::SetMirrored(bool b)
{
    if (tElev* e = Elev()) {
        e->SetSpejl(Del::Haar, b);
        PaintFace();
    }
}
