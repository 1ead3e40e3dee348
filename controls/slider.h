// THSlide and TVSlide: the program's sliders, a sunken groove with a square
// knob that is dragged, stepped by clicks on the groove or moved with keys.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "elev.h"   // IntRect

#include <QImage>
#include <QWidget>

#include <array>

/// The shared body of THSlide and TVSlide; the two differ only in the axis.
/// Position stays within Min..Max; setters never fire a signal.
class TSlide : public QWidget {
    Q_OBJECT
public:
    enum class Axis { Horizontal, Vertical };
    /// Knob states: normal, disabled, being dragged.
    enum KnobState { Normal = 0, Disabled = 1, Dragged = 2 };

    int Min() const { return min_; }
    int Max() const { return max_; }
    int Position() const { return position_; }
    int Increment() const { return increment_; }
    /// The knob's length along the groove: the control's thickness while
    /// KnobAutoSize is on, else the stored size.
    int KnobSize() const;
    bool KnobAutoSize() const { return knobAutoSize_; }
    bool Stops() const { return stops_; }
    const QImage& Glyph() const { return glyph_; }
    int NumGlyphs() const { return numGlyphs_; }

    /// Ignored unless Min <= v <= Max.
    void SetPosition(int v);
    /// Ignored unless v > Min; pulls Position down to v.
    void SetMax(int v);
    /// Ignored unless v < Max; pulls Position up to v.
    void SetMin(int v);
    /// Ignored when 0 or larger than Max - Min.
    void SetIncrement(int v);
    /// Ignored unless 8 <= v <= the control's length; used only while
    /// KnobAutoSize is off.
    void SetKnobSize(int v);
    void SetKnobAutoSize(bool b);
    void SetStops(bool b);
    /// Ignored for 0; forgets the built knob pictures.
    void SetNumGlyphs(int n);
    /// A strip of 1 to 4 equal cells, one per knob state. A strip whose width
    /// is a whole multiple of its height sets NumGlyphs to that multiple (1
    /// when above 4). A null or empty picture is ignored.
    void SetGlyph(const QImage& glyph);

    /// Scales the control by M / D as a form scales its controls, the
    /// stored knob size with it.
    void ChangeScale(int M, int D);

    KnobState State() const { return state_; }
    /// The knob in control coordinates (right and bottom excluded).
    IntRect KnobRect() const { return knob_; }
    /// The distance the knob travels: the length less the knob.
    int TrackLen() const { return trackLen_; }
    /// The picture shown on the knob in \a state (built on first use);
    /// null without a glyph.
    const QImage& Cell(KnobState state);

    QSize sizeHint() const override;

signals:
    /// The position changed by a click, a key or a finished drag.
    void OnChange();
    /// The position changed while the user moves the knob (also after
    /// OnChange for a click or a key).
    void OnSlideMove();

protected:
    TSlide(Axis axis, QWidget* parent);

    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    int length() const;      // along the groove
    int thickness() const;   // across it
    int along(const QPoint& p) const;
    void UpdateKnob();
    void StepTo(int v);
    void Paint(QPainter& p);
    void BuildCell(KnobState state);
    bool transparentAt(int x, int y) const;

    Axis axis_;
    QImage glyph_;
    std::array<QImage, 3> cells_;
    std::array<bool, 3> built_{};
    bool knobAutoSize_ = true;
    int knobSize_ = 17;
    int trackLen_ = 0;
    int grabOffset_ = 0;
    IntRect knob_;
    bool stops_ = false;
    int numGlyphs_ = 1;
    int increment_ = 1;
    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
    int downPosition_ = 0;
    KnobState state_ = Normal;
    QPoint downPoint_;
    QPoint lastPoint_;
    QImage buffer_;   // the control is drawn here, then copied in one piece
};

/// Horizontal: Min at the left, Max at the right.
class THSlide : public TSlide {
    Q_OBJECT
public:
    explicit THSlide(QWidget* parent = nullptr);
};

/// Vertical: Min at the top, Max at the bottom.
class TVSlide : public TSlide {
    Q_OBJECT
public:
    explicit TVSlide(QWidget* parent = nullptr);
};
