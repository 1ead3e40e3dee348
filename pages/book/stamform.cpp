// The family tree page.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "stamform.h"

#include "chrome.h"
#include "dialogs.h"
#include "drawing.h"
#include "elev.h"
#include "pagehost.h"
#include "qansi.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

const char* const kMigSelv = "Mig selv";

QLabel* dataLabel(QWidget* parent)
{
    auto* l = new QLabel(parent);
    l->setAlignment(Qt::AlignCenter);
    l->setAutoFillBackground(true);
    QPalette pal = l->palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::WindowText, Qt::black);
    l->setPalette(pal);
    return l;
}

QRect toQRect(const IntRect& r)
{
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

bool contains(const IntRect& r, QPoint p)
{
    return p.x() >= r.left && p.x() < r.right && p.y() >= r.top && p.y() < r.bottom;
}

} // namespace

TStamForm::TStamForm(PageHost& host, QWidget* parent) : Page(host, 14, parent)
{
    Panel2 = new SidePanel(this);
    BackSpeed = new SpeedButton("back", QStringLiteral("Tilbage til elev-forsiden"), Panel2);
    RedigerSpeed = new SpeedButton("edit", QStringLiteral("Rediger den valgte person"), Panel2);
    RedigerSpeed->setEnabled(false);

    DataPanel = new QFrame(Panel2);
    DataPanel->setFrameStyle(QFrame::Box | QFrame::Plain);
    DataPanel->setLineWidth(1);
    DataPanel->setAutoFillBackground(true);
    QPalette white = DataPanel->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    DataPanel->setPalette(white);
    DataPaintBox = new PaintBox(DataPanel, [this](QPaintEvent*) { DataPaintBoxPaint(); });
    NavnePanel = dataLabel(DataPanel);
    ErMinPanel = dataLabel(DataPanel);
    DataPanel->hide();

    StamPaintBox = new PaintBox(this, [this](QPaintEvent* e) { StamPaintBoxPaint(e); });
    StamPaintBox->setMouseTracking(true);
    StamPaintBox->setFocusPolicy(Qt::ClickFocus);   // Esc while dragging
    StamPaintBox->installEventFilter(this);

    connect(BackSpeed, &QToolButton::clicked, this, &TStamForm::BackSpeedClick);
    connect(RedigerSpeed, &QToolButton::clicked, this, &TStamForm::RedigerSpeedClick);
}

tElev* TStamForm::Elev() const
{
    return host().AktivElev();
}

// ---- layout ----

void TStamForm::layoutPage()
{
    const int col = S(kColumnWidth);
    Panel2->setGeometry(0, 0, col, height());
    BackSpeed->place(B(8, 8, 73, 73));
    RedigerSpeed->place(B(8, 80, 73, 73));
    // The data panel keeps its distance to the bottom of the page.
    const QRect box = D(4, 308, 81, 138);
    const int gap = S(kDesignHeight) - S(446);
    DataPanel->setGeometry(box.left(), std::max(0, height() - gap - box.height()), box.width(), box.height());
    const int border = DataPanel->lineWidth() + S(5);
    const int inner = std::max(0, box.width() - 2 * border);
    const int line = S(15);
    ErMinPanel->setGeometry(border, box.height() - border - line, inner, line);
    NavnePanel->setGeometry(border, box.height() - border - 2 * line, inner, line);
    DataPaintBox->setGeometry(border, border, inner, std::max(0, box.height() - 2 * border - 2 * line));
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(std::max(7, S(11)));
    NavnePanel->setFont(f);
    ErMinPanel->setFont(f);

    // The tree keeps the design's shape, so that the bands keep their height
    // and every leaf its width: on a page taller than that it stands at the
    // bottom, on the ground, and its sky is drawn out above it (paintEvent).
    const QRect old = StamPaintBox->geometry();
    StamPaintBox->setGeometry(col, height() - DrawingHeight(), std::max(0, DrawingWidth()), DrawingHeight());
    if (StamPaintBox->geometry().size() != old.size()) {
        CancelDrag();
        backgroundValid_ = false;
        LayoutLeaves();
    }
}

void TStamForm::paintEvent(QPaintEvent* e)
{
    const QRect box = StamPaintBox->geometry();
    if (box.top() <= 0 && box.bottom() >= height() - 1) {
        Page::paintEvent(e);
        return;
    }
    QPainter p(this);
    if (!EnsureBackground()) {
        p.fillRect(rect(), ToQColor(0xF0CAA6));
        return;
    }
    // The tree's first row drawn out above it (and its last below, should it
    // ever not reach the bottom).
    const QImage& page = Drawing().PageBitmap;
    const int w = std::min(box.width(), page.width());
    const int h = std::min(box.height(), page.height());
    if (w <= 0 || h <= 0)
        return;
    if (box.top() > 0)
        p.drawImage(QRect(box.left(), 0, w, box.top()), page, QRect(0, 0, w, 1));
    const int below = box.top() + h;
    if (below < height())
        p.drawImage(QRect(box.left(), below, w, height() - below), page, QRect(0, h - 1, w, 1));
}

QRect TStamForm::PrintArea() const
{
    // The tree and the sky drawn out above it on a tall page.
    return QRect(S(kColumnWidth), 0, std::max(0, DrawingWidth()), height());
}

int TStamForm::KeepCentreOnPage(double cx) const
{
    const int W = TreeWidth();
    const int half = LeafHalfWidth(TreeHeight());
    if (!std::isfinite(cx) || W - half < half)
        return W / 2;
    return int(std::nearbyint(std::clamp(cx, double(half), double(W - half))));
}

void TStamForm::LayoutLeaves()
{
    tElev* e = Elev();
    const int W = TreeWidth(), H = TreeHeight();
    if (!e || W <= 0 || H <= 0)
        return;
    e->LayoutGrene(W, H);
    // A file may carry any row and place: the leaf is shown where it can be
    // seen and grabbed, and the record keeps what it had until the leaf is
    // moved.
    for (int i = 0; i < e->GrenCount(); ++i) {
        const IntRect r = e->GrenRect(i);
        const int row = ShownRow(e->GrenArt(i), e->GrenRaekke(i));
        e->SetGrenRect(i, LeafRectAt(W, H, row, KeepCentreOnPage((double(r.left) + r.right) / 2)));
    }
}

// ---- showing and leaving ----

void TStamForm::pageShown()
{
    RedigerSpeed->setEnabled(false);
    DeselectAll();
    if (tElev* e = Elev()) {
        // Shown, not yet changed: the leaves are written with the pupil's
        // first real change.
        if (e->FindGren(0) < 0)
            e->AddShownGren(0);
        if (e->FindGren(1) < 0)
            e->AddShownGren(1, e->FuldeNavn(), e->Kaldenavn(), kMigSelv);
    }
    LayoutLeaves();
    backgroundValid_ = false;
    StamPaintBox->update();
}

void TStamForm::pageHidden()
{
    CancelDrag();
    pressed_ = false;
    StamPaintBox->unsetCursor();
}

void TStamForm::BackSpeedClick()
{
    DeselectAll();
    SaveIfChanged();
    host().ShowPage(3);
}

void TStamForm::RedigerSpeedClick()
{
    if (valgt_ >= 0)
        host().ShowPage(15);
}

// ---- selection ----

void TStamForm::InvalidateLeaf(int i)
{
    if (tElev* e = Elev())
        StamPaintBox->update(toQRect(e->GrenRect(i)));
}

void TStamForm::DeselectAll()
{
    if (tElev* e = Elev()) {
        for (int i = 0; i < e->GrenCount(); ++i)
            if (e->GrenValgt(i)) {
                e->SetGrenValgt(i, false);
                InvalidateLeaf(i);
            }
    }
    valgt_ = -1;
    DataPanel->hide();
    RedigerSpeed->setEnabled(false);
}

void TStamForm::SelectGren(int i)
{
    tElev* e = Elev();
    if (!e || i < 0 || i >= e->GrenCount())
        return;
    DeselectAll();
    e->SetGrenValgt(i, true);
    InvalidateLeaf(i);
    valgt_ = i;
    // The fresh leaf can be selected, but it is nobody yet.
    if (ShownArt(e->GrenArt(i)) != 0) {
        NavnePanel->setText(ansi::ToQString(e->GrenTekstOf(i, GrenTekst::Bladnavn)));
        ErMinPanel->setText(ansi::ToQString(e->GrenTekstOf(i, GrenTekst::ErMin)));
        DataPanel->show();
        DataPaintBox->update();
        RedigerSpeed->setEnabled(true);
    }
}

int TStamForm::HitTest(QPoint p) const
{
    const tElev* e = host().AktivElev();
    if (!e)
        return -1;
    // Later leaves are drawn over earlier ones: the one on top takes the click.
    for (int i = e->GrenCount() - 1; i >= 0; --i)
        if (contains(e->GrenRect(i), p))
            return i;
    return -1;
}

// ---- painting ----

bool TStamForm::EnsureBackground()
{
    if (!EnsureDrawing())
        return false;
    QImage& page = Drawing().PageBitmap;
    // Every page draws its own background into the shared page bitmap; a
    // bitmap touched since this page drew is drawn again.
    if (!backgroundValid_ || page.cacheKey() != backgroundKey_) {
        tegner_.DrawBackground(page, TreeWidth(), TreeHeight());
        ++backgroundDraws_;
        backgroundKey_ = page.cacheKey();
        backgroundValid_ = true;
    }
    return true;
}

void TStamForm::StamPaintBoxPaint(QPaintEvent* ev)
{
    QPainter screen(StamPaintBox);
    if (!EnsureBackground()) {
        screen.fillRect(StamPaintBox->rect(), ToQColor(0xF0CAA6));
        return;
    }
    const QImage& page = Drawing().PageBitmap;
    const QRect r = ev->rect().intersected(page.rect());
    if (dragging_) {
        screen.drawImage(r.topLeft(), tree_, r);
        return;
    }
    // The widget paints into its own off-screen buffer: the tree is drawn
    // there straight from the page bitmap, and only what is to be shown (a
    // click repaints a leaf or two).
    if (const tElev* e = Elev())
        tegner_.DrawTree(screen, page, *e, -1, r);
    else
        screen.drawImage(r.topLeft(), page, r);
    if (r == page.rect())
        ++treeDraws_;
}

void TStamForm::DataPaintBoxPaint()
{
    {
        QPainter p(DataPaintBox);
        p.fillRect(DataPaintBox->rect(), Qt::white);
    }
    const tElev* e = Elev();
    if (!e || valgt_ < 0 || !EnsureDrawing())
        return;
    foto_.Paint(DataPaintBox, *e, valgt_);
}

// ---- the mouse ----

bool TStamForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != StamPaintBox)
        return Page::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        StamPaintBoxMouseDown(static_cast<QMouseEvent*>(event));
        return true;
    case QEvent::MouseMove:
        StamPaintBoxMouseMove(static_cast<QMouseEvent*>(event));
        return true;
    case QEvent::MouseButtonRelease:
        StamPaintBoxMouseUp(static_cast<QMouseEvent*>(event));
        return true;
    case QEvent::KeyPress:
        if (dragging_ && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            CancelDrag();
            return true;
        }
        break;
    default:
        break;
    }
    return Page::eventFilter(watched, event);
}

void TStamForm::StamPaintBoxMouseDown(QMouseEvent* ev)
{
    const QPoint p = ev->position().toPoint();
    if (dragging_)
        return;
    last_ = p;
    pressPoint_ = p;
    pressed_ = ev->button() == Qt::LeftButton;
    tElev* e = Elev();
    const int i = HitTest(p);
    if (i == -1)
        DeselectAll();
    else if (e && !e->GrenValgt(i))
        SelectGren(i);
}

void TStamForm::StamPaintBoxMouseMove(QMouseEvent* ev)
{
    const QPoint p = ev->position().toPoint();
    const bool left = ev->buttons() & Qt::LeftButton;
    if (dragging_) {
        // The release went elsewhere (a message box came up): the leaf goes back.
        if (!left)
            CancelDrag();
        else
            StamPaintBoxDragOver(p);
        return;
    }
    if (valgt_ >= 0 && pressed_ && left) {
        // Dragging starts once the mouse has moved the system's distance, so
        // a shaky click only selects.
        if ((p - pressPoint_).manhattanLength() >= QApplication::startDragDistance()) {
            BeginDrag();
            if (dragging_)
                StamPaintBoxDragOver(p);
        }
        return;
    }
    last_ = p;
    // The paint box's own cursor: the program's other pages keep theirs.
    if (HitTest(p) >= 0)
        StamPaintBox->setCursor(Qt::PointingHandCursor);
    else
        StamPaintBox->unsetCursor();
}

void TStamForm::StamPaintBoxMouseUp(QMouseEvent* ev)
{
    if (ev->button() != Qt::LeftButton)
        return;
    pressed_ = false;
    if (dragging_)
        StamPaintBoxEndDrag(ev->position().toPoint());
}

// ---- dragging ----

void TStamForm::BeginDrag()
{
    tElev* e = Elev();
    if (dragging_ || !e || valgt_ < 0 || valgt_ >= e->GrenCount() || !EnsureBackground())
        return;
    const QImage& page = Drawing().PageBitmap;
    // The tree without the dragged leaf: each step copies back only what the
    // leaf left and draws it where it went.
    snapshot_ = QImage(page.size(), QImage::Format_RGB32);
    if (tree_.size() != page.size() || tree_.format() != QImage::Format_RGB32)
        tree_ = QImage(page.size(), QImage::Format_RGB32);
    {
        QPainter p(&snapshot_);
        tegner_.DrawTree(p, page, *e, valgt_);
    }
    std::memcpy(tree_.bits(), snapshot_.constBits(), std::size_t(tree_.sizeInBytes()));
    dragStart_ = e->GrenRect(valgt_);
    {
        QPainter p(&tree_);
        tegner_.DrawLeaf(p, dragStart_, ShownArt(e->GrenArt(valgt_)) != 0, true,
                         ansi::ToQString(e->GrenTekstOf(valgt_, GrenTekst::Bladnavn)), TreeHeight());
    }
    dragging_ = true;
    StamPaintBox->setCursor(Qt::ClosedHandCursor);
}

void TStamForm::StamPaintBoxDragOver(QPoint p)
{
    tElev* e = Elev();
    if (!dragging_ || !e || valgt_ < 0)
        return;
    const int H = TreeHeight();
    const QPoint delta = p - pressPoint_;
    IntRect moved{dragStart_.left + delta.x(), dragStart_.top + delta.y(), dragStart_.right + delta.x(),
                  dragStart_.bottom + delta.y()};
    // The whole leaf stays on the page, however far the mouse goes: a leaf
    // dropped outside could never be clicked again.
    const int cx = (moved.left + moved.right) / 2;
    const int dx = KeepCentreOnPage(cx) - cx;
    int dy = 0;
    if (moved.top < 0)
        dy = -moved.top;
    else if (moved.bottom > H)
        dy = H - moved.bottom;
    moved = {moved.left + dx, moved.top + dy, moved.right + dx, moved.bottom + dy};

    const IntRect old = e->GrenRect(valgt_);
    e->SetGrenRect(valgt_, moved);
    last_ = p;
    const QRect changed = tegner_.MoveLeaf(tree_, snapshot_, old, moved, ShownArt(e->GrenArt(valgt_)) != 0,
                                           ansi::ToQString(e->GrenTekstOf(valgt_, GrenTekst::Bladnavn)), H);
    StamPaintBox->update(changed);
}

void TStamForm::CancelDrag()
{
    if (!dragging_)
        return;
    dragging_ = false;
    pressed_ = false;
    snapshot_ = QImage();
    tree_ = QImage();
    StamPaintBox->unsetCursor();
    LayoutLeaves();
    StamPaintBox->update();
}

bool TStamForm::MayDelete(int i)
{
    const tElev* e = Elev();
    bool anyText = false;
    for (GrenTekst t : {GrenTekst::FuldeNavn, GrenTekst::Bladnavn, GrenTekst::ErMin, GrenTekst::GiftMed,
                        GrenTekst::Afkom, GrenTekst::Notat})
        anyText = anyText || !e->GrenTekstOf(i, t).empty();
    if (!anyText && !e->GrenHarFoto(i))
        return true;
    const std::string& navn = e->GrenTekstOf(i, GrenTekst::Bladnavn);
    const QString text = navn.empty()
        ? QStringLiteral("Vil du slette denne person fra stamtræet?")
        : QStringLiteral("Vil du slette \"%1\" fra stamtræet?").arg(ansi::ToQString(navn));
    const int answer = host().Dialogs().Choose(this, text, QStringLiteral("Slet"), DialogService::Icon::Question,
                                               {QStringLiteral("Ja"), QStringLiteral("Nej")}, 1, 1);
    return answer == 0;
}

void TStamForm::StamPaintBoxEndDrag(QPoint p)
{
    dragging_ = false;
    snapshot_ = QImage();
    tree_ = QImage();
    StamPaintBox->setCursor(Qt::PointingHandCursor);
    tElev* e = Elev();
    const int s = valgt_;
    const int W = TreeWidth(), H = TreeHeight();
    if (e && s >= 0 && s < e->GrenCount() && W > 0) {
        const int art = ShownArt(e->GrenArt(s));
        const IntRect r = e->GrenRect(s);
        const double f = (double(r.left) + r.right) / (2.0 * W);
        const int row = StamBandAt(W, H, p.x(), p.y());
        if (row >= 0 && art != 0) {
            if (row < kStamStrip) {
                // A leaf of an unknown kind becomes a person once it is moved.
                if (e->GrenArt(s) > 2)
                    e->SetGrenArt(s, 2);
                e->SetGrenRaekke(s, std::uint8_t(row));
                e->SetGrenXpos(s, f);
            } else if (MayDelete(s)) {
                DeselectAll();
                e->DeleteGren(s);
            }
        } else if (row >= 0 && row < kStamStrip) {
            if (row != 0 || e->FindGren(1) >= 0) {
                e->SetGrenArt(s, 2);
                e->SetGrenRaekke(s, std::uint8_t(row));
                e->SetGrenXpos(s, f);
                (void)e->SetGrenTekst(s, GrenTekst::Bladnavn, {});
                (void)e->SetGrenTekst(s, GrenTekst::FuldeNavn, {});
                (void)e->SetGrenTekst(s, GrenTekst::ErMin, {});
            } else {
                e->SetGrenArt(s, 1);
                e->SetGrenRaekke(s, 0);
                e->SetGrenXpos(s, f);
                (void)e->SetGrenTekst(s, GrenTekst::Bladnavn, e->Kaldenavn());
                (void)e->SetGrenTekst(s, GrenTekst::FuldeNavn, e->FuldeNavn());
                (void)e->SetGrenTekst(s, GrenTekst::ErMin, kMigSelv);
            }
            SelectGren(s);
            // Several fresh leaves (from a file) wait their turn; a new one
            // comes only when none is left.
            if (e->FindGren(0) < 0)
                e->AddGren(0);
        }
    }
    LayoutLeaves();
    StamPaintBox->update();
    if (HitTest(p) < 0)
        StamPaintBox->unsetCursor();
}
