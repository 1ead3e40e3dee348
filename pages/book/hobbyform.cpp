// The pupil's hobby page.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "hobbyform.h"

#include "canvas.h"
#include "chrome.h"
#include "clickbox.h"
#include "drawing.h"
#include "elev.h"
#include "hobbyer.h"
#include "klasse.h"
#include "pagehost.h"
#include "portrait.h"
#include "qansi.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPaintEvent>

namespace {

const QColor kRed(0xFF, 0x00, 0x00);

QLabel* bar(QWidget* parent)
{
    auto* l = new QLabel(parent);
    l->setAlignment(Qt::AlignCenter);
    l->setStyleSheet(QStringLiteral("QLabel { background: #800000; color: white; }"));
    return l;
}

} // namespace

THobbyForm::THobbyForm(PageHost& host, QWidget* parent) : Page(host, 13, parent)
{
    Panel2 = new SidePanel(this);
    BackSpeed = new SpeedButton("back", QStringLiteral("Tilbage til elev-forsiden"), Panel2);
    HobbyPaintBox = new PaintBox(this, [this](QPaintEvent*) { HobbyPaintBoxPaint(); });
    ElevPanel = new QWidget(this);
    ElevPanel->setAutoFillBackground(true);
    QPalette pal = ElevPanel->palette();
    pal.setColor(QPalette::Window, kRed);
    ElevPanel->setPalette(pal);
    HobbyTopPanel = bar(ElevPanel);
    HobbyTopPanel->setText(QStringLiteral("Mine fritids-interesser"));
    HobbyBundPanel = bar(ElevPanel);
    // Opaque: every pixel of the box is painted by the page itself.
    ValgPaintBox = new ClickBox(ElevPanel, [this](QPaintEvent* e) { ValgPaintBoxPaint(e); });
    ValgPaintBox->setToolTip(QStringLiteral("Klik på et billede for at sætte eller fjerne dit kryds"));
    ValgPaintBox->setKeyHandler([this](QKeyEvent* e) { return ValgPaintBoxKey(e); });
    setFocusProxy(ValgPaintBox);

    connect(BackSpeed, &QToolButton::clicked, this, &THobbyForm::BackSpeedClick);
    connect(ValgPaintBox, &ClickBox::MouseDown, this, &THobbyForm::ValgPaintBoxMouseDown);
    connect(ValgPaintBox, &ClickBox::Click, this, &THobbyForm::ValgPaintBoxClick);
    connect(ValgPaintBox, &ClickBox::FocusFrameChanged, this, [this] {
        if (current_ < OfferedCount())
            ValgPaintBox->update(CellRect(current_));
    });
}

void THobbyForm::layoutPage()
{
    const int col = S(kColumnWidth);
    Panel2->setGeometry(0, 0, col, height());
    BackSpeed->place(B(8, 8, 73, 73));
    HobbyPaintBox->setGeometry(col, 0, std::max(0, width() - col), height());
    // The panel keeps its design size, centred in the drawing area however
    // wide the window is.
    const QRect panel = B(96, 12, 521, 429);
    ElevPanel->setGeometry(col + (HobbyPaintBox->width() - panel.width()) / 2, panel.top(), panel.width(),
                           panel.height());
    HobbyTopPanel->setGeometry(0, 0, panel.width(), S(21));
    HobbyBundPanel->setGeometry(0, panel.height() - S(21), panel.width(), S(21));
    ValgPaintBox->setGeometry(D(10, 64, 500, 300));
    QFont bold(QStringLiteral("Arial"));
    bold.setBold(true);
    bold.setPixelSize(std::max(6, S(13)));
    HobbyTopPanel->setFont(bold);
    HobbyBundPanel->setFont(bold);
    cellFont_ = QFont(QStringLiteral("Arial"));
    cellFont_.setPixelSize(std::max(6, S(13)));
}

QRect THobbyForm::PrintArea() const
{
    const int col = S(kColumnWidth);
    return QRect(col, 0, std::max(0, width() - col), height());
}

void THobbyForm::pageShown()
{
    const tElev* e = host().AktivElev();
    HobbyBundPanel->setText(e ? ansi::ToQString(e->Kaldenavn()) : QString());
    current_ = 0;
    ValgPaintBox->update();
    // The keys go to the grid; its frame waits until one is pressed.
    ValgPaintBox->setFocus();
}

int THobbyForm::collectOffered() const
{
    const tKlasse& k = host().AktivKlasse();
    int count = 0;
    for (int n = 1; n <= kHobbyAntal; ++n)
        if (k.HobbyTilbudt(n))
            offered_[std::size_t(count++)] = n;
    return count;
}

int THobbyForm::OfferedCount() const
{
    return collectOffered();
}

int THobbyForm::HobbyAt(int index) const
{
    const int count = collectOffered();
    return index >= 0 && index < count ? offered_[std::size_t(index)] : 0;
}

int THobbyForm::Rows() const
{
    // A class file may offer more than 15 (nothing limits it on reading):
    // more rows then, so that every offered hobby can be seen and ticked.
    return std::max(3, (OfferedCount() + 4) / 5);
}

QRect THobbyForm::CellRect(int index) const
{
    const int w = ValgPaintBox->width() / 5, h = ValgPaintBox->height() / Rows();
    const int col = index % 5, row = index / 5;
    return QRect(col * w, row * h, w, h);
}

int THobbyForm::TextHeight() const
{
    return QFontMetrics(cellFont_).height();
}

void THobbyForm::HobbyPaintBoxPaint()
{
    QPainter screen(HobbyPaintBox);
    if (!EnsureDrawing()) {
        screen.fillRect(HobbyPaintBox->rect(), QColor(0xA6, 0xCA, 0xF0));
        return;
    }
    QImage& page = Drawing().PageBitmap;
    {
        Canvas c(&page);
        DrawPageLayout(c, "hobby");
    }
    ShowPageBitmap(screen, HobbyPaintBox, HobbyPaintBox->width());
}

void THobbyForm::ValgPaintBoxPaint(QPaintEvent* ev)
{
    QPainter screen(ValgPaintBox);
    const QRect area = ev->rect();
    lastPaint_ = area;
    // Red wherever no hobby is drawn: the box paints all of itself.
    screen.fillRect(area, kRed);
    if (!EnsureDrawing())
        return;
    const int count = collectOffered();
    const bool frame = ValgPaintBox->ShowsFocusFrame();
    for (int i = 0; i < count; ++i) {
        const QRect cell = CellRect(i);
        if (!cell.intersects(area) || cell.isEmpty())
            continue;
        drawCell(i, cell, frame && i == current_);
        screen.drawImage(cell.topLeft(), cellImage_);
    }
}

void THobbyForm::drawCell(int index, const QRect& cell, bool focusFrame)
{
    if (cellImage_.size() != cell.size())
        cellImage_ = QImage(cell.size(), QImage::Format_RGB32);
    // Cleared first: an unticked hobby loses its check mark.
    cellImage_.fill(kRed);
    const int n = offered_[std::size_t(index)];
    const tElev* e = host().AktivElev();
    const bool chosen = e && e->HobbyValgt(n);
    const int w = cell.width(), h = cell.height(), t = TextHeight();
    Canvas c(&cellImage_);
    QPainter& p = c.painter();
    p.setFont(cellFont_);
    p.setPen(chosen ? QColor(Qt::white) : QColor(Qt::black));
    p.drawText(QRect(0, h - t, w, t), Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine,
               ansi::ToQString(HobbyNavn(n)));
    IntRect pic{t, t, w - t, h - t};
    if (pic.right > pic.left && pic.bottom > pic.top) {
        DrawHobbyPicture(c, n, pic);
        const IntRect check{pic.left + t, pic.top + t, pic.right - t, pic.bottom - t};
        if (chosen && check.right > check.left && check.bottom > check.top)
            DrawCheckMark(c, check);
    }
    if (focusFrame)
        ClickBox::DrawFocusFrame(p, QRect(0, 0, w, h), std::max(1, S(1)));
}

void THobbyForm::ValgPaintBoxMouseDown(QPoint p)
{
    mouseDown_ = p;
}

void THobbyForm::ValgPaintBoxClick()
{
    tElev* e = host().AktivElev();
    if (!e)
        return;
    const int count = collectOffered();
    const int t = TextHeight();
    for (int i = 0; i < count; ++i) {
        const QRect cell = CellRect(i);
        if (!cell.contains(mouseDown_))
            continue;
        setCurrent(i);
        // The picture toggles; the name band under it does not.
        if (cell.adjusted(t, t, -t, -t).contains(mouseDown_)) {
            e->ToggleHobby(offered_[std::size_t(i)]);
            ValgPaintBox->repaint(cell);
        }
    }
}

bool THobbyForm::ValgPaintBoxKey(QKeyEvent* ev)
{
    const int count = collectOffered();
    if (count == 0)
        return false;
    switch (ev->key()) {
    case Qt::Key_Left: setCurrent(std::max(0, current_ - 1)); return true;
    case Qt::Key_Right: setCurrent(std::min(count - 1, current_ + 1)); return true;
    case Qt::Key_Up:
        if (current_ >= 5)
            setCurrent(current_ - 5);
        return true;
    case Qt::Key_Down:
        if (current_ + 5 < count)
            setCurrent(current_ + 5);
        return true;
    case Qt::Key_Space:
        if (tElev* e = host().AktivElev(); e && current_ < count) {
            e->ToggleHobby(offered_[std::size_t(current_)]);
            ValgPaintBox->repaint(CellRect(current_));
        }
        return true;
    default: return false;
    }
}

void THobbyForm::setCurrent(int index)
{
    if (index == current_)
        return;
    const int old = current_;
    current_ = index;
    if (ValgPaintBox->ShowsFocusFrame()) {
        ValgPaintBox->update(CellRect(old));
        ValgPaintBox->update(CellRect(current_));
    }
}

void THobbyForm::BackSpeedClick()
{
    SaveIfChanged();
    host().ShowPage(3);
}
