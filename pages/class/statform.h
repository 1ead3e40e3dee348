// TStatForm, page 18: the class statistics. One subject at a time (hobbies,
// number of hobbies, birth month or one of the fourteen measurements) as a
// chart on squared paper: a column per value, a square per pupil, coloured
// by gender. The subject is chosen on a strip of seventeen picture buttons
// that unfolds under RedigerSpeed; a click on a square names the pupil.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "canvas.h"
#include "page.h"
#include "statdata.h"

#include <QFont>
#include <QImage>
#include <QLabel>
#include <QStaticText>

#include <array>

class QButtonGroup;
class QScrollArea;
class TBoard;
class TKlasseForm;

class TStatForm : public Page {
    Q_OBJECT
public:
    /// \a overview lends the page its portrait thumbnails ("Vis ansigter").
    TStatForm(PageHost& host, TKlasseForm* overview, QWidget* parent);

    /// How boys and girls are shown (the diagram type buttons).
    enum DiagramType { SameColour = 0, BothColours = 1, BoysOnly = 2, GirlsOnly = 3 };

    SidePanel* Panel2;
    SpeedButton* BackSpeed;
    SpeedButton* RedigerSpeed;
    SpeedButton* PD_forsk_Speed;
    SpeedButton* PD_ens_Speed;
    SpeedButton* D_kun_Speed;
    SpeedButton* P_kun_Speed;
    QButtonGroup* DiagramGroup;
    /// "Vis ansigter": the pupils' portraits in their squares.
    SpeedButton* AnsigtSpeed;
    PaintBox* StatPaintBox;
    PaintBox* PaintBox2;
    QWidget* KnapPanel;
    PaintBox* KnapPanelPaintBox;
    QScrollArea* KnapScrollBox;
    TBoard* KnapBoard;
    QLabel* PersonStatic;

    // ---- handlers ----
    void StatPaintBoxPaint();
    void KnapPanelPaintBoxPaint();
    void PaintBox2Paint();
    void RedigerSpeedClick();
    void KnapBoardPaint();
    void KnapBoardMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint at);
    void KnapBoardClick();
    void StatPaintBoxMouseDown(QPoint at);
    void StatPaintBoxClick();
    void DiagramtypeClick();
    void AnsigtSpeedClick();
    void BackSpeedClick();

    // ---- what the page shows, for tests and the command line ----
    /// The statistic shown, 0 (none) to 17.
    int Statistic() const { return statistic_; }
    bool Available(int n) const { return n >= 1 && n <= kStatCount && available_[std::size_t(n)]; }
    int DiagramType() const { return diagramType_; }
    /// The running number of the selected square among the drawn ones; -1 none.
    int SelectedSquare() const { return selected_; }
    const StatCollection& Collection() const { return collection_; }
    const StatGrid& Grid() const { return grid_; }
    bool ShowsFaces() const { return faces_; }
    /// The chart as last drawn, StatPaintBox's size.
    const QImage& Chart() const { return chart_; }

    /// Chooses statistic n as a click on its button does; false (and nothing
    /// changes) when it is not available or already shown.
    bool ChooseStatistic(int n);
    /// Presses the button of diagram type \a t (0..3).
    void ChooseDiagramType(int t);
    /// Clicks the middle of square \a k; false when there is no such square.
    bool SelectSquare(int k);
    /// Faces on or off without remembering the choice (the command line).
    void SetFaces(bool on);
    /// How many squares the chart draws for the current diagram type.
    int DrawnSquares() const;
    /// Square \a k in StatPaintBox coordinates (cell + 1 pixels a side);
    /// empty when there is none.
    QRect SquareRect(int k) const;
    /// The pupil (class position) in square \a k; -1 when none.
    int SquarePupil(int k) const;
    /// Draws the chart into Chart() at StatPaintBox's size.
    void DrawChart();

    /// Button n (1..17) on KnapBoard.
    QRect KnapRect(int n) const;
    /// How many buttons KnapBoard painted so far.
    long ButtonsDrawn() const { return buttonsDrawn_; }
    /// Pupil \a pupil's face for a square, \a size pixels a side: the
    /// overview's thumbnail, made smaller.
    const QImage& FaceOf(int pupil, int size);
    /// \a thumbnail made \a size x \a size: halved while it is twice as
    /// large, then resampled.
    static QImage ShrinkFace(const QImage& thumbnail, int size);
    /// Each pixel the mean of four.
    static QImage HalveImage(const QImage& image);
    /// Bilinear, for reductions to no less than half.
    static QImage ResampleFace(const QImage& image, int size);
    /// The board's tooltip for statistic n: what it counts.
    static QString StatName(int n);
    /// The text in the unit's place, "" for none.
    QString UnitText() const;

    QRect PrintArea() const override;

protected:
    void layoutPage() override;
    void pageShown() override;
    void pageHidden() override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    /// Calls \a f(number, pupil, square) for every drawn square in drawing
    /// order; stops when f returns true.
    template <class F>
    void forEachSquare(F f) const;
    void collect(int n);
    void clearSelection();
    void placeKnapBoard();
    void placePersonStatic();
    void drawSquare(Canvas& c, const QRect& sq, int pupil, bool selected);
    void drawLabels(Canvas& c);
    void drawUnitText(Canvas& c);

    TKlasseForm* overview_;
    int statistic_ = 0;
    std::array<bool, kStatCount + 1> available_{};
    int diagramType_ = SameColour;
    int selected_ = -1;
    QPoint mouseDown_;
    StatCollection collection_;
    StatGrid grid_;
    bool faces_ = false;

    static constexpr std::size_t kFaceSizesKept = 4;
    struct FaceCache {
        qint64 source = 0;           ///< the overview thumbnail it is made from
        std::vector<QImage> levels;  ///< that thumbnail and its halvings
        std::vector<QImage> sized;   ///< the face at the last squares' sizes
    };
    std::vector<FaceCache> faceCache_;   ///< by pupil
    QImage chart_;          ///< the chart, drawn off screen
    QImage work_;           ///< one board button at a time
    QImage knapPanelCache_; ///< the strip's gradient at its size
    QImage endPieceCache_;  ///< the round end piece at its size
    std::vector<QRgb> paperRow_;    ///< one row of the squared paper
    std::vector<QRgb> squareRows_;  ///< the kinds of rows of one square
    QRgb* chartBits_ = nullptr;     ///< Chart()'s pixels while it is drawn
    int chartStride_ = 0;
    // A text laid out for one font size.
    struct Label {
        QStaticText text;
        int px = 0;        ///< the size it was laid out for; 0 none
        int width = 0;     ///< the chart width it was fitted to (the unit)
        QPoint at;         ///< where it is drawn
        QFont font;
    };
    std::vector<Label> labels_;     ///< the columns' numbers
    Label unit_;
    QFont labelFont_;
    long buttonsDrawn_ = 0;
};
