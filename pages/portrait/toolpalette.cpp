// The tool palettes.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolpalette.h"

#include "canvas.h"
#include "chrome.h"
#include "drawing.h"
#include "featureforms.h"
#include "page.h"
#include "portrait.h"
#include "slider.h"

#include <QCloseEvent>
#include <QFrame>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWindow>

#include <algorithm>

#include <cmath>

namespace {

const QColor kGlyphColour(0, 0, 128);

// An arrow from (x0, y) to (x1, y), head at x1, as a path.
void Arrow(QPainterPath& path, double x0, double x1, double y, double thick)
{
    const double dir = x1 > x0 ? 1 : -1;
    const double head = std::min(std::abs(x1 - x0) * 0.55, thick * 2.2);
    const double neck = x1 - dir * head;
    QPolygonF poly;
    poly << QPointF(x0, y - thick / 2) << QPointF(neck, y - thick / 2) << QPointF(neck, y - thick * 1.3)
         << QPointF(x1, y) << QPointF(neck, y + thick * 1.3) << QPointF(neck, y + thick / 2)
         << QPointF(x0, y + thick / 2);
    path.addPolygon(poly);
    path.closeSubpath();
}

QPixmap GlyphPixmap(PaletteGlyph glyph, QSize size)
{
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing, true);
    const double w = size.width(), h = size.height();
    const double t = std::max(2.0, std::min(w, h) / 5.0);
    QPainterPath path;
    switch (glyph) {
    case PaletteGlyph::Up:
    case PaletteGlyph::Down: {
        // Drawn sideways, then turned upright.
        QTransform turn;
        turn.translate(w / 2, h / 2);
        turn.rotate(glyph == PaletteGlyph::Up ? -90 : 90);
        turn.translate(-h / 2, -w / 2);
        QPainterPath a;
        Arrow(a, h * 0.1, h * 0.9, w / 2, std::max(2.0, w / 4.5));
        path = turn.map(a);
        break;
    }
    case PaletteGlyph::Apart:
        Arrow(path, w * 0.46, w * 0.04, h / 2, t);
        Arrow(path, w * 0.54, w * 0.96, h / 2, t);
        break;
    case PaletteGlyph::Together:
        Arrow(path, w * 0.02, w * 0.44, h / 2, t);
        Arrow(path, w * 0.98, w * 0.56, h / 2, t);
        break;
    case PaletteGlyph::Plain:
    case PaletteGlyph::Mirrored: {
        // A flag on its pole: the mirrored one points the other way.
        const bool left = glyph == PaletteGlyph::Mirrored;
        const double pole = left ? w * 0.62 : w * 0.38;
        const double tip = left ? w * 0.18 : w * 0.82;
        p.fillRect(QRectF(pole - t / 4, h * 0.08, t / 2, h * 0.84), kGlyphColour);
        QPolygonF flag;
        flag << QPointF(pole, h * 0.1) << QPointF(tip, h * 0.32) << QPointF(pole, h * 0.54);
        path.addPolygon(flag);
        path.closeSubpath();
        break;
    }
    case PaletteGlyph::Reset: {
        // A target: the part's home place.
        const double r = std::min(w, h) * 0.42;
        const QPointF c(w / 2, h / 2);
        p.setPen(QPen(kGlyphColour, std::max(1.5, r / 5)));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, r, r);
        p.drawLine(QPointF(c.x() - r * 1.6, c.y()), QPointF(c.x() + r * 1.6, c.y()));
        p.drawLine(QPointF(c.x(), c.y() - r * 1.2), QPointF(c.x(), c.y() + r * 1.2));
        p.setPen(Qt::NoPen);
        p.setBrush(kGlyphColour);
        p.drawEllipse(c, r / 3, r / 3);
        return pm;
    }
    }
    p.setPen(Qt::NoPen);
    p.fillPath(path, kGlyphColour);
    return pm;
}

} // namespace

// ---- PaletteButton ----

PaletteButton::PaletteButton(PaletteGlyph glyph, const QString& hint, QWidget* parent)
    : QToolButton(parent), glyph_(glyph)
{
    if (!hint.isEmpty())
        setToolTip(hint);
    // A click on a palette leaves the keyboard with the page's list.
    setFocusPolicy(Qt::NoFocus);
}

void PaletteButton::resizeEvent(QResizeEvent* e)
{
    QToolButton::resizeEvent(e);
    const QSize inner(std::max(4, width() - 12), std::max(4, height() - 12));
    setIcon(QIcon(GlyphPixmap(glyph_, inner)));
    setIconSize(inner);
}

// ---- ClickImage ----

ClickImage::ClickImage(QWidget* parent) : QWidget(parent)
{
    setCursor(Qt::PointingHandCursor);
}

void ClickImage::paintEvent(QPaintEvent*)
{
    if (picture_.size() != size())
        picture_ = GlyphPixmap(PaletteGlyph::Reset, size());
    QPainter p(this);
    p.drawPixmap(pressed_ ? 1 : 0, pressed_ ? 1 : 0, picture_);
}

void ClickImage::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton) {
        pressed_ = true;
        update();
    }
}

void ClickImage::mouseReleaseEvent(QMouseEvent* e)
{
    if (!pressed_)
        return;
    pressed_ = false;
    update();
    if (rect().contains(e->position().toPoint()))
        emit clicked();
}

// ---- placing a palette ----

PaletteSpot ChoosePaletteSpot(const std::function<QSize(double)>& sizeAt, double preferred, double minimum,
                              const std::vector<PaletteArea>& areas, int margin)
{
    auto placeIn = [&](const PaletteArea& a, QSize size) {
        const QRect r = a.rect.adjusted(margin, margin, -margin, -margin);
        const int x = a.align & Qt::AlignRight ? r.right() + 1 - size.width()
                      : a.align & Qt::AlignHCenter ? r.left() + (r.width() - size.width()) / 2
                                                  : r.left();
        const int y = a.align & Qt::AlignBottom ? r.bottom() + 1 - size.height()
                      : a.align & Qt::AlignVCenter ? r.top() + (r.height() - size.height()) / 2
                                                  : r.top();
        return QRect(QPoint(x, y), size);
    };
    auto fits = [&](const PaletteArea& a, QSize size) {
        return size.width() + 2 * margin <= a.rect.width() && size.height() + 2 * margin <= a.rect.height();
    };
    minimum = std::min(minimum, preferred);
    PaletteSpot best;
    bool found = false;
    for (const PaletteArea& a : areas) {
        // The largest scale, in steps of 1/50, at which the palette fits.
        for (double k = preferred; k >= minimum - 1e-9; k -= 0.02) {
            const QSize size = sizeAt(k);
            if (!fits(a, size))
                continue;
            if (!found || k > best.scale + 1e-9) {
                best = {placeIn(a, size), k};
                found = true;
            }
            break;
        }
    }
    if (!found && !areas.empty())
        best = {placeIn(areas.front(), sizeAt(minimum)), minimum};
    return best;
}

// ---- TToolPalette ----

namespace {

constexpr int kBorder = 1;

} // namespace

TToolPalette::TToolPalette(Page& page, const QString& caption, QSize design)
    : QWidget(page.window(), Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus), page_(page),
      design_(design)
{
    // The window manager gives a palette buttons to minimise, maximise and
    // close it, which take its tools away from the page; so it draws its own
    // caption, which only moves it.
    setWindowTitle(caption);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    client_ = new QWidget(this);
    client_->setAutoFillBackground(true);
    page.window()->installEventFilter(this);
}

int TToolPalette::captionHeightAt(double k)
{
    return std::clamp(int(std::lround(11 * k)), 11, 16) + 8;
}

QSize TToolPalette::OuterSizeAt(double k) const
{
    return QSize(int(std::lround(design_.width() * k)) + 2 * kBorder,
                 int(std::lround(design_.height() * k)) + captionHeightAt(k) + 2 * kBorder);
}

int TToolPalette::S(double v) const
{
    return int(std::lround(v * scale_));
}

QRect TToolPalette::D(double x, double y, double w, double h) const
{
    const int l = S(x), t = S(y);
    return QRect(l, t, S(x + w) - l, S(y + h) - t);
}

void TToolPalette::applyScale(double k)
{
    scale_ = k > 0 ? k : 1.0;
    const QSize outer = OuterSizeAt(scale_);
    if (outer != size() || minimumSize() != outer)
        setFixedSize(outer);
    client_->setGeometry(kBorder, kBorder + captionHeightAt(scale_), S(design_.width()), S(design_.height()));
    layoutPalette();
}

void TToolPalette::ShowBesidePage(const std::vector<PaletteArea>& areas)
{
    // The palette grows with the page, but less: a floating window as large
    // as the page's own controls would crowd the face on a big screen. Where
    // the room beside the face is small it shrinks rather than cover it.
    const double s = page_.scale();
    const double preferred = s > 0 ? std::min(s, 1.6) : 1.0;
    if (!userMoved_) {
        const PaletteSpot spot = ChoosePaletteSpot([this](double k) { return OuterSizeAt(k); }, preferred, 0.5,
                                                   areas, page_.S(8));
        applyScale(spot.scale);
        move(page_.mapToGlobal(spot.rect.topLeft()));
    } else {
        applyScale(scale_);
    }
    // A window shown while the main window is minimised would be shown
    // minimised, and the window manager takes the main window down with it:
    // the palette waits for the window to come back.
    if (page_.window()->isMinimized()) {
        hiddenWithWindow_ = true;
        return;
    }
    if (isVisible())
        raise();
    else
        showNow();
}

void TToolPalette::showNow()
{
    // The window manager minimises the palette with the main window. Shown
    // again as minimised, it would be mapped iconic, and the window manager
    // would take the main window down with it at once.
    if (windowState() & Qt::WindowMinimized)
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
}

bool TToolPalette::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == page_.window() && e->type() == QEvent::WindowStateChange) {
        if (page_.window()->isMinimized()) {
            if (isVisible()) {
                hiddenWithWindow_ = true;
                hide();
            }
        } else if (hiddenWithWindow_) {
            hiddenWithWindow_ = false;
            // After the window manager has put the window back.
            QTimer::singleShot(0, this, [this] {
                if (page_.isVisible() && !page_.window()->isMinimized())
                    showNow();
            });
        }
    }
    return QWidget::eventFilter(watched, e);
}

void TToolPalette::changeEvent(QEvent* e)
{
    QWidget::changeEvent(e);
    // A window system that activates every window it shows gets the main
    // window back: the keys belong to the page.
    if (e->type() == QEvent::ActivationChange && isActiveWindow())
        QTimer::singleShot(0, this, [this] {
            if (isActiveWindow() && page_.window()->isVisible())
                page_.window()->activateWindow();
        });
}

void TToolPalette::closeEvent(QCloseEvent* e)
{
    // The tools belong to the page: they go when the page goes.
    if (page_.isVisible() && page_.window()->isVisible())
        e->ignore();
    else
        QWidget::closeEvent(e);
}

void TToolPalette::paintEvent(QPaintEvent*)
{
    const int ch = CaptionHeight();
    const QSize strip(width() - 2 * kBorder, ch);
    if (caption_.size() != strip) {
        // A tool window's caption: dark blue into sky blue, the title in white.
        caption_ = QImage(strip, QImage::Format_RGB32);
        {
            Canvas c(&caption_);
            FillGradient(c, {0, 0, strip.width(), strip.height()}, 0x800000, false, 0xF0CAA6);
        }
        QPainter p(&caption_);
        QFont f(QStringLiteral("Arial"));
        f.setBold(true);
        f.setPixelSize(ch - 8);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(QRect(4, 0, strip.width() - 8, ch), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
                   windowTitle());
    }
    QPainter p(this);
    p.setPen(QColor(64, 64, 64));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.drawImage(kBorder, kBorder, caption_);
}

// Dragging by the caption moves the palette; the window manager moves it
// where it can, the palette itself where it cannot.
void TToolPalette::mousePressEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton || e->position().y() > kBorder + CaptionHeight())
        return;
    userMoved_ = true;
    if (windowHandle() && windowHandle()->startSystemMove())
        return;
    dragging_ = true;
    dragOffset_ = e->globalPosition().toPoint() - pos();
}

void TToolPalette::mouseMoveEvent(QMouseEvent* e)
{
    if (dragging_)
        move(e->globalPosition().toPoint() - dragOffset_);
}

void TToolPalette::mouseReleaseEvent(QMouseEvent*)
{
    dragging_ = false;
}

// ---- the repeat timer ----

QtRepeatTimer::QtRepeatTimer()
{
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        if (OnTimer)
            OnTimer();
    });
}

void QtRepeatTimer::SetInterval(int ms)
{
    timer_.setInterval(ms);   // a running QTimer starts over with it
}

void QtRepeatTimer::SetEnabled(bool on)
{
    if (on && !timer_.isActive())
        timer_.start();
    else if (!on)
        timer_.stop();
}

// ---- TFeatureToolForm ----

TFeatureToolForm::TFeatureToolForm(TFeatureForm& page, const FeatureToolDesign& design)
    : TToolPalette(page, QString::fromUtf8(design.caption), design.size), feature_(page), design_(design)
{
    auto hint = [](const char* h) { return h ? QString::fromUtf8(h) : QString(); };
    QWidget* client = Client();
    SpeedButton3 = new PaletteButton(PaletteGlyph::Up, hint(design.upHint), client);
    SpeedButton4 = new PaletteButton(PaletteGlyph::Down, hint(design.downHint), client);
    if (design.sideways) {
        SpeedButton1 = new PaletteButton(PaletteGlyph::Apart, hint(design.apartHint), client);
        SpeedButton2 = new PaletteButton(PaletteGlyph::Together, hint(design.togetherHint), client);
    }
    Image1 = new ClickImage(client);
    Bevel1 = new QFrame(client);
    Bevel1->setFrameStyle(QFrame::VLine | QFrame::Sunken);
    Image3 = new PaintBox(client, [this](QPaintEvent*) { PaintEnd(Image3, true); });
    Image2 = new PaintBox(client, [this](QPaintEvent*) { PaintEnd(Image2, false); });
    TVSlide* slide = new TVSlide(client);
    slide->setFocusPolicy(Qt::NoFocus);
    if (design.sideways) {
        VinkelSlide = slide;
        slide->SetMin(-10);
        slide->SetMax(10);
    } else {
        ZoomSlide = slide;
        slide->SetMin(-5);
        slide->SetMax(5);
    }
    slide->SetPosition(0);
    if (design.slideHint)
        slide->setToolTip(QString::fromUtf8(design.slideHint));
    SetButtonTimer(std::make_unique<QtRepeatTimer>());

    auto wire = [this](PaletteButton* b, int n) {
        if (!b)
            return;
        connect(b, &QAbstractButton::pressed, this, [this, n] { SpeedButtonMouseDown(n); });
        connect(b, &QAbstractButton::released, this, &TFeatureToolForm::SpeedButtonMouseUp);
        connect(b, &QAbstractButton::clicked, this, [this, n] { SpeedButtonClick(n); });
    };
    wire(SpeedButton1, 1);
    wire(SpeedButton2, 2);
    wire(SpeedButton3, 3);
    wire(SpeedButton4, 4);
    connect(slide, &TSlide::OnSlideMove, this, &TFeatureToolForm::SlideSlideMove);
    connect(Image1, &ClickImage::clicked, this, &TFeatureToolForm::Image1Click);
}

void TFeatureToolForm::SetButtonTimer(std::unique_ptr<RepeatTimer> timer)
{
    buttonTimer_ = std::move(timer);
    buttonTimer_->OnTimer = [this] { ButtonTimerTimer(); };
}

void TFeatureToolForm::layoutPalette()
{
    if (design_.sideways) {
        SpeedButton3->setGeometry(D(80, 8, 41, 57));
        SpeedButton1->setGeometry(D(8, 69, 57, 41));
        Image1->setGeometry(D(72, 77, 54, 27));
        SpeedButton2->setGeometry(D(136, 69, 57, 41));
        SpeedButton4->setGeometry(D(80, 114, 41, 57));
        Bevel1->setGeometry(D(203, 8, 9, 161));
        Image3->setGeometry(D(214, 8, 36, 36));
        Slide()->setGeometry(D(216, 45, 33, 89));
        Image2->setGeometry(D(214, 135, 36, 36));
    } else {
        SpeedButton3->setGeometry(D(16, 8, 41, 57));
        Image1->setGeometry(D(8, 77, 54, 27));
        SpeedButton4->setGeometry(D(16, 114, 41, 57));
        Bevel1->setGeometry(D(72, 8, 9, 161));
        Image3->setGeometry(D(83, 8, 36, 36));
        Slide()->setGeometry(D(85, 45, 33, 89));
        Image2->setGeometry(D(83, 135, 36, 36));
    }
}

void TFeatureToolForm::SetSlidePosition(int v)
{
    Slide()->SetPosition(v);
}

void TFeatureToolForm::SpeedButtonMouseDown(int button)
{
    buttonTimer_->SetInterval(500);
    buttonTimer_->SetEnabled(true);
    timerTag_ = button;
}

void TFeatureToolForm::SpeedButtonMouseUp()
{
    buttonTimer_->SetEnabled(false);
}

void TFeatureToolForm::ButtonTimerTimer()
{
    if (buttonTimer_->Interval() != 100)
        buttonTimer_->SetInterval(100);
    Move(timerTag_);
}

void TFeatureToolForm::SpeedButtonClick(int button)
{
    Move(button);
}

void TFeatureToolForm::Move(int button)
{
    switch (button) {
    case 1: feature_.MoveHorizontal(-1); break;
    case 2: feature_.MoveHorizontal(+1); break;
    case 3: feature_.MoveVertical(-1); break;
    case 4: feature_.MoveVertical(+1); break;
    default: break;
    }
}

void TFeatureToolForm::SlideSlideMove()
{
    if (VinkelSlide)
        feature_.SetVinkel(VinkelSlide->Position());
    else
        feature_.SetZoom(ZoomSlide->Position());
}

void TFeatureToolForm::Image1Click()
{
    feature_.ResetPlacement();
}

void TFeatureToolForm::PaintEnd(PaintBox* box, bool minEnd)
{
    QPainter screen(box);
    QImage& pic = endPictures_[minEnd ? 0 : 1];
    const bool ready = !Drawing().PageBitmap.isNull();
    if (ready && pic.size() != box->size()) {
        pic = QImage(box->size(), QImage::Format_RGB32);
        pic.fill(palette().color(QPalette::Window));
        Canvas c(&pic);
        DrawEnd(c, box->size(), minEnd);
    }
    if (ready)
        screen.drawImage(0, 0, pic);
    else
        screen.fillRect(box->rect(), palette().color(QPalette::Window));
}

// The part as the slider's end makes it: turned fully one way or the other,
// or at its largest (Min) and smallest (Max) size.
void TFeatureToolForm::DrawEnd(Canvas& c, const QSize& size, bool minEnd) const
{
    constexpr Colour grey = 0x808080;
    const int w = size.width(), h = size.height();
    auto box = [&](double aspect, double fraction) {
        const int bw = std::max(2, int(std::lround(w * fraction)));
        const int bh = std::max(2, int(std::lround(bw / aspect)));
        return IntRect{(w - bw) / 2, (h - bh) / 2, (w - bw) / 2 + bw, (h - bh) / 2 + bh};
    };
    const int angle = minEnd ? -10 : 10;
    // The size factor at -5 is 1.4375, at 5 0.6875.
    const double fraction = minEnd ? 0.92 : 0.92 * 0.6875 / 1.4375;
    switch (design_.part) {
    case Del::Oejne:
        DrawEye(c, 1, angle, box(45.0 / 23.0, 0.7), grey, false);
        break;
    case Del::Bryn:
        DrawBrow(c, 1, angle, box(60.0 / 14.0, 0.8), grey, false);
        break;
    case Del::Mund:
        DrawMouth(c, 1, box(77.0 / 25.0, fraction), grey);
        break;
    case Del::Naese:
        DrawNose(c, 1, box(55.0 / 14.0, fraction));
        break;
    case Del::Briller:
        DrawGlasses(c, 1, box(196.0 / 75.0, fraction), grey);
        break;
    default:
        break;
    }
}

// ---- the five palettes ----

TEyeToolForm::TEyeToolForm(TFeatureForm& page)
    : TFeatureToolForm(page, {Del::Oejne, "Flyt og drej", QSize(259, 177), true, "Flyt øjnene opad",
                              "Flyt øjnene nedad", "Flyt øjnene fra hinanden", "Flyt øjnene mod hinanden",
                              "Gør øjnene større eller mindre"})
{
}

TBrowToolForm::TBrowToolForm(TFeatureForm& page)
    : TFeatureToolForm(page, {Del::Bryn, "Flyt og drej", QSize(259, 177), true, nullptr, nullptr, nullptr, nullptr,
                              nullptr})
{
}

TMouthToolForm::TMouthToolForm(TFeatureForm& page)
    : TFeatureToolForm(page, {Del::Mund, "Flyt og zoom", QSize(126, 177), false, "Flyt munden opad",
                              "Flyt munden nedad", nullptr, nullptr, "Gør munden større eller mindre"})
{
}

TNoseToolForm::TNoseToolForm(TFeatureForm& page)
    : TFeatureToolForm(page, {Del::Naese, "Flyt og zoom", QSize(126, 177), false, nullptr, nullptr, nullptr, nullptr,
                              nullptr})
{
}

TGlassToolForm::TGlassToolForm(TFeatureForm& page)
    : TFeatureToolForm(page, {Del::Briller, "Flyt og zoom", QSize(126, 177), false, nullptr, nullptr, nullptr,
                              nullptr, nullptr})
{
}
