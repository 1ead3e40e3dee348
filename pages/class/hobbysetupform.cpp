// The class's hobby offer.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "hobbysetupform.h"

#include "canvas.h"
#include "chrome.h"
#include "clickbox.h"
#include "drawing.h"
#include "gemklasse.h"
#include "hobbyer.h"
#include "klasse.h"
#include "pagehost.h"
#include "portrait.h"
#include "qansi.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QWheelEvent>
#include <QScrollBar>

namespace {

const QColor kSkyBlue(0xA6, 0xCA, 0xF0);
const QColor kYellow(0xFF, 0xFF, 0x00);

QLabel* bar(QWidget* parent, const char* colour)
{
    auto* l = new QLabel(parent);
    l->setAlignment(Qt::AlignCenter);
    l->setStyleSheet(QStringLiteral("QLabel { background: %1; color: white; }").arg(QLatin1String(colour)));
    return l;
}

} // namespace

THobbySetupForm::THobbySetupForm(PageHost& host, QWidget* parent) : Page(host, 12, parent)
{
    Panel2 = new SidePanel(this);
    BackSpeed = new SpeedButton("back", QStringLiteral("Tilbage til lærerdelen"), Panel2);
    HobbyPaintBox = new PaintBox(this, [this](QPaintEvent*) { HobbyPaintBoxPaint(); });
    ElevPanel = new QWidget(this);
    ElevPanel->setAutoFillBackground(true);
    QPalette pal = ElevPanel->palette();
    pal.setColor(QPalette::Window, kSkyBlue);
    ElevPanel->setPalette(pal);
    HobbyTopPanel = bar(ElevPanel, "#0000FF");
    HobbyTopPanel->setText(QStringLiteral("Undersøgelse af fritids-interesser"));
    StatusPanel = bar(ElevPanel, "#A6CAF0");
    StatusPanel->setText(QStringLiteral("0 af 15 valgt"));
    // The box shows the visible rows only and is scrolled by its bar: no
    // widget reaches beyond the page, however tall the grid.
    ValgScrollBox = new QWidget(ElevPanel);
    ValgPaintBox = new ClickBox(ValgScrollBox, [this](QPaintEvent* e) { ValgPaintBoxPaint(e); });
    ValgPaintBox->setToolTip(QStringLiteral("Klik for at vælge hobbyer til elev-delen"));
    ValgPaintBox->setKeyHandler([this](QKeyEvent* e) { return ValgPaintBoxKey(e); });
    ValgPaintBox->installEventFilter(this);
    ValgScrollBar = new QScrollBar(Qt::Vertical, ValgScrollBox);
    ValgScrollBar->setFocusPolicy(Qt::NoFocus);
    setFocusProxy(ValgPaintBox);
    connect(ValgScrollBar, &QScrollBar::valueChanged, this, &THobbySetupForm::scrollTo);

    connect(BackSpeed, &QToolButton::clicked, this, &THobbySetupForm::BackSpeedClick);
    connect(ValgPaintBox, &ClickBox::MouseDown, this, &THobbySetupForm::ValgPaintBoxMouseDown);
    connect(ValgPaintBox, &ClickBox::Click, this, &THobbySetupForm::ValgPaintBoxClick);
    connect(ValgPaintBox, &ClickBox::FocusFrameChanged, this,
            [this] { ValgPaintBox->update(CellOnScreen(current_)); });
}

void THobbySetupForm::layoutPage()
{
    const int col = S(kColumnWidth);
    Panel2->setGeometry(0, 0, col, height());
    BackSpeed->place(B(8, 8, 73, 73));
    HobbyPaintBox->setGeometry(col, 0, std::max(0, width() - col), height());
    // The panel keeps its design size, centred in the drawing area however
    // wide the window is.
    const QRect panel = B(101, 12, 512, 429);
    ElevPanel->setGeometry(col + (HobbyPaintBox->width() - panel.width()) / 2, panel.top(), panel.width(),
                           panel.height());
    HobbyTopPanel->setGeometry(0, 0, panel.width(), S(21));
    StatusPanel->setGeometry(0, panel.height() - S(21), panel.width(), S(21));
    ValgScrollBox->setGeometry(D(12, 32, 489, 373));
    QFont bold(QStringLiteral("Arial"));
    bold.setBold(true);
    bold.setPixelSize(std::max(6, S(13)));
    HobbyTopPanel->setFont(bold);
    StatusPanel->setFont(bold);
    cellFont_ = QFont(QStringLiteral("Arial"));
    cellFont_.setPixelSize(std::max(6, S(13)));
    sizeGrid();
}

void THobbySetupForm::sizeGrid()
{
    // Five square cells fill the box's width; all ten rows can be scrolled
    // into view.
    const int bar = ValgScrollBar->sizeHint().width();
    const int w = std::max(kColumns, ValgScrollBox->width() - bar), h = std::max(1, ValgScrollBox->height());
    ValgPaintBox->setGeometry(0, 0, w, h);
    ValgScrollBar->setGeometry(w, 0, bar, h);
    cell_ = w / kColumns;
    ValgScrollBar->setRange(0, std::max(0, kRows * cell_ - h));
    ValgScrollBar->setPageStep(h);
    ValgScrollBar->setSingleStep(std::max(1, cell_ / 4));
    shownTop_ = ValgScrollBar->value();
    ValgPaintBox->update();
}

int THobbySetupForm::ScrollTop() const
{
    return ValgScrollBar->value();
}

void THobbySetupForm::scrollTo(int top)
{
    // The pixels still shown move; only the rows coming into view are drawn.
    ValgPaintBox->scroll(0, shownTop_ - top);
    shownTop_ = top;
}

bool THobbySetupForm::eventFilter(QObject* watched, QEvent* e)
{
    // The wheel over the grid turns its scroll bar.
    if (watched == ValgPaintBox && e->type() == QEvent::Wheel) {
        QCoreApplication::sendEvent(ValgScrollBar, e);
        return true;
    }
    return Page::eventFilter(watched, e);
}

QRect THobbySetupForm::PrintArea() const
{
    const int col = S(kColumnWidth);
    return QRect(col, 0, std::max(0, width() - col), height());
}

void THobbySetupForm::pageShown()
{
    sizeGrid();
    ValgScrollBar->setValue(0);
    current_ = 1;
    UpdateStatus();
    ValgPaintBox->update();
    // The keys go to the grid; its frame waits until one is pressed.
    ValgPaintBox->setFocus();
}

QRect THobbySetupForm::CellRect(int n) const
{
    if (n < 1 || n > kHobbyAntal)
        return {};
    const int col = (n - 1) % kColumns, row = (n - 1) / kColumns;
    return QRect(col * cell_, row * cell_, cell_, cell_);
}

QRect THobbySetupForm::CellOnScreen(int n) const
{
    return CellRect(n).translated(0, -ScrollTop());
}

int THobbySetupForm::HobbyAtPoint(QPoint p) const
{
    for (int n = 1; n <= kHobbyAntal; ++n)
        if (CellRect(n).contains(p))
            return n;
    return 0;
}

int THobbySetupForm::TextHeight() const
{
    return QFontMetrics(cellFont_).height();
}

void THobbySetupForm::UpdateStatus()
{
    const int k = host().AktivKlasse().AntalTilbudt();
    StatusPanel->setText(QStringLiteral("%1 af 15 valgt").arg(k));
    // Red once no more can be added (a class file may even hold more).
    StatusPanel->setStyleSheet(QStringLiteral("QLabel { background: %1; color: white; }")
                                   .arg(k >= kMaxTilbudt ? QStringLiteral("#FF0000") : QStringLiteral("#A6CAF0")));
}

void THobbySetupForm::HobbyPaintBoxPaint()
{
    QPainter screen(HobbyPaintBox);
    if (!EnsureDrawing()) {
        screen.fillRect(HobbyPaintBox->rect(), kSkyBlue);
        return;
    }
    QImage& page = Drawing().PageBitmap;
    {
        Canvas c(&page);
        DrawPageLayout(c, "setup");
    }
    ShowPageBitmap(screen, HobbyPaintBox, HobbyPaintBox->width());
}

void THobbySetupForm::ValgPaintBoxPaint(QPaintEvent* ev)
{
    QPainter screen(ValgPaintBox);
    const QRect area = ev->rect();
    lastPaint_ = area;
    screen.fillRect(area, kSkyBlue);
    if (!EnsureDrawing())
        return;
    const bool frame = ValgPaintBox->ShowsFocusFrame();
    for (int n = 1; n <= kHobbyAntal; ++n) {
        const QRect cell = CellOnScreen(n);
        if (!cell.intersects(area) || cell.isEmpty())
            continue;
        drawCell(n, cell, frame && n == current_);
        screen.drawImage(cell.topLeft(), cellImage_);
    }
}

void THobbySetupForm::drawCell(int n, const QRect& cell, bool focusFrame)
{
    if (cellImage_.size() != cell.size())
        cellImage_ = QImage(cell.size(), QImage::Format_RGB32);
    const bool offered = host().AktivKlasse().HobbyTilbudt(n);
    cellImage_.fill(offered ? kYellow : kSkyBlue);
    const int c = cell.width(), t = TextHeight();
    Canvas canvas(&cellImage_);
    QPainter& p = canvas.painter();
    p.setFont(cellFont_);
    p.setPen(Qt::black);
    p.drawText(QRect(0, c - t, c, t), Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine,
               ansi::ToQString(HobbyNavn(n)));
    const IntRect pic{t, t, c - t, c - t};
    if (pic.right > pic.left && pic.bottom > pic.top) {
        DrawHobbyPicture(canvas, n, pic);
        const IntRect check{pic.left + t, pic.top + t, pic.right - t, pic.bottom - t};
        if (offered && check.right > check.left && check.bottom > check.top)
            DrawCheckMark(canvas, check);
    }
    if (focusFrame)
        ClickBox::DrawFocusFrame(p, QRect(0, 0, c, c), std::max(1, S(1)));
}

void THobbySetupForm::ValgPaintBoxMouseDown(QPoint p)
{
    mouseDown_ = p + QPoint(0, ScrollTop());
}

void THobbySetupForm::ValgPaintBoxClick()
{
    const int n = HobbyAtPoint(mouseDown_);
    if (n == 0)
        return;
    setCurrent(n, false);
    toggle(n);
}

void THobbySetupForm::toggle(int n)
{
    tKlasse& k = host().AktivKlasse();
    if (!k.HobbyTilbudt(n) && k.AntalTilbudt() >= kMaxTilbudt) {
        ++beeps_;
        QApplication::beep();
        return;
    }
    k.ToggleTilbudt(n);
    ValgPaintBox->update(CellOnScreen(n));
    UpdateStatus();
}

bool THobbySetupForm::ValgPaintBoxKey(QKeyEvent* ev)
{
    switch (ev->key()) {
    case Qt::Key_Left: setCurrent(std::max(1, current_ - 1), true); return true;
    case Qt::Key_Right: setCurrent(std::min(kHobbyAntal, current_ + 1), true); return true;
    case Qt::Key_Up:
        if (current_ > kColumns)
            setCurrent(current_ - kColumns, true);
        return true;
    case Qt::Key_Down:
        if (current_ + kColumns <= kHobbyAntal)
            setCurrent(current_ + kColumns, true);
        return true;
    case Qt::Key_Space:
        setCurrent(current_, true);
        toggle(current_);
        return true;
    default: return false;
    }
}

void THobbySetupForm::setCurrent(int n, bool scroll)
{
    // The keys bring their cell into view; a click leaves the view alone.
    if (scroll) {
        const QRect cell = CellRect(n);
        const int h = ValgPaintBox->height();
        if (cell.top() < ScrollTop())
            ValgScrollBar->setValue(cell.top());
        else if (cell.bottom() + 1 > ScrollTop() + h)
            ValgScrollBar->setValue(cell.bottom() + 1 - h);
    }
    if (n == current_)
        return;
    const int old = current_;
    current_ = n;
    if (ValgPaintBox->ShowsFocusFrame()) {
        ValgPaintBox->update(CellOnScreen(old));
        ValgPaintBox->update(CellOnScreen(n));
    }
}

bool THobbySetupForm::SaveWork()
{
    return !host().AktivKlasse().Aendret() || GemKlasse(host(), this) == KlasseGemt::Gemt;
}

void THobbySetupForm::BackSpeedClick()
{
    if (host().AktivKlasse().Aendret())
        GemKlasse(host(), this);
    host().ShowPage(2);
}
