// The class statistics.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "statform.h"

#include "board.h"
#include "chrome.h"
#include "drawing.h"
#include "klasse.h"
#include "klasseform.h"
#include "pagehost.h"
#include "portrait.h"
#include "qansi.h"
#include "renderer.h"

#include <QButtonGroup>
#include <QMouseEvent>
#include <QPainter>
#include <QStaticText>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QWheelEvent>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

constexpr Colour kBlack = 0x000000;
constexpr Colour kWhite = 0xFFFFFF;
constexpr Colour kSkyBlue = 0xF0CAA6;    // RGB A6 CA F0
constexpr Colour kBlue = 0xFF0000;       // RGB 00 00 FF
constexpr Colour kNavy = 0x800000;       // RGB 00 00 80
constexpr Colour kGreen = 0x008000;      // RGB 00 80 00
constexpr Colour kMoneyGreen = 0xC0DCC0; // RGB C0 DC C0
constexpr Colour kRed = 0x0000FF;        // RGB FF 00 00
constexpr Colour kCream = 0xF0FBFF;      // RGB FF FB F0

const char* const kFacesKey = "statistik/visAnsigter";

// The square's fill and frame colours by diagram type, boy or girl.
struct SquareColours {
    Colour fill, frame;
};
SquareColours coloursFor(int type, bool boy)
{
    if (type == TStatForm::SameColour)
        return {kGreen, kMoneyGreen};
    return boy ? SquareColours{kBlue, kSkyBlue} : SquareColours{kRed, kCream};
}

bool isBoy(const tElev& e)
{
    // Everyone who is not "dreng" counts as a girl, an empty gender too.
    return e.Koen() == "dreng";
}

// The program's own settings, whatever names the running program was given.
QSettings settings()
{
    return QSettings(QStringLiteral("Tinkeli"), QStringLiteral("Tinkeli"));
}

// Makes the picture's background transparent: every pixel of the colour
// of its bottom-left corner (the first the picture covers there).
void keyOutBackground(QImage& image)
{
    const int h = image.height(), w = image.width();
    QRgb key = 0;
    bool found = false;
    for (int d = 0; d < std::min(w, h) && !found; ++d) {
        const QRgb px = image.pixel(d, h - 1 - d);
        if (qAlpha(px) == 255) {
            key = px;
            found = true;
        }
    }
    if (!found)
        return;
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x)
            if (line[x] == key)
                line[x] = 0;
    }
}

SpeedButton* toggle(const char* glyph, const QString& hint, QWidget* parent)
{
    auto* b = new SpeedButton(QString::fromLatin1(glyph), hint, parent);
    b->setCheckable(true);
    return b;
}

} // namespace

TStatForm::TStatForm(PageHost& host, TKlasseForm* overview, QWidget* parent) : Page(host, 18, parent), overview_(overview)
{
    StatPaintBox = new PaintBox(this, [this](QPaintEvent*) { StatPaintBoxPaint(); });
    StatPaintBox->installEventFilter(this);

    // The round end piece lies under the panel: only its right half shows.
    PaintBox2 = new PaintBox(this, [this](QPaintEvent*) { PaintBox2Paint(); });
    PaintBox2->setAttribute(Qt::WA_OpaquePaintEvent, false);
    PaintBox2->hide();

    KnapPanel = new QWidget(this);
    KnapPanel->hide();
    KnapPanelPaintBox = new PaintBox(KnapPanel, [this](QPaintEvent*) { KnapPanelPaintBoxPaint(); });
    KnapScrollBox = new QScrollArea(KnapPanel);
    KnapScrollBox->setFrameShape(QFrame::NoFrame);
    KnapScrollBox->setWidgetResizable(false);
    KnapScrollBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    KnapScrollBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette sky = KnapScrollBox->palette();
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button})
        sky.setColor(role, ToQColor(kSkyBlue));
    KnapScrollBox->setPalette(sky);
    KnapScrollBox->horizontalScrollBar()->setPalette(sky);
    KnapScrollBox->viewport()->setAutoFillBackground(true);
    KnapScrollBox->viewport()->installEventFilter(this);
    KnapBoard = new TBoard;
    KnapBoard->SetColor(ToQColor(kSkyBlue));
    KnapBoard->setCursor(Qt::PointingHandCursor);
    KnapBoard->OnPaint = [this] { KnapBoardPaint(); };
    KnapBoard->OnHint = [this](QPoint at, QRect* area) {
        for (int n = 1; n <= kStatCount; ++n)
            if (KnapRect(n).contains(at)) {
                *area = KnapRect(n);
                return StatName(n);
            }
        return QString();
    };
    KnapScrollBox->setWidget(KnapBoard);

    Panel2 = new SidePanel(this);
    BackSpeed = new SpeedButton("back", QString(), Panel2);
    RedigerSpeed = toggle("chart", QStringLiteral("Vælg statistik emne"), Panel2);
    PD_forsk_Speed = toggle("diagram-both", QStringLiteral("Piger og drenge med forskellig farve"), Panel2);
    PD_ens_Speed = toggle("diagram-same", QStringLiteral("Piger og drenge med samme farve"), Panel2);
    D_kun_Speed = toggle("diagram-boys", QStringLiteral("Vis kun drengene"), Panel2);
    P_kun_Speed = toggle("diagram-girls", QStringLiteral("Vis kun pigerne"), Panel2);
    DiagramGroup = new QButtonGroup(this);
    DiagramGroup->setExclusive(true);
    DiagramGroup->addButton(PD_ens_Speed, SameColour);
    DiagramGroup->addButton(PD_forsk_Speed, BothColours);
    DiagramGroup->addButton(D_kun_Speed, BoysOnly);
    DiagramGroup->addButton(P_kun_Speed, GirlsOnly);
    PD_ens_Speed->setChecked(true);

    AnsigtSpeed = toggle("faces", QStringLiteral("Vis ansigter"), this);

    PersonStatic = new QLabel(this);
    PersonStatic->setAlignment(Qt::AlignCenter);
    PersonStatic->setFrameStyle(QFrame::Box | QFrame::Plain);
    PersonStatic->setLineWidth(1);
    PersonStatic->setAutoFillBackground(true);
    QPalette cream = PersonStatic->palette();
    cream.setColor(QPalette::Window, ToQColor(kCream));
    cream.setColor(QPalette::WindowText, Qt::black);
    PersonStatic->setPalette(cream);
    PersonStatic->hide();

    // The chart's numbers are smoothed: they read better on the band's
    // gradient, and Qt draws smoothed glyphs faster than bitmap ones.
    labelFont_ = QFont(QStringLiteral("Arial"));

    connect(BackSpeed, &QToolButton::clicked, this, &TStatForm::BackSpeedClick);
    connect(RedigerSpeed, &QToolButton::clicked, this, &TStatForm::RedigerSpeedClick);
    connect(DiagramGroup, &QButtonGroup::idClicked, this, [this](int) { DiagramtypeClick(); });
    connect(AnsigtSpeed, &QToolButton::clicked, this, &TStatForm::AnsigtSpeedClick);
    connect(KnapBoard, &TBoard::OnMouseDown, this, &TStatForm::KnapBoardMouseDown);
    connect(KnapBoard, &TBoard::OnClick, this, &TStatForm::KnapBoardClick);
}

// ---- layout ----

void TStatForm::layoutPage()
{
    const int col = S(kColumnWidth);
    Panel2->setGeometry(0, 0, col, height());
    BackSpeed->place(B(8, 8, 73, 73));
    RedigerSpeed->place(B(8, 80, 73, 73));
    PD_forsk_Speed->place(B(8, 152, 73, 73));
    PD_ens_Speed->place(B(8, 224, 73, 73));
    D_kun_Speed->place(B(8, 296, 73, 73));
    P_kun_Speed->place(B(8, 368, 73, 73));
    StatPaintBox->setGeometry(col, 0, std::max(0, width() - col), height());
    // Above the chart's empty first column, clear of the subject strip.
    AnsigtSpeed->place(B(96, 8, 45, 45));

    // The strip reaches from the column to 79 design units short of the
    // right edge, as it is anchored there.
    const QRect design = B(88, 72, 473, 89);
    const int left = std::max(col, design.left());
    KnapPanel->setGeometry(left, design.top(), std::max(S(89), width() - S(79) - left), design.height());
    KnapPanelPaintBox->setGeometry(0, 0, KnapPanel->width(), KnapPanel->height());
    KnapScrollBox->setGeometry(0, S(8), std::max(1, KnapPanel->width() - S(8)), std::max(1, KnapPanel->height() - S(16)));
    placeKnapBoard();
    if (RedigerSpeed->isChecked())
        RedigerSpeedClick();

    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(std::max(8, S(11)));
    PersonStatic->setFont(f);

    const int w = StatPaintBox->width();
    if (StatMaal(statistic_) && !collection_.categories.empty()
        && RangeTooWide(collection_.smallest, collection_.largest, w)
               != RangeTooWide(collection_.smallest, collection_.largest, collection_.width))
        collect(statistic_);
    grid_ = statistic_ ? ComputeGrid(w, StatPaintBox->height(), std::int64_t(collection_.categories.size()),
                                     collection_.largestCount)
                       : StatGrid{};
    placePersonStatic();
}

void TStatForm::placeKnapBoard()
{
    // Seventeen square buttons as high as the board; the scroll bar takes
    // the rest of the box's height.
    const int bar = KnapScrollBox->horizontalScrollBar()->sizeHint().height();
    const int h = std::max(8, KnapScrollBox->height() - bar);
    KnapBoard->resize(h * kStatCount, h);
}

QRect TStatForm::PrintArea() const
{
    const int col = S(kColumnWidth);
    return QRect(col, 0, std::max(0, width() - col), height());
}

// ---- showing and hiding ----

void TStatForm::pageShown()
{
    PD_ens_Speed->setChecked(true);
    diagramType_ = SameColour;
    RedigerSpeed->setChecked(false);
    KnapPanel->hide();
    PaintBox2->hide();
    placeKnapBoard();
    const tKlasse& k = host().AktivKlasse();
    for (int n = 1; n <= kStatCount; ++n)
        available_[std::size_t(n)] = StatAvailable(k, n);
    statistic_ = 0;
    collection_ = StatCollection{};
    grid_ = StatGrid{};
    clearSelection();
    faces_ = settings().value(QLatin1String(kFacesKey), false).toBool();
    AnsigtSpeed->setChecked(faces_);
    KnapBoard->update();
    StatPaintBox->update();
}

void TStatForm::pageHidden()
{
    PersonStatic->hide();
}

// ---- painting ----

void TStatForm::StatPaintBoxPaint()
{
    QPainter screen(StatPaintBox);
    if (!EnsureDrawing()) {
        screen.fillRect(StatPaintBox->rect(), ToQColor(kSkyBlue));
        return;
    }
    DrawChart();
    screen.drawImage(0, 0, chart_);
}

void TStatForm::DrawChart()
{
    const QSize size = StatPaintBox->size();
    if (size.isEmpty())
        return;
    if (chart_.size() != size)
        chart_ = QImage(size, QImage::Format_RGB32);
    const int W = size.width(), H = size.height();
    if (statistic_ == 0) {
        Canvas c(&chart_);
        c.SetSolidBrush(kSkyBlue);
        c.FillRect({0, 0, W, H});
        return;
    }
    grid_ = ComputeGrid(W, H, std::int64_t(collection_.categories.size()), collection_.largestCount);
    const StatGrid& g = grid_;
    const int cell = g.cell;
    // The label band under the columns reaches below the page's bottom.
    const int band = g.topMargin + (g.rows - 1) * cell;

    // Sky blue squared paper: the white edges of the squares x = -1 ..
    // columns, y = -1 .. rows - 1, each cell + 1 wide, neighbours sharing
    // their edges. Every row above the band is the same row with the
    // vertical edges in it, copied whole, so the paper costs about one fill
    // of the page. Before the canvas takes the bitmap: a row copy must not
    // pull the bitmap from under it.
    paperRow_.assign(std::size_t(W), ToQRgb(kSkyBlue));
    for (int k = -1; k <= g.columns + 1; ++k)
        if (const int x = g.leftMargin + k * cell; x >= 0 && x < W)
            paperRow_[std::size_t(x)] = ToQRgb(kWhite);
    for (int y = 0; y < std::min(band, H); ++y)
        std::memcpy(chart_.scanLine(y), paperRow_.data(), std::size_t(W) * sizeof(QRgb));
    chartBits_ = reinterpret_cast<QRgb*>(chart_.bits());
    chartStride_ = chart_.bytesPerLine() / int(sizeof(QRgb));
    Canvas c(&chart_);
    c.SetSolidBrush(kWhite);
    for (int k = -1; k <= g.rows - 2; ++k) {
        const int y = g.topMargin + k * cell;
        c.FillRect({g.leftMargin - cell, y, g.leftMargin + (g.columns + 1) * cell + 1, y + 1});
    }
    c.SetSolidBrush(kSkyBlue);

    // The subject's icon, top right.
    char name[16];
    std::snprintf(name, sizeof name, "statvalg%02d", statistic_);
    const int iconLeft = g.leftMargin + cell * (g.columns - 1) - cell / 2;
    c.SetPen(kBlack, 1, PenStyle::Solid);
    DrawPicturePlain(c, std::string_view(name), {iconLeft, 0, iconLeft + cell + 1, cell + 1});

    // The columns, a square per pupil.
    forEachSquare([&](int number, int pupil, const QRect& sq) {
        drawSquare(c, sq, pupil, number == selected_);
        return false;
    });

    FillGradient(c, {0, band, W, band + 2 * cell}, kBlue, true, kSkyBlue);
    drawLabels(c);
    drawUnitText(c);
}

void TStatForm::drawSquare(Canvas& c, const QRect& sq, int pupil, bool selected)
{
    const tElev* e = host().AktivKlasse().GetElev(pupil);
    if (!e)
        return;
    const SquareColours col = coloursFor(diagramType_, isBoy(*e));
    const int l = sq.left(), t = sq.top(), cell = sq.width() - 1;
    // Black edges (the square is cell + 1 wide: neighbours share them); one
    // pixel inside, a 3D frame, raised, or pressed when this is the selected
    // square, its bottom-right colour taking the top-right and bottom-left
    // corners; the fill inside. A square has three kinds of rows besides the
    // black edges: the frame's top, the middle and the frame's bottom. They
    // are made once and copied row by row, which costs a tenth of drawing
    // the boxes one after the other.
    const QRgb black = ToQRgb(kBlack), fill = ToQRgb(col.fill), frame = ToQRgb(col.frame);
    const QRgb topLeft = selected ? black : frame, bottomRight = selected ? frame : black;
    const std::size_t n = std::size_t(cell) + 1;
    squareRows_.resize(4 * n);
    QRgb* edge = squareRows_.data();
    QRgb* top = edge + n;
    QRgb* middle = top + n;
    QRgb* bottom = middle + n;
    std::fill(edge, edge + n, black);
    if (cell < 3) {
        std::fill(middle, middle + n, fill);
        middle[0] = middle[n - 1] = black;
        std::copy(middle, middle + n, top);
        std::copy(middle, middle + n, bottom);
    } else {
        std::fill(top, top + n, topLeft);
        std::fill(middle, middle + n, fill);
        std::fill(bottom, bottom + n, bottomRight);
        middle[1] = topLeft;
        top[n - 2] = middle[n - 2] = bottomRight;
        top[0] = middle[0] = bottom[0] = black;
        top[n - 1] = middle[n - 1] = bottom[n - 1] = black;
    }
    const int W = chart_.width(), H = chart_.height();
    const int x0 = std::max(l, 0), x1 = std::min(l + cell + 1, W);
    if (x0 < x1) {
        for (int y = std::max(t, 0); y <= std::min(t + cell, H - 1); ++y) {
            const int row = y - t;
            const QRgb* from = row == 0 || row == cell ? edge : row == 1 ? top : row == cell - 1 ? bottom : middle;
            std::memcpy(chartBits_ + std::ptrdiff_t(y) * chartStride_ + x0, from + (x0 - l),
                        std::size_t(x1 - x0) * sizeof(QRgb));
        }
    }
    if (!faces_ || !overview_)
        return;
    // The portrait, framed in the square's colour.
    const int m = 2 + cell / 12;
    const int inner = cell + 1 - 2 * m;
    if (inner < 12)
        return;
    c.Draw(l + m, t + m, FaceOf(pupil, inner));
}

const QImage& TStatForm::FaceOf(int pupil, int size)
{
    // The thumbnail the overview shows in the pupil's cell, so that a face
    // the overview drew is not drawn again. Its halvings are kept beside it,
    // so that squares of another size cost one small resampling a face.
    const int count = host().AktivKlasse().ElevCount();
    if (faceCache_.size() != std::size_t(count))
        faceCache_.assign(std::size_t(count), FaceCache{});
    QSize from = overview_->CellSize(pupil);
    if (from.width() < size || from.height() < size)
        from = QSize(size, size);   // larger than the overview's: drawn for the chart
    const QImage& thumbnail = overview_->Thumbnail(pupil, from, false);
    FaceCache& face = faceCache_[std::size_t(pupil)];
    if (face.source != thumbnail.cacheKey() || face.levels.empty()) {
        face.source = thumbnail.cacheKey();
        face.levels.assign(1, thumbnail.convertToFormat(QImage::Format_RGB32));
        face.sized.clear();
    }
    // A few sizes are kept: going back to a subject seen before costs
    // nothing.
    for (const QImage& made : face.sized)
        if (made.width() == size && made.height() == size)
            return made;
    std::size_t level = 0;
    while (face.levels[level].width() >= 2 * size && face.levels[level].height() >= 2 * size) {
        if (level + 1 == face.levels.size())
            face.levels.push_back(HalveImage(face.levels[level]));
        ++level;
    }
    if (face.sized.size() == kFaceSizesKept)
        face.sized.erase(face.sized.begin());
    face.sized.push_back(ResampleFace(face.levels[level], size));
    return face.sized.back();
}

QImage TStatForm::ShrinkFace(const QImage& thumbnail, int size)
{
    // Halved while it is twice as large (each pixel the mean of four), then
    // resampled bilinearly the rest of the way: the thin lines of the face
    // survive a reduction to a quarter and less.
    QImage image = thumbnail.convertToFormat(QImage::Format_RGB32);
    if (size < 1 || image.isNull())
        return image;
    while (image.width() >= 2 * size && image.height() >= 2 * size)
        image = HalveImage(image);
    return ResampleFace(image, size);
}

QImage TStatForm::HalveImage(const QImage& image)
{
    const int hw = image.width() / 2, hh = image.height() / 2;
    QImage half(hw, hh, QImage::Format_RGB32);
    for (int y = 0; y < hh; ++y) {
        const auto* a = reinterpret_cast<const QRgb*>(image.constScanLine(2 * y));
        const auto* b = reinterpret_cast<const QRgb*>(image.constScanLine(2 * y + 1));
        auto* out = reinterpret_cast<QRgb*>(half.scanLine(y));
        for (int x = 0; x < hw; ++x) {
            const QRgb p = a[2 * x], q = a[2 * x + 1], r = b[2 * x], t = b[2 * x + 1];
            // Red and blue side by side, with room for the sum of four.
            const quint32 rb =
                (((p & 0xFF00FF) + (q & 0xFF00FF) + (r & 0xFF00FF) + (t & 0xFF00FF) + 0x20002) >> 2) & 0xFF00FF;
            const quint32 g = (((p & 0xFF00) + (q & 0xFF00) + (r & 0xFF00) + (t & 0xFF00) + 0x200) >> 2) & 0xFF00;
            out[x] = 0xFF000000 | rb | g;
        }
    }
    return half;
}

QImage TStatForm::ResampleFace(const QImage& image, int size)
{
    const int w = image.width(), h = image.height();
    if ((w == size && h == size) || size < 1 || image.isNull())
        return image;
    // Where each column and row samples the source: the pixel centres
    // mapped across, in 8-bit fractions.
    const auto taps = [](int from, int to, std::vector<int>& first, std::vector<quint32>& weight) {
        first.resize(std::size_t(to));
        weight.resize(std::size_t(to));
        for (int i = 0; i < to; ++i) {
            const qint64 f = std::clamp<qint64>((((2 * qint64(i) + 1) * from << 16) / (2 * to)) - 0x8000, 0,
                                                qint64(from - 1) << 16);
            first[std::size_t(i)] = int(f >> 16);
            weight[std::size_t(i)] = quint32(f & 0xFFFF) >> 8;
        }
    };
    std::vector<int> xs, ys;
    std::vector<quint32> wxs, wys;
    taps(w, size, xs, wxs);
    taps(h, size, ys, wys);
    const auto mix = [](QRgb a, QRgb b, quint32 t) {
        const quint32 rb = ((a & 0xFF00FF) * (256 - t) + (b & 0xFF00FF) * t) >> 8;
        const quint32 g = ((a & 0xFF00) * (256 - t) + (b & 0xFF00) * t) >> 8;
        return (rb & 0xFF00FF) | (g & 0xFF00);
    };
    QImage out(size, size, QImage::Format_RGB32);
    for (int y = 0; y < size; ++y) {
        const int y0 = ys[std::size_t(y)], y1 = std::min(y0 + 1, h - 1);
        const quint32 wy = wys[std::size_t(y)];
        const auto* r0 = reinterpret_cast<const QRgb*>(image.constScanLine(y0));
        const auto* r1 = reinterpret_cast<const QRgb*>(image.constScanLine(y1));
        auto* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < size; ++x) {
            const int x0 = xs[std::size_t(x)], x1 = std::min(x0 + 1, w - 1);
            const quint32 wx = wxs[std::size_t(x)];
            dst[x] = 0xFF000000 | mix(mix(r0[x0], r0[x1], wx), mix(r1[x0], r1[x1], wx), wy);
        }
    }
    return out;
}

void TStatForm::drawLabels(Canvas& c)
{
    const StatGrid& g = grid_;
    const int cell = g.cell;
    const int shrink = cell / 10;
    QRect r(QPoint(1 + g.leftMargin + cell + shrink, 1 + g.topMargin + cell * (g.rows - 1) + shrink),
            QPoint(g.leftMargin + 2 * cell - shrink - 1, g.topMargin + cell * g.rows - shrink - 1));
    QPainter& p = c.painter();
    const int px = std::max(1, statistic_ == 2 ? MulDiv(cell, 3, 4) : cell / 2);
    if (statistic_ != 1) {
        labelFont_.setPixelSize(px);
        p.setFont(labelFont_);
    }
    const int W = chart_.width();
    if (statistic_ == 1) {
        for (std::size_t j = 0; j < collection_.categories.size() && r.left() < W; ++j, r.translate(cell, 0))
            DrawHobbyPicture(c, collection_.categories[j].value, {r.left(), r.top(), r.right() + 1, r.bottom() + 1});
        return;
    }
    // The numbers are laid out once for their size, not at every paint.
    const QRect first = r;
    for (std::size_t j = 0; j < labels_.size() && r.left() < W; ++j, r.translate(cell, 0)) {
        Label& label = labels_[j];
        if (label.px != px) {
            label.text.prepare(QTransform(), labelFont_);
            label.px = px;
        }
        label.at = QPoint(r.left() + (r.width() - int(label.text.size().width())) / 2, r.top());
    }
    // All shadows, then all numbers: a pen change costs more than a number.
    const std::size_t drawn = std::size_t(std::max(0, (W - first.left() + cell - 1) / std::max(1, cell)));
    const std::size_t count = std::min(labels_.size(), drawn);
    p.setPen(Qt::black);
    for (std::size_t j = 0; j < count; ++j)
        p.drawStaticText(labels_[j].at + QPoint(1, 2), labels_[j].text);
    p.setPen(Qt::white);
    for (std::size_t j = 0; j < count; ++j)
        p.drawStaticText(labels_[j].at, labels_[j].text);
}

QString TStatForm::UnitText() const
{
    if (collection_.onlyMeasured)
        return QStringLiteral("(kun målte værdier)");
    switch (statistic_) {
    case 0:
    case 1: return {};
    case 2: return QStringLiteral("Antal");
    case 3: return QStringLiteral("Måned");
    case 12: return QStringLiteral("kg");
    default: return QStringLiteral("cm");
    }
}

void TStatForm::drawUnitText(Canvas& c)
{
    const QString text = UnitText();
    if (text.isEmpty())
        return;
    const StatGrid& g = grid_;
    const int cell = g.cell;
    int px = statistic_ == 2 ? cell / 2 : statistic_ == 3 ? MulDiv(cell, 3, 8) : MulDiv(cell, 3, 4);
    if (collection_.onlyMeasured)
        px = std::min(MulDiv(cell, 3, 8), std::max(8, S(20)));   // a note, not a unit
    px = std::max(1, px);
    const int W = chart_.width();
    if (unit_.text.text() != text || unit_.px != px || unit_.width != W) {
        unit_.text.setText(text);
        labelFont_.setPixelSize(px);
        // A note longer than a cell is kept whole on the page.
        while (collection_.onlyMeasured && QFontMetrics(labelFont_).horizontalAdvance(text) > W - 8
               && labelFont_.pixelSize() > 6)
            labelFont_.setPixelSize(labelFont_.pixelSize() - 1);
        unit_.font = labelFont_;
        unit_.text.prepare(QTransform(), unit_.font);
        unit_.px = px;
        unit_.width = W;
    }
    const int tw = int(unit_.text.size().width());
    const int middle = g.leftMargin + cell * (g.columns - 1) - cell / 2 + (cell + 1) / 2;
    int left = middle - tw / 2;
    if (collection_.onlyMeasured)
        left = std::clamp(left, 4, std::max(4, W - 4 - tw));
    const QPoint at(left, cell);
    QPainter& p = c.painter();
    p.setFont(unit_.font);
    p.setPen(ToQColor(kSkyBlue));
    for (QPoint d : {QPoint(0, -2), QPoint(0, 2), QPoint(-2, 0), QPoint(2, 0)})
        p.drawStaticText(at + d, unit_.text);
    p.setPen(Qt::white);
    p.drawStaticText(at, unit_.text);
}

void TStatForm::KnapPanelPaintBoxPaint()
{
    QImage& cache = knapPanelCache_;
    if (cache.size() != KnapPanelPaintBox->size()) {
        cache = QImage(KnapPanelPaintBox->size(), QImage::Format_RGB32);
        Canvas c(&cache);
        FillGradient(c, {0, 0, cache.width(), cache.height()}, kBlue, true, kSkyBlue);
    }
    QPainter p(KnapPanelPaintBox);
    p.drawImage(0, 0, cache);
}

void TStatForm::PaintBox2Paint()
{
    QImage& cache = endPieceCache_;
    if (cache.size() != PaintBox2->size()) {
        cache = QImage(PaintBox2->size(), QImage::Format_ARGB32_Premultiplied);
        cache.fill(Qt::transparent);
        Canvas c(&cache);
        FillRoundGradient(c, {0, 0, cache.width(), cache.height()}, kNavy, true, false, kBlue);
    }
    QPainter p(PaintBox2);
    p.drawImage(0, 0, cache);
}

// ---- the subject strip ----

QRect TStatForm::KnapRect(int n) const
{
    const int h = KnapBoard->height();
    return QRect(h * (n - 1), 0, h, h);
}

QString TStatForm::StatName(int n)
{
    // The measurements as the measurements page names its boxes.
    static const char* const kNames[kStatCount + 1] = {
        "",
        "Fritidsinteresser", "Antal fritidsinteresser", "Fødselsmåned",
        "Højde", "Hovedomkreds", "Fodlængde", "Håndledsomkreds", "Tommelfingerlængde", "Brystomkreds",
        "Ankelomkreds", "Benlængde", "Vægt", "Taljeomkreds", "Håndlængde", "Fingerlængde", "Håndspænd",
        "Vristomkreds",
    };
    return n >= 1 && n <= kStatCount ? QString::fromUtf8(kNames[n]) : QString();
}

void TStatForm::RedigerSpeedClick()
{
    const QRect k = KnapPanel->geometry();
    PaintBox2->setGeometry(k.left() + k.width() - k.height() / 2, k.top(), k.height(), k.height());
    const bool down = RedigerSpeed->isChecked();
    PaintBox2->setVisible(down);
    KnapPanel->setVisible(down);
    if (down) {
        PaintBox2->raise();
        KnapPanel->raise();
        PersonStatic->raise();
    }
}

void TStatForm::KnapBoardPaint()
{
    const int h = KnapBoard->height();
    if (h <= 0 || !EnsureDrawing())
        return;
    if (work_.size() != QSize(h, h))
        work_ = QImage(h, h, QImage::Format_ARGB32_Premultiplied);
    QPainter p(KnapBoard);
    const QRect area = KnapBoard->UpdateRect();
    char name[16];
    for (int n = 1; n <= kStatCount; ++n) {
        const QRect sq = KnapRect(n);
        if (!sq.intersects(area))
            continue;
        ++buttonsDrawn_;
        std::snprintf(name, sizeof name, "statvalg%02d%s", n, Available(n) ? "" : "g");
        // Every button starts from a clear picture, so that nothing of the
        // one before shows through its background.
        work_.fill(Qt::transparent);
        {
            Canvas c(&work_);
            DrawPicturePlain(c, std::string_view(name), {0, 0, h, h});
        }
        // The chosen subject keeps its background; the others stand on the
        // board.
        if (n != statistic_)
            keyOutBackground(work_);
        p.fillRect(sq, KnapBoard->Color());
        p.drawImage(sq.topLeft(), work_);
    }
}

void TStatForm::KnapBoardMouseDown(Qt::MouseButton, Qt::KeyboardModifiers, QPoint at)
{
    mouseDown_ = at;
}

void TStatForm::KnapBoardClick()
{
    int chosen = 0;
    for (int n = 1; n <= kStatCount; ++n)
        if (KnapRect(n).contains(mouseDown_) && Available(n) && n != statistic_)
            chosen = n;
    if (chosen)
        ChooseStatistic(chosen);
}

bool TStatForm::ChooseStatistic(int n)
{
    if (!Available(n) || n == statistic_)
        return false;
    const int old = statistic_;
    statistic_ = n;
    collect(n);
    StatPaintBox->update();
    if (old)
        KnapBoard->update(KnapRect(old));
    KnapBoard->update(KnapRect(n));
    RedigerSpeed->setChecked(false);
    PaintBox2->hide();
    KnapPanel->hide();
    return true;
}

void TStatForm::collect(int n)
{
    clearSelection();
    CollectStatistic(host().AktivKlasse(), n, StatPaintBox->width(), collection_);
    // Numbers laid out before keep their layout.
    labels_.resize(collection_.categories.size());
    for (std::size_t j = 0; j < labels_.size(); ++j) {
        const QString text = QString::number(collection_.categories[j].value);
        if (labels_[j].text.text() != text) {
            labels_[j].text.setText(text);
            labels_[j].px = 0;
        }
    }
    grid_ = ComputeGrid(StatPaintBox->width(), StatPaintBox->height(), std::int64_t(collection_.categories.size()),
                        collection_.largestCount);
}

// ---- the chart's squares ----

template <class F>
void TStatForm::forEachSquare(F f) const
{
    const StatGrid& g = grid_;
    if (g.cell <= 0)
        return;
    const tKlasse& k = host().AktivKlasse();
    const std::int64_t right = StatPaintBox->width();
    int number = 0;
    for (std::size_t j = 0; j < collection_.categories.size(); ++j) {
        const std::int64_t x = g.leftMargin + std::int64_t(j + 1) * g.cell;
        if (x >= right)
            return;   // columns past the page's edge are not drawn
        int row = g.rows - 2;
        for (int pupil : collection_.categories[j].members) {
            const tElev* e = k.GetElev(pupil);
            if (!e || e->LaesFejl())
                continue;
            if ((diagramType_ == BoysOnly && !isBoy(*e)) || (diagramType_ == GirlsOnly && isBoy(*e)))
                continue;
            const QRect sq(int(x), g.topMargin + row * g.cell, g.cell + 1, g.cell + 1);
            if (f(number, pupil, sq))
                return;
            ++number;
            --row;
        }
    }
}

int TStatForm::DrawnSquares() const
{
    int n = 0;
    forEachSquare([&n](int, int, const QRect&) { ++n; return false; });
    return n;
}

QRect TStatForm::SquareRect(int k) const
{
    QRect found;
    forEachSquare([&](int number, int, const QRect& sq) {
        if (number != k)
            return false;
        found = sq;
        return true;
    });
    return found;
}

int TStatForm::SquarePupil(int k) const
{
    int found = -1;
    forEachSquare([&](int number, int pupil, const QRect&) {
        if (number != k)
            return false;
        found = pupil;
        return true;
    });
    return found;
}

bool TStatForm::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == StatPaintBox) {
        if (e->type() == QEvent::MouseButtonPress) {
            auto* m = static_cast<QMouseEvent*>(e);
            if (m->button() == Qt::LeftButton)
                StatPaintBoxMouseDown(m->position().toPoint());
        } else if (e->type() == QEvent::MouseButtonRelease) {
            auto* m = static_cast<QMouseEvent*>(e);
            if (m->button() == Qt::LeftButton && StatPaintBox->rect().contains(m->position().toPoint()))
                StatPaintBoxClick();
        }
    } else if (watched == KnapScrollBox->viewport() && e->type() == QEvent::Wheel) {
        // The strip only scrolls sideways: the wheel turns it.
        auto* w = static_cast<QWheelEvent*>(e);
        QScrollBar* bar = KnapScrollBox->horizontalScrollBar();
        const int delta = w->angleDelta().y() != 0 ? w->angleDelta().y() : w->angleDelta().x();
        bar->setValue(bar->value() - delta * KnapBoard->height() / 120);
        return true;
    }
    return Page::eventFilter(watched, e);
}

void TStatForm::StatPaintBoxMouseDown(QPoint at)
{
    mouseDown_ = at;
}

void TStatForm::StatPaintBoxClick()
{
    int hit = -1;
    forEachSquare([&](int number, int, const QRect& sq) {
        if (!sq.contains(mouseDown_))
            return false;
        hit = number;
        return true;
    });
    selected_ = hit;
    placePersonStatic();
    StatPaintBox->update();
}

bool TStatForm::SelectSquare(int k)
{
    const QRect sq = SquareRect(k);
    if (sq.isEmpty())
        return false;
    StatPaintBoxMouseDown(sq.center());
    StatPaintBoxClick();
    return selected_ == k;
}

void TStatForm::placePersonStatic()
{
    const int pupil = selected_ >= 0 ? SquarePupil(selected_) : -1;
    const tElev* e = pupil >= 0 ? host().AktivKlasse().GetElev(pupil) : nullptr;
    if (!e) {
        selected_ = -1;
        PersonStatic->hide();
        return;
    }
    // The full name; a pupil entered without one is named by the nickname.
    const QString name = ansi::ToQString(e->FuldeNavn().empty() ? e->Kaldenavn() : e->FuldeNavn());
    PersonStatic->setText(name);
    const QFontMetrics fm(PersonStatic->font());
    const int w = std::min(StatPaintBox->width(), std::max(S(65), fm.horizontalAdvance(name) + S(10)));
    const int h = std::max(S(18), fm.height() + 4);
    const QRect sq = SquareRect(selected_);
    // Centred on the square, but kept whole on the chart: a name is wider
    // than a square at the edge.
    int left = (sq.left() + sq.left() + sq.width() - w) / 2 + Panel2->width();
    int top = (sq.top() + sq.top() + sq.height() - h) / 2;
    left = std::clamp(left, Panel2->width(), std::max(Panel2->width(), width() - w));
    top = std::clamp(top, 0, std::max(0, height() - h));
    PersonStatic->setGeometry(left, top, w, h);
    PersonStatic->show();
    PersonStatic->raise();
}

void TStatForm::clearSelection()
{
    selected_ = -1;
    PersonStatic->hide();
}

// ---- diagram type, faces, back ----

void TStatForm::DiagramtypeClick()
{
    diagramType_ = PD_ens_Speed->isChecked()     ? SameColour
                   : PD_forsk_Speed->isChecked() ? BothColours
                   : D_kun_Speed->isChecked()    ? BoysOnly
                                                 : GirlsOnly;
    clearSelection();
    StatPaintBox->update();
}

void TStatForm::ChooseDiagramType(int t)
{
    if (QAbstractButton* b = DiagramGroup->button(t)) {
        b->setChecked(true);
        DiagramtypeClick();
    }
}

void TStatForm::AnsigtSpeedClick()
{
    faces_ = AnsigtSpeed->isChecked();
    settings().setValue(QLatin1String(kFacesKey), faces_);
    StatPaintBox->update();
}

void TStatForm::SetFaces(bool on)
{
    faces_ = on;
    AnsigtSpeed->setChecked(on);
    StatPaintBox->update();
}

void TStatForm::BackSpeedClick()
{
    host().ShowPage(1);
}
