// The crop dialog and the way from a picture to a leaf's photo.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "fotoklipdlg.h"

#include "canvas.h"
#include "dialogs.h"
#include "glyphs.h"
#include "page.h"
#include "slider.h"

#include <QDir>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

namespace {

// The zoom knob's picture, laid on the button colour so that its soft edges
// stay soft on the knob.
QImage zoomGlyph(const QPalette& palette)
{
    constexpr int side = 24;
    QImage glyph(side, side, QImage::Format_RGB32);
    glyph.fill(palette.color(QPalette::Button));
    QPainter p(&glyph);
    p.drawPixmap(0, 0, Glyph(QStringLiteral("zoom")).pixmap(QSize(side, side), 1.0));
    return glyph;
}

QLabel* signLabel(const QString& text, const QRect& r, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    QFont f;
    f.setFamilies({QStringLiteral("Arial Rounded MT Bold"), QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    f.setBold(true);
    f.setPixelSize(64);
    l->setFont(f);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, QColor(128, 128, 128));
    l->setPalette(pal);
    l->setAlignment(Qt::AlignCenter);
    l->setGeometry(r);
    return l;
}

} // namespace

TFotoKlipDlg::TFotoKlipDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Klip foto"));
    setFixedSize(570, 513);

    KlipPanel = new QFrame(this);
    KlipPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    KlipPanel->setGeometry(8, 8, 378, 498);
    KlipPaintBox = new PaintBox(KlipPanel, [this](QPaintEvent* e) { KlipPaintBoxPaint(e); });
    KlipPaintBox->setGeometry(1, 1, photo::CropFrame::kViewWidth, photo::CropFrame::kViewHeight);
    KlipPaintBox->setCursor(Qt::OpenHandCursor);
    KlipPaintBox->installEventFilter(this);
    LodScrollBar = new QScrollBar(Qt::Vertical, KlipPanel);
    LodScrollBar->setGeometry(361, 1, 16, 481);
    VanScrollBar = new QScrollBar(Qt::Horizontal, KlipPanel);
    VanScrollBar->setGeometry(1, 481, 361, 16);

    Bevel2 = new QFrame(this);
    Bevel2->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Bevel2->setGeometry(400, 8, 65, 497);
    ZoomSlide = new TVSlide(this);
    ZoomSlide->setGeometry(416, 64, 33, 385);
    ZoomSlide->SetMax(photo::CropFrame::kZoomMax);
    ZoomSlide->SetGlyph(zoomGlyph(palette()));
    ZoomSlide->installEventFilter(this);   // its wheel zooms too
    PlusLabel = signLabel(QStringLiteral("+"), QRect(405, -1, 55, 66), this);
    MinusLabel = signLabel(QStringLiteral("÷"), QRect(405, 441, 55, 66), this);

    KlipBitBtn = new SpeedButton(QStringLiteral("crop"), QStringLiteral("Klip billedet til"), this);
    KlipBitBtn->place(QRect(480, 8, 81, 81));
    CancelBitBtn = new SpeedButton(QStringLiteral("cancel"), QStringLiteral("Fortryd"), this);
    CancelBitBtn->place(QRect(480, 96, 81, 81));

    connect(VanScrollBar, &QScrollBar::valueChanged, this, &TFotoKlipDlg::VanScrollBarChange);
    connect(LodScrollBar, &QScrollBar::valueChanged, this, &TFotoKlipDlg::LodScrollBarChange);
    connect(ZoomSlide, &TSlide::OnSlideMove, this, &TFotoKlipDlg::ZoomSlideSlideMove);
    connect(KlipBitBtn, &QToolButton::clicked, this, &TFotoKlipDlg::KlipBitBtnClick);
    connect(CancelBitBtn, &QToolButton::clicked, this, [this] { done(2); });
}

void TFotoKlipDlg::Prepare(const QImage& source)
{
    // A picture that is too small was to be enlarged before; make sure of it,
    // so that the window always fits.
    source_ = source.width() >= kPhotoWidth && source.height() >= kPhotoHeight
                  ? source.convertToFormat(QImage::Format_RGB888)
                  : photo::Enlarge(source);
    foto_ = QImage();
    frame_ = photo::CropFrame(source_.size());
    work_ = QImage(photo::CropFrame::kViewWidth, photo::CropFrame::kViewHeight, QImage::Format_RGB32);
    work_.fill(Qt::white);
    dragging_ = false;
    wheelRest_ = 0;
    ZoomSlide->SetPosition(ZoomSlide->Min());
    syncScrollBars();
    KlipBitBtn->setEnabled(!source_.isNull());
    KlipPaintBox->update();
}

int TFotoKlipDlg::Run(const QImage& source)
{
    Prepare(source);
    return exec() == 1 ? 1 : 2;
}

void TFotoKlipDlg::syncScrollBars()
{
    syncing_ = true;
    const QRect w = frame_.Window();
    VanScrollBar->setRange(0, frame_.MaxX());
    VanScrollBar->setPageStep(w.width());
    VanScrollBar->setSingleStep(std::max(1, w.width() / 18));
    VanScrollBar->setValue(w.left());
    LodScrollBar->setRange(0, frame_.MaxY());
    LodScrollBar->setPageStep(w.height());
    LodScrollBar->setSingleStep(std::max(1, w.height() / 24));
    LodScrollBar->setValue(w.top());
    syncing_ = false;
}

void TFotoKlipDlg::KlipPaintBoxPaint(QPaintEvent*)
{
    QPainter out(KlipPaintBox);
    if (source_.isNull() || work_.isNull()) {
        out.fillRect(KlipPaintBox->rect(), Qt::white);
        return;
    }
    photo::RenderView(source_, frame_, work_);
    {
        // The guide lines on the photo's edges: it is [90, 270) x [120, 360)
        // of the view, so the lines lie just outside it, inverting whatever
        // they cross so that they show on any picture.
        Canvas c(&work_);
        c.SetPen(0x000000, 1, PenStyle::Solid);
        c.SetPenMode(PenMode::NotXor);
        const QRect v = photo::CropFrame::ViewWindow();
        c.Line(v.left() - 1, 0, v.left() - 1, photo::CropFrame::kViewHeight);
        c.Line(v.right() + 1, 0, v.right() + 1, photo::CropFrame::kViewHeight);
        c.Line(0, v.top() - 1, photo::CropFrame::kViewWidth, v.top() - 1);
        c.Line(0, v.bottom() + 1, photo::CropFrame::kViewWidth, v.bottom() + 1);
    }
    out.drawImage(0, 0, work_);
}

void TFotoKlipDlg::KlipPaintBoxMouseDown(QMouseEvent* e)
{
    last_ = e->position().toPoint();
    if (e->button() == Qt::LeftButton) {
        dragging_ = true;
        KlipPaintBox->setCursor(Qt::ClosedHandCursor);
    }
}

void TFotoKlipDlg::KlipPaintBoxMouseMove(QMouseEvent* e)
{
    if (!dragging_ || !(e->buttons() & Qt::LeftButton))
        return;
    const QPoint p = e->position().toPoint();
    frame_.DragBy(p.x() - last_.x(), p.y() - last_.y());
    last_ = p;
    syncScrollBars();
    KlipPaintBox->repaint();
}

void TFotoKlipDlg::KlipPaintBoxMouseUp(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton)
        return;
    dragging_ = false;
    KlipPaintBox->setCursor(Qt::OpenHandCursor);
}

void TFotoKlipDlg::VanScrollBarChange()
{
    if (syncing_)
        return;
    frame_.SetX(VanScrollBar->value());
    KlipPaintBox->repaint();
}

void TFotoKlipDlg::LodScrollBarChange()
{
    if (syncing_)
        return;
    frame_.SetY(LodScrollBar->value());
    KlipPaintBox->repaint();
}

void TFotoKlipDlg::ZoomSlideSlideMove()
{
    frame_.SetZoom(ZoomSlide->Position());
    syncScrollBars();
    KlipPaintBox->repaint();
}

void TFotoKlipDlg::KlipBitBtnClick()
{
    // Cut from the source itself, not from the coarse view on the screen.
    foto_ = photo::CropPhoto(source_, frame_.Window());
    if (!foto_.isNull())
        done(1);
}

void TFotoKlipDlg::FormClose()
{
    work_ = QImage();
    source_ = QImage();
    dragging_ = false;
}

void TFotoKlipDlg::done(int result)
{
    FormClose();
    QDialog::done(result == 1 ? 1 : 2);
}

bool TFotoKlipDlg::eventFilter(QObject* watched, QEvent* e)
{
    if ((watched == KlipPaintBox || watched == ZoomSlide) && e->type() == QEvent::Wheel) {
        wheelEvent(static_cast<QWheelEvent*>(e));
        return true;
    }
    if (watched == KlipPaintBox) {
        switch (e->type()) {
        case QEvent::MouseButtonPress:
            KlipPaintBoxMouseDown(static_cast<QMouseEvent*>(e));
            return true;
        case QEvent::MouseMove:
            KlipPaintBoxMouseMove(static_cast<QMouseEvent*>(e));
            return true;
        case QEvent::MouseButtonRelease:
            KlipPaintBoxMouseUp(static_cast<QMouseEvent*>(e));
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, e);
}

void TFotoKlipDlg::wheelEvent(QWheelEvent* e)
{
    // The wheel works the zoom slider: away from the user zooms in (towards
    // "+"), as the slider's top end does. Fine-grained wheels add up.
    wheelRest_ += e->angleDelta().y();
    const int notches = wheelRest_ / 120;
    wheelRest_ -= notches * 120;
    if (notches != 0) {
        const int p = std::clamp(ZoomSlide->Position() - notches * kWheelStep, ZoomSlide->Min(), ZoomSlide->Max());
        if (p != ZoomSlide->Position()) {
            ZoomSlide->SetPosition(p);
            ZoomSlideSlideMove();
        }
    }
    e->accept();
}

void TFotoKlipDlg::keyPressEvent(QKeyEvent* e)
{
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && KlipBitBtn->isEnabled()) {
        KlipBitBtnClick();
        return;
    }
    QDialog::keyPressEvent(e);
}

// ---- from a picture to a photo ------------------------------------------------------

photo::Picture QtPhotoService::Load(const QString& path)
{
    return photo::ReadPhoto(path);
}

std::optional<QImage> QtPhotoService::Crop(QWidget* parent, const QImage& source)
{
    TFotoKlipDlg dlg(parent);
    if (dlg.Run(source) == 1 && !dlg.Foto().isNull())
        return dlg.Foto();
    return std::nullopt;
}

QString ChoosePhotoFile(QWidget* parent, DialogService& dialogs)
{
    return dialogs.OpenFileName(parent, QStringLiteral("Åbn billede"), photo::OpenFilter(), QStringLiteral("JPG"));
}

namespace {

std::optional<Pixels24> fromPicture(QWidget* parent, const photo::Picture& picture, const QString& name,
                                    PhotoService& photos, DialogService& dialogs)
{
    QImage source;
    if (picture.ok())
        source = photo::Enlarge(picture.image);
    if (source.isNull()) {
        dialogs.Fejl(parent, photo::CannotOpenText(name));
        return std::nullopt;
    }
    const std::optional<QImage> cut = photos.Crop(parent, source);
    if (!cut || cut->size() != QSize(kPhotoWidth, kPhotoHeight))
        return std::nullopt;
    return photo::ToPixels24(*cut);
}

} // namespace

std::optional<Pixels24> PhotoFromFile(QWidget* parent, const QString& file, PhotoService& photos,
                                      DialogService& dialogs)
{
    return fromPicture(parent, photos.Load(file), QDir::toNativeSeparators(file), photos, dialogs);
}

std::optional<Pixels24> PhotoFromImage(QWidget* parent, const QImage& image, const QString& name,
                                       PhotoService& photos, DialogService& dialogs)
{
    return fromPicture(parent, photo::FromImage(image), name, photos, dialogs);
}
