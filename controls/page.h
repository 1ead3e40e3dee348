// The shared base of every page: embedding in the main window, scaling from
// the 640 x 450 design, the first-paint start of the drawing tables, the
// blue side columns and the flat picture buttons.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QToolButton>
#include <QWidget>

#include <functional>

class Canvas;
class PageHost;
class QPainter;

/// A flat picture button with a hint shown as its tooltip.
class SpeedButton : public QToolButton {
    Q_OBJECT
public:
    SpeedButton(const QString& glyph, const QString& hint, QWidget* parent);
    /// Places the button and sizes its picture to fill it.
    void place(const QRect& r);
};

/// A widget that paints through a handler: the page's "...PaintBoxPaint".
class PaintBox : public QWidget {
    Q_OBJECT
public:
    using Handler = std::function<void(QPaintEvent*)>;
    explicit PaintBox(QWidget* parent, Handler onPaint = {});
    void setHandler(Handler h) { onPaint_ = std::move(h); }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    Handler onPaint_;
};

/// A button column: blue at both edges, sky blue in the middle.
class SidePanel : public QWidget {
    Q_OBJECT
public:
    explicit SidePanel(QWidget* parent);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QImage cache_;   // the gradient for the current size
};

class Page : public QWidget {
    Q_OBJECT
public:
    static constexpr int kDesignWidth = 640;
    static constexpr int kDesignHeight = 450;
    static constexpr int kColumnWidth = 89;

    Page(PageHost& host, int number, QWidget* parent);

    PageHost& host() const { return host_; }
    int number() const { return number_; }

    // How a page lays itself out. The 640 x 450 design is fitted into the
    // page whole: scale() is min(height / 450, width / 640). On a page wider
    // than 640:450 the design box is as high as the page (the pages centre
    // their panels between the columns themselves); on a narrower, taller
    // page it is as wide as the page and sits in the middle from top to
    // bottom, BoxTop() pixels down. The side columns, the paint boxes and the
    // page background always fill the whole page.

    /// Design units to pixels.
    double scale() const;
    int S(double designUnits) const;
    /// A design rectangle scaled, not moved: for controls inside a panel
    /// that is itself placed in the design box.
    QRect D(double x, double y, double w, double h) const;
    /// Where the design box starts from the page's top (0 unless the page is
    /// taller than 640:450), and its height in pixels.
    int BoxTop() const;
    int BoxHeight() const;
    /// A design rectangle in page coordinates: D moved down into the design
    /// box. For everything placed on the page itself or in a side column
    /// (the columns start at the page's top).
    QRect B(double x, double y, double w, double h) const;

    /// The drawing tables and the shared page bitmap, made on the first paint
    /// of any page. False while they cannot be had (the archive is missing:
    /// the program then says so and ends).
    bool EnsureDrawing();
    /// Writes the open pupil when it changed; says so when that fails.
    bool SaveIfChanged();

    /// The size of the drawing area, the page bitmap's size: the page's width
    /// less its left column, and the design box's height. Row 0 of the page
    /// bitmap lies at BoxTop() in the page, column 0 at the left column's
    /// right edge.
    int DrawingWidth() const { return width() - S(kColumnWidth); }
    int DrawingHeight() const { return BoxHeight(); }
    /// Copies the page bitmap's columns 0 to \a w - 1 onto \a box, a paint box
    /// that spans the drawing area from the page's top to its bottom. Above
    /// and below the design box the bitmap's first and last rows are drawn
    /// out, so the background fills the whole page.
    void ShowPageBitmap(QPainter& screen, const QWidget* box, int w) const;

    /// For tests and the command line: forget that the archive failed.
    static void ResetArchiveFailure();

    /// Saves what this page has open before the program closes it or moves
    /// on (the pupil pages: SaveIfChanged; the class pages save the class).
    virtual bool SaveWork() { return SaveIfChanged(); }
    /// What "Udskriv..." and "Gem side som billede..." take of this page, in
    /// page coordinates. By default the page between its two side columns,
    /// from its top to its bottom; a page with a paint box gives that box's
    /// geometry.
    virtual QRect PrintArea() const;
    /// What the page's saved picture is named after: the open class's name
    /// or the open pupil's nickname, then \a suffix and the file type's
    /// extension ("Ida" + "_maal" + ".bmp").
    struct PictureName {
        enum Whose { None, Klasse, Elev };
        Whose whose = None;   ///< None: the page has no picture (the class setup)
        const char* suffix = "";
    };
    /// By default the program's name for the page's number (PictureNameOf).
    virtual PictureName PrintName() const { return PictureNameOf(number()); }
    /// The program's picture names, page by page (1 to 18).
    static PictureName PictureNameOf(int page);
    /// The class setup prints its pupil list as text instead of a picture.
    virtual bool PrintsItself() const { return false; }
    virtual void PrintItself() {}

protected:
    /// Places the page's controls for its current size.
    virtual void layoutPage() {}
    /// The page switch showed the page (the form's "FormShow") or hid it.
    /// A window minimised and restored calls neither.
    virtual void pageShown() {}
    virtual void pageHidden() {}

    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    PageHost& host_;
    int number_;
};
