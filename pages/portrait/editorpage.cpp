// The editor page pattern.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "editorpage.h"

#include "canvas.h"
#include "chrome.h"
#include "drawing.h"
#include "farver.h"
#include "pagehost.h"
#include "partlist.h"
#include "portrait.h"
#include "slider.h"
#include "toolpalette.h"

#include <QButtonGroup>
#include <QPainter>

namespace {

constexpr Colour kSkyBlue = 0xF0CAA6;

} // namespace

// ---- ColourButton ----

ColourButton::ColourButton(Colour colour, const QString& hint, QWidget* parent)
    : QToolButton(parent), colour_(colour)
{
    setCheckable(true);
    setToolTip(hint);
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
}

void ColourButton::paintEvent(QPaintEvent*)
{
    // A speed button of the group: raised when up, sunken and darker when
    // down, the colour chip in the middle.
    QPainter p(this);
    const QPalette& pal = palette();
    const bool down = isChecked() || isDown();
    const int w = width(), h = height();
    p.fillRect(rect(), down ? pal.color(QPalette::Midlight).darker(110) : pal.color(QPalette::Button));
    const QColor tl = down ? pal.color(QPalette::Shadow) : pal.color(QPalette::Light);
    const QColor br = down ? pal.color(QPalette::Light) : pal.color(QPalette::Shadow);
    const int edge = std::max(1, std::min(w, h) / 20);
    p.fillRect(0, 0, w, edge, tl);
    p.fillRect(0, 0, edge, h, tl);
    p.fillRect(0, h - edge, w, edge, br);
    p.fillRect(w - edge, 0, edge, h, br);
    const int inset = std::min(w, h) / 5, shift = down ? edge : 0;
    const QRect chip(inset + shift, inset + shift, w - 2 * inset, h - 2 * inset);
    p.fillRect(chip, ToQColor(colour_));
    p.setPen(QColor(64, 64, 64));
    p.drawRect(chip.adjusted(0, 0, -1, -1));
    if (hasFocus()) {
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        p.drawRect(rect().adjusted(edge + 1, edge + 1, -edge - 2, -edge - 2));
    }
}

// ---- TPortraitEditor ----

TPortraitEditor::TPortraitEditor(PageHost& host, const EditorDesign& design, QWidget* parent)
    : Page(host, design.page, parent), design_(design)
{
    AnsigtImage = new PaintBox(this, [this](QPaintEvent*) { AnsigtImagePaint(); });
    Panel2 = new SidePanel(this);
    BackSpeed = new SpeedButton("back", "Tilbage til elev-forsiden", Panel2);
    Panel1 = new SidePanel(this);
    ListBox = new PartListBox(Panel1);
    ListBox->SetItems(design.items);
    if (design.listHint)
        ListBox->setToolTip(QString::fromUtf8(design.listHint));
    ListBox->SetDrawItem([this](Canvas& c, int index, const IntRect& rect, bool selected) {
        c.SetSolidBrush(selected ? 0xFFFFFF : kSkyBlue);
        c.FillRect(rect);
        DrawItem(c, index, rect, selected);
        c.SetSolidBrush(kSkyBlue);
    });

    FarvePanel = new QFrame(this);
    FarvePanel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    FarvePanel->setAutoFillBackground(true);
    if (design.colourHint) {
        FarveGroup = new QButtonGroup(this);
        FarveGroup->setExclusive(true);
        for (int i = 0; i < 4; ++i) {
            FarveSpeed[std::size_t(i)] =
                new ColourButton(PartColour(design.part, i, 18), QString::fromUtf8(design.colourHint), FarvePanel);
            FarveGroup->addButton(FarveSpeed[std::size_t(i)], i);
        }
        FarveSpeed[0]->setChecked(true);
        FarveSlide = new THSlide(FarvePanel);
        FarveSlide->setToolTip(QString::fromUtf8(design.slideHint));
        FarveSlide->SetMax(37);
        FarveSlide->SetPosition(18);
        connect(FarveGroup, &QButtonGroup::idClicked, this, [this](int) { FarveSpeedClick(); });
        connect(FarveSlide, &TSlide::OnSlideMove, this, &TPortraitEditor::FarveSlideSlideMove);
    }
    // The main window gives the page the focus when it shows it; the keys
    // belong to the list.
    setFocusProxy(ListBox);
    connect(BackSpeed, &QToolButton::clicked, this, &TPortraitEditor::BackSpeedClick);
    connect(ListBox, &PartListBox::Click, this, &TPortraitEditor::ListBoxClick);
}

tElev* TPortraitEditor::Elev() const
{
    return host().AktivElev();
}

void TPortraitEditor::layoutPage()
{
    const int col = S(kColumnWidth);
    Panel2->setGeometry(0, 0, col, height());
    Panel1->setGeometry(width() - col, 0, col, height());
    BackSpeed->place(B(8, 8, 73, 73));
    ListBox->setGeometry(B(8, 8, 73, design_.listHeight));
    AnsigtImage->setGeometry(col, 0, std::max(0, width() - 2 * col), height());
    // The colour box keeps its design size and sits centred under the face,
    // as the student page's name box does.
    const QRect box = B(108, 376, 409, 65);
    FarvePanel->setGeometry(col + (AnsigtImage->width() - box.width()) / 2, box.top(), box.width(), box.height());
    for (int i = 0; i < 4; ++i)
        if (FarveSpeed[std::size_t(i)])
            FarveSpeed[std::size_t(i)]->setGeometry(D(12 + 52 * i, 12, 41, 41));
    if (FarveSlide)
        FarveSlide->setGeometry(D(216, 16, 185, 29));
    UpdateItemHeight();
    // A window that changes its size while the page is shown takes the
    // palette along, unless the user put it somewhere.
    if (TToolPalette* p = Palette(); p && p->isVisible() && !p->UserMoved())
        p->ShowBesidePage(PaletteAreas());
}

QRect TPortraitEditor::PrintArea() const
{
    const int left = Panel2->width();
    return QRect(left, 0, std::max(0, width() - left - Panel1->width()), height());
}

int TPortraitEditor::FaceHeight() const
{
    return FarvePanel->geometry().top() - BoxTop();
}

QRect TPortraitEditor::PortraitRect() const
{
    const IntRect r = PortraitBounds(AnsigtImage->width(), FaceHeight());
    return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1))
        .translated(AnsigtImage->x(), AnsigtImage->y() + BoxTop());
}

std::vector<PaletteArea> TPortraitEditor::PaletteAreas() const
{
    const QRect face = PortraitRect();
    const int left = Panel2->geometry().right() + 1;
    const int right = Panel1->x();
    const int colourTop = FarvePanel->geometry().top();
    const int colourBottom = FarvePanel->geometry().bottom() + 1;
    const int backBottom = BackSpeed->geometry().bottom() + 1;
    auto area = [](int l, int t, int r, int b) { return QRect(l, t, std::max(0, r - l), std::max(0, b - t)); };
    return {
        // Beside the face towards the list, where the palettes always were.
        {area(std::max(face.right() + 1, left), BoxTop(), right, colourTop), Qt::AlignRight | Qt::AlignTop},
        // Beside the face on the other side, also over the left column
        // under the back button.
        {area(0, backBottom, std::min(face.left(), right), colourTop), Qt::AlignLeft | Qt::AlignTop},
        // Above the face, where a window taller than the design has room.
        {area(left, 0, right, face.top()), Qt::AlignRight | Qt::AlignBottom},
        // Under the colour box.
        {area(left, colourBottom, right, height()), Qt::AlignRight | Qt::AlignTop},
    };
}

void TPortraitEditor::UpdateItemHeight()
{
    // The items fill the list's width; a list too long for its height loses
    // a scroll bar's width.
    int h = ItemHeightFor(ListBox->width(), ListBox->height());
    const int cw = ListBox->ClientWidthFor(h);
    if (cw != ListBox->width())
        h = ItemHeightFor(cw, ListBox->height());
    ListBox->SetItemHeight(h);
}

void TPortraitEditor::pageShown()
{
    const tElev* e = Elev();
    if (!e)
        return;
    const FacePart& part = e->Part(design_.part);
    if (FarveGroup && part.FarveGruppe >= 0 && part.FarveGruppe <= 3)
        FarveSpeed[std::size_t(part.FarveGruppe)]->setChecked(true);
    ShowTools();
    if (FarveSlide)
        FarveSlide->SetPosition(part.FarveSlide);
    RebuildList();
    UpdateItemHeight();
    ListBox->SetItemIndex(IndexOfType(part.Type));
    ListBox->setFocus();
    PaintFace();
}

void TPortraitEditor::pageHidden()
{
    HideTools();
}

void TPortraitEditor::BackSpeedClick()
{
    SaveIfChanged();
    host().ShowPage(3);
}

void TPortraitEditor::ListBoxClick()
{
    tElev* e = Elev();
    const int index = ListBox->ItemIndex();
    if (!e || index < 0)
        return;
    const int type = TypeOfIndex(index);
    if (type == e->Part(design_.part).Type)
        return;
    e->SetType(design_.part, type);
    if (HasFarve(design_.part))
        UpdateColour();
    PaintFace();
    TypeChanged();
}

int TPortraitEditor::DownButton() const
{
    for (int i = 0; i < 3; ++i)
        if (FarveSpeed[std::size_t(i)] && FarveSpeed[std::size_t(i)]->isChecked())
            return i;
    return 3;
}

void TPortraitEditor::FarveSpeedClick()
{
    tElev* e = Elev();
    if (!e || !FarveGroup)
        return;
    e->SetFarveGruppe(design_.part, DownButton());
    UpdateColour();
    PaintFace();
}

void TPortraitEditor::FarveSlideSlideMove()
{
    tElev* e = Elev();
    if (!e || !FarveSlide)
        return;
    e->SetFarveSlide(design_.part, FarveSlide->Position());
    UpdateColour();
    PaintFace();
}

void TPortraitEditor::UpdateColour()
{
    tElev* e = Elev();
    if (!e || !FarveSlide)
        return;
    e->SetFarve(design_.part, PartColour(design_.part, DownButton(), FarveSlide->Position()));
}

void TPortraitEditor::PaintFace()
{
    AnsigtImage->update();
}

void TPortraitEditor::AnsigtImagePaint()
{
    QPainter screen(AnsigtImage);
    if (!EnsureDrawing()) {
        screen.fillRect(AnsigtImage->rect(), ToQColor(kSkyBlue));
        return;
    }
    QImage& page = Drawing().PageBitmap;
    const int W = std::min(AnsigtImage->width(), page.width());
    const int H = FaceHeight();
    {
        Canvas c(&page);
        if (const tElev* e = Elev())
            DrawPortrait(c, *e, "ansigt", W, H);
        else
            DrawPageLayout(c, "ansigt");
    }
    ShowPageBitmap(screen, AnsigtImage, W);
    ++faceDraws_;
    if (!drawingReady_) {
        // The list and palette pictures come from the archive that is now read.
        drawingReady_ = true;
        ListBox->Invalidate();
        if (TToolPalette* p = Palette())
            p->update();
    }
}

void TPortraitEditor::DrawEmptyBox(Canvas& c, const IntRect& box)
{
    Canvas::Saver keep(c);
    c.SetPen(0x000000, 1, PenStyle::Dotted);
    c.Rectangle(box.left + 1, box.top + 1, box.right - 1, box.bottom - 1);
}
