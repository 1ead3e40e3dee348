// The small floating tool palettes beside the editor pages: a base that
// shows and places them, the picture buttons they use, and the move and
// turn/zoom palette of the five feature pages.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "elev.h"

#include <QImage>
#include <QPixmap>
#include <QTimer>
#include <QToolButton>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class Canvas;
class PaintBox;
class Page;
class TFeatureForm;
class TVSlide;
class QFrame;

/// The pictures the palettes' buttons show (drawn here, not from files).
enum class PaletteGlyph { Up, Down, Apart, Together, Plain, Mirrored, Reset };

/// A palette button with a drawn picture; checkable ones form groups.
class PaletteButton : public QToolButton {
    Q_OBJECT
public:
    PaletteButton(PaletteGlyph glyph, const QString& hint, QWidget* parent);
    PaletteGlyph GlyphKind() const { return glyph_; }

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    PaletteGlyph glyph_;
};

/// A picture that does something when clicked (Image1: back home).
class ClickImage : public QWidget {
    Q_OBJECT
public:
    explicit ClickImage(QWidget* parent);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    bool pressed_ = false;
    QPixmap picture_;
};

/// A free part of the page a palette may take, in page coordinates, and the
/// corner of it the palette keeps to.
struct PaletteArea {
    QRect rect;
    Qt::Alignment align;
};

/// Where a palette goes (in page coordinates) and at what scale.
struct PaletteSpot {
    QRect rect;
    double scale = 1.0;
};

/// The area where the palette can be largest, at a scale from \a minimum to
/// \a preferred, \a margin pixels from the area's edges; earlier areas win
/// ties. \a sizeAt gives the palette's outer size at a scale. When it fits
/// nowhere, the first area at the smallest scale.
PaletteSpot ChoosePaletteSpot(const std::function<QSize(double)>& sizeAt, double preferred, double minimum,
                              const std::vector<PaletteArea>& areas, int margin);

/// A small tool window that floats over the main window while its page is
/// shown: a caption to drag it by, no window buttons, and the controls in
/// its client. It never takes the keyboard: the page keeps it. It places
/// itself beside the face each time its page is shown, until the user moves
/// it; after that it stays where the user put it. While the main window is
/// minimised it is hidden, and it comes back with the window.
class TToolPalette : public QWidget {
    Q_OBJECT
public:
    /// \a design is the client size in design pixels.
    TToolPalette(Page& page, const QString& caption, QSize design);

    /// Sizes the palette, places it in the best of \a areas (page
    /// coordinates) unless the user has moved it, and shows it.
    void ShowBesidePage(const std::vector<PaletteArea>& areas);
    /// True once the user has dragged the palette somewhere.
    bool UserMoved() const { return userMoved_; }
    /// The palette's outer size at scale \a k: client, caption and border.
    QSize OuterSizeAt(double k) const;
    int CaptionHeight() const { return captionHeightAt(scale_); }
    /// The part under the caption that holds the controls.
    QWidget* Client() const { return client_; }
    /// Design units to pixels, at the palette's scale.
    double Scale() const { return scale_; }
    int S(double v) const;
    QRect D(double x, double y, double w, double h) const;

protected:
    virtual void layoutPalette() = 0;
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void changeEvent(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

    Page& page_;

private:
    static int captionHeightAt(double k);
    void showNow();
    void applyScale(double k);

    QWidget* client_;
    QSize design_;
    double scale_ = 1.0;
    bool userMoved_ = false;
    bool hiddenWithWindow_ = false;
    bool dragging_ = false;
    QPoint dragOffset_;
    QImage caption_;   // the caption strip, drawn once per size
};

/// The move buttons' repeat timer. The program uses a QTimer; tests put a
/// timer in its place that they drive by hand.
class RepeatTimer {
public:
    virtual ~RepeatTimer() = default;
    /// A running timer starts counting again with the new interval.
    virtual void SetInterval(int ms) = 0;
    virtual int Interval() const = 0;
    virtual void SetEnabled(bool on) = 0;
    virtual bool Enabled() const = 0;
    std::function<void()> OnTimer;
};

class QtRepeatTimer final : public RepeatTimer {
public:
    QtRepeatTimer();
    void SetInterval(int ms) override;
    int Interval() const override { return timer_.interval(); }
    void SetEnabled(bool on) override;
    bool Enabled() const override { return timer_.isActive(); }

private:
    QTimer timer_;
};

/// What differs between the five feature palettes.
struct FeatureToolDesign {
    Del part;
    const char* caption;
    QSize size;
    bool sideways;       ///< eyes and brows move sideways and turn
    const char* upHint;  ///< nullptr: no hints
    const char* downHint;
    const char* apartHint;
    const char* togetherHint;
    const char* slideHint;
};

/// "Flyt og drej" / "Flyt og zoom": move buttons with auto-repeat, the
/// angle or size slider, and Image1 to put the part back home.
class TFeatureToolForm : public TToolPalette {
    Q_OBJECT
public:
    TFeatureToolForm(TFeatureForm& page, const FeatureToolDesign& design);

    // Components. SpeedButton1 and 2 (sideways) exist on the eye and brow
    // palettes only; the slider is VinkelSlide there and ZoomSlide elsewhere.
    PaletteButton* SpeedButton1 = nullptr;
    PaletteButton* SpeedButton2 = nullptr;
    PaletteButton* SpeedButton3;
    PaletteButton* SpeedButton4;
    ClickImage* Image1;
    QFrame* Bevel1;
    PaintBox* Image3;   // beside the slider's Min end
    PaintBox* Image2;   // beside its Max end
    TVSlide* VinkelSlide = nullptr;
    TVSlide* ZoomSlide = nullptr;
    TVSlide* Slide() const { return VinkelSlide ? VinkelSlide : ZoomSlide; }
    RepeatTimer& ButtonTimer() { return *buttonTimer_; }
    /// Replaces the repeat timer (tests).
    void SetButtonTimer(std::unique_ptr<RepeatTimer> timer);

    /// The slider's Position, without firing its events.
    void SetSlidePosition(int v);

    /// Button 1 left (apart), 2 right (together), 3 up, 4 down.
    void SpeedButtonMouseDown(int button);
    void SpeedButtonMouseUp();
    void ButtonTimerTimer();
    void SpeedButtonClick(int button);
    void SlideSlideMove();
    void Image1Click();

protected:
    void layoutPalette() override;

private:
    void Move(int button);
    void PaintEnd(PaintBox* box, bool minEnd);
    void DrawEnd(Canvas& c, const QSize& size, bool minEnd) const;

    TFeatureForm& feature_;
    FeatureToolDesign design_;
    std::unique_ptr<RepeatTimer> buttonTimer_;
    int timerTag_ = 0;
    QImage endPictures_[2];   // the slider's two end pictures, drawn once
};

class TEyeToolForm final : public TFeatureToolForm {
    Q_OBJECT
public:
    explicit TEyeToolForm(TFeatureForm& page);
};

class TBrowToolForm final : public TFeatureToolForm {
    Q_OBJECT
public:
    explicit TBrowToolForm(TFeatureForm& page);
};

class TMouthToolForm final : public TFeatureToolForm {
    Q_OBJECT
public:
    explicit TMouthToolForm(TFeatureForm& page);
};

class TNoseToolForm final : public TFeatureToolForm {
    Q_OBJECT
public:
    explicit TNoseToolForm(TFeatureForm& page);
};

class TGlassToolForm final : public TFeatureToolForm {
    Q_OBJECT
public:
    explicit TGlassToolForm(TFeatureForm& page);
};
