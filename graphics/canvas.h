// A small GDI-like canvas over QPainter: one selected pen, brush, pen mode,
// font and clip in a state struct, and the shape calls the pages are written
// against (Windows box convention, alternate polygon filling, no smoothing).
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "elev.h"   // Colour, IntRect
#include "spanfill.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPoint>
#include <QRegion>

#include <vector>

enum class PenStyle { Solid, Dotted, Invisible, InsideFrame };
enum class BrushStyle { Solid, Clear, Pattern };
enum class PenMode { Copy, NotXor };

/// Flags of DrawText (bit values as Windows numbers them).
enum DrawTextFlag : unsigned {
    DT_LEFT = 0x0,
    DT_CENTER = 0x1,
    DT_RIGHT = 0x2,
    DT_VCENTER = 0x4,
    DT_BOTTOM = 0x8,
    DT_SINGLELINE = 0x20,
};

/// A colour 0x00BBGGRR as Qt wants it.
inline QColor ToQColor(Colour c) { return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)); }
inline QRgb ToQRgb(Colour c) { return qRgb(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)); }
inline Colour FromQRgb(QRgb c) { return Colour(qRed(c)) | Colour(qGreen(c)) << 8 | Colour(qBlue(c)) << 16; }

/// Everything a drawing call reads from the canvas. Cheap to copy; Save()
/// and Restore() keep a stack of them.
struct CanvasState {
    Colour penColour = 0x000000;
    int penWidth = 1;
    PenStyle penStyle = PenStyle::Solid;
    PenMode penMode = PenMode::Copy;

    BrushStyle brushStyle = BrushStyle::Solid;
    Colour brushColour = 0xFFFFFF;
    /// The 8 x 8 pattern of BrushStyle::Pattern. Repeats from the canvas
    /// origin. Owned elsewhere (the fill tiles live as long as the program).
    const QBrush* pattern = nullptr;

    QString fontName = QStringLiteral("Arial");
    int fontSize = 8;            ///< points
    unsigned fontStyle = 0;      ///< bit 0 bold, 1 italic, 2 underline, 3 strike-out
    Colour fontColour = 0x000000;

    bool clipped = false;
    QRegion clip;
    /// The clip in device pixels: its bounding box, and whether that box is
    /// all of it.
    QRect clipBox;
    bool clipIsBox = true;
    /// Shift of all drawing (SetOrigin).
    QPoint origin;
};

/// Draws on a QImage (pages, work bitmaps) or a widget. Coordinates are
/// device pixels; a box (left, top, right, bottom) excludes its right and
/// bottom edge, and an inverted box is drawn as if its sides were swapped.
///
/// On a 32-bit image in copy mode, with no clip or a box clip, the shapes are
/// filled and outlined here, span by span, without allocating; everything
/// else (widgets, not-xor, dotted pens, complex clips, text, bitmaps) goes
/// through QPainter. Both draw the same pixels.
class Canvas {
public:
    /// Paints on \a device until the canvas is destroyed. The device must
    /// outlive the canvas.
    explicit Canvas(QPaintDevice* device);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    QPainter& painter() { return painter_; }
    QPaintDevice* device() const { return device_; }
    int width() const;
    int height() const;

    // ---- state ----
    const CanvasState& state() const { return st_; }
    void Save();
    void Restore();
    /// Saves on construction, restores on destruction.
    class Saver {
    public:
        explicit Saver(Canvas& c) : c_(c) { c_.Save(); }
        ~Saver() { c_.Restore(); }
        Saver(const Saver&) = delete;
        Saver& operator=(const Saver&) = delete;
    private:
        Canvas& c_;
    };

    void SetPen(Colour colour, int width, PenStyle style);
    void SetPenColour(Colour colour);
    void SetPenWidth(int width);
    void SetPenStyle(PenStyle style);
    void SetPenMode(PenMode mode);
    void SetBrushColour(Colour colour);
    void SetBrushStyle(BrushStyle style);
    /// Solid colour brush.
    void SetSolidBrush(Colour colour);
    /// A repeating 8 x 8 pattern brush; \a pattern must stay alive while used.
    void SetPatternBrush(const QBrush* pattern);
    void SetFont(const QString& name, int pointSize, unsigned style = 0);
    void SetFontName(const QString& name);
    void SetFontSize(int pointSize);
    void SetFontColour(Colour colour);
    /// Clips to the box; an empty box clips everything away.
    void SetClipRect(const IntRect& box);
    void SetClipRegion(const QRegion& region);
    void ClearClip();
    /// Shifts all later drawing by (dx, dy).
    void SetOrigin(int dx, int dy);

    // ---- shapes ----
    void Rectangle(int left, int top, int right, int bottom);
    void Rectangle(const IntRect& r) { Rectangle(r.left, r.top, r.right, r.bottom); }
    /// Corner ellipse \a cw x \a ch.
    void RoundRect(int left, int top, int right, int bottom, int cw, int ch);
    void Ellipse(int left, int top, int right, int bottom);
    void Ellipse(const IntRect& r) { Ellipse(r.left, r.top, r.right, r.bottom); }
    /// Closed, alternate (even-odd) filling.
    void Polygon(const QPoint* points, int count);
    void Polyline(const QPoint* points, int count);
    /// From (x0, y0) to (x1, y1).
    void Line(int x0, int y0, int x1, int y1);

    // ---- text ----
    /// \a text is Windows-1252 bytes; (x, y) is the top left of the text.
    void TextOut(int x, int y, std::string_view text);
    void TextOut(int x, int y, const QString& text);
    /// Text in a box with DrawTextFlag alignment.
    void DrawText(const IntRect& box, const QString& text, unsigned flags);
    int TextWidth(const QString& text);
    int TextHeight(const QString& text);

    // ---- fills and bitmaps ----
    /// Fills the box with the brush, no outline.
    void FillRect(const IntRect& box);
    /// Copies the whole image to (x, y).
    void Draw(int x, int y, const QImage& image);
    /// Copies part of an image, unscaled.
    void CopyRect(const IntRect& dest, const QImage& image, const IntRect& src);
    /// Stretches the whole image into the box.
    void StretchDraw(const IntRect& dest, const QImage& image);

    // ---- gradients ----
    /// Until EndRamp(), FillRect and the shapes paint every pixel they cover
    /// (fill and a one-pixel outline) from \a colours, a ramp of \a length
    /// colours whose first one lies at \a start (x, or y when \a vertical);
    /// outside the ramp it repeats. False, and no ramp, when this canvas
    /// cannot paint spans itself; the caller then draws another way.
    bool BeginRamp(const QRgb* colours, int length, int start, bool vertical);
    void EndRamp();

private:
    /// How the shapes' brush and pen are painted by the span filler.
    struct SpanPaints {
        bool fill = false;
        spanfill::Paint fillPaint;
        enum class Pen { None, Thin, Wide, Painter } pen = Pen::None;
        spanfill::Paint penPaint;
        int penWidth = 0;
    };
    /// The target for the span filler; false when QPainter must draw.
    bool spanTarget(spanfill::Target& target) const;
    /// False when the brush or pen needs QPainter.
    bool spanPaints(SpanPaints& paints, bool closedShape);
    /// The brush as a span paint: false for a clear brush.
    bool brushPaint(spanfill::Paint& paint, bool& supported);
    /// QPainter draws only the outline of what the span filler filled.
    void painterOutlineOnly();

    void applyPen(bool forFrame);
    void applyBrush();
    void applyFont();
    const QFont& font();

    QPaintDevice* device_;
    QPainter painter_;
    CanvasState st_;
    std::vector<CanvasState> stack_;
    QPen pen_;
    QFont font_;
    bool fontDirty_ = true;

    // The image's pixels, when the span filler may paint them.
    std::uint32_t* bits_ = nullptr;
    std::ptrdiff_t stride_ = 0;
    QRect deviceRect_;
    QRgb tile_[64] = {};
    bool rampActive_ = false;
    spanfill::Paint ramp_;
};
