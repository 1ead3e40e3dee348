// The class overview.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "klasseform.h"

#include "canvas.h"
#include "chrome.h"
#include "drawing.h"
#include "fileio.h"
#include "klasse.h"
#include "pagehost.h"
#include "qansi.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include <algorithm>
#include <cstring>
#include <iterator>

namespace {

constexpr Colour kYellow = 0x00FFFF;   // RGB FF FF 00
constexpr Colour kCream = 0xF0FBFF;    // RGB FF FB F0

class CellDelegate : public QStyledItemDelegate {
public:
    explicit CellDelegate(TKlasseForm* form) : QStyledItemDelegate(form), form_(form) {}
    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        form_->ElevGridDrawCell(*p, index.column(), index.row(), option.rect,
                                option.state.testFlag(QStyle::State_Selected));
    }

private:
    TKlasseForm* form_;
};

bool samePart(const FacePart& a, const FacePart& b)
{
    return a.Type == b.Type && a.Farve == b.Farve && a.FarveGruppe == b.FarveGruppe && a.FarveSlide == b.FarveSlide
        && a.Spejl == b.Spejl && a.Vandret.sameBytes(b.Vandret) && a.Lodret.sameBytes(b.Lodret)
        && a.Vinkel == b.Vinkel && a.Zoom == b.Zoom;
}

bool sameParts(const PortraitParts& a, const PortraitParts& b)
{
    for (int d = 0; d < kDelCount; ++d)
        if (!samePart(a[d], b[d]))
            return false;
    return true;
}

QLabel* bar(QWidget* parent, const char* colour)
{
    auto* l = new QLabel(parent);
    l->setAlignment(Qt::AlignCenter);
    l->setStyleSheet(QStringLiteral("QLabel { background: %1; color: white; font-family: Arial; font-weight: bold; }")
                         .arg(QLatin1String(colour)));
    return l;
}

} // namespace

TKlasseForm::TKlasseForm(PageHost& host, QWidget* parent) : Page(host, 1, parent)
{
    Panel2 = new SidePanel(this);
    StopSpeed = new SpeedButton("stop", QString(), Panel2);
    ElevSpeed = new SpeedButton("pupil", QStringLiteral("Redigér den valgte elev"), Panel2);
    StatSpeed = new SpeedButton("chart", QStringLiteral("Til statistik-delen"), Panel2);
    ToolSpeed = new SpeedButton("teacher", QStringLiteral("Til lærer-delen"), Panel2);
    HelpSpeed = new SpeedButton("help", QStringLiteral("Hjælp"), Panel2);
    KlassePaintBox = new PaintBox(this, [this](QPaintEvent*) { KlassePaintBoxPaint(); });

    ElevPanel = new QWidget(this);
    ElevPanel->setAutoFillBackground(true);
    ElevPanel->setStyleSheet(QStringLiteral("background: #C0DCC0;"));
    ElevTopPanel = bar(ElevPanel, "#008000");
    SkolePanel = bar(ElevPanel, "#C0DCC0");
    ElevGrid = new QTableWidget(kRows, kColumns, ElevPanel);
    ElevGrid->horizontalHeader()->hide();
    ElevGrid->verticalHeader()->hide();
    ElevGrid->setShowGrid(true);
    ElevGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ElevGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ElevGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    ElevGrid->setSelectionBehavior(QAbstractItemView::SelectItems);
    ElevGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ElevGrid->setItemDelegate(new CellDelegate(this));
    ElevGrid->setStyleSheet(QStringLiteral("QTableWidget { background: #FFFBF0; gridline-color: #808080; }"));
    // No horizontal scrolling: the first column stays at the left edge.
    connect(ElevGrid->horizontalScrollBar(), &QScrollBar::valueChanged, this,
            [this](int v) { if (v != 0) ElevGrid->horizontalScrollBar()->setValue(0); });
    connect(ElevGrid, &QTableWidget::currentCellChanged, this, [this](int row, int col, int, int) {
        if (row >= 0 && col >= 0)
            ElevGridSelectCell(col, row);
    });
    connect(ElevGrid, &QTableWidget::cellDoubleClicked, this, [this](int row, int col) {
        if (ElevGridSelectCell(col, row))
            ElevSpeedClick();
    });

    // The keys move from pupil to pupil and open the one selected.
    ElevGrid->installEventFilter(this);
    setFocusProxy(ElevGrid);

    UpdateTimer.setInterval(60000);
    connect(&UpdateTimer, &QTimer::timeout, this, [this] { UpdateTimerTimer(); });
    connect(StopSpeed, &QToolButton::clicked, this, &TKlasseForm::StopBmBtnClick);
    connect(ElevSpeed, &QToolButton::clicked, this, &TKlasseForm::ElevSpeedClick);
    connect(StatSpeed, &QToolButton::clicked, this, &TKlasseForm::StatSpeedClick);
    connect(ToolSpeed, &QToolButton::clicked, this, &TKlasseForm::ToolBmBtnClick);
    connect(HelpSpeed, &QToolButton::clicked, this, &TKlasseForm::HelpBmBtnClick);
}

void TKlasseForm::layoutPage()
{
    const int col = S(kColumnWidth);
    Panel2->setGeometry(0, 0, col, height());
    StopSpeed->place(B(8, 8, 73, 73));
    ElevSpeed->place(B(8, 80, 73, 73));
    StatSpeed->place(B(8, 152, 73, 73));
    ToolSpeed->place(B(8, 224, 73, 73));
    HelpSpeed->place(B(8, 296, 73, 73));
    KlassePaintBox->setGeometry(col, 0, std::max(0, width() - col), height());
    // The panel keeps its design size, centred in the drawing area on screens
    // wider than the design.
    const QRect panel = B(102, 12, 515, 429);
    ElevPanel->setGeometry(col + (KlassePaintBox->width() - panel.width()) / 2, panel.top(), panel.width(),
                           panel.height());
    ElevTopPanel->setGeometry(0, 0, panel.width(), S(21));
    SkolePanel->setGeometry(0, panel.height() - S(21), panel.width(), S(21));
    const QRect grid = D(8, 32, 497, 373);
    ElevGrid->setGeometry(grid.left(), grid.top(), grid.width(), grid.height());
    QFont bold(QStringLiteral("Arial"));
    bold.setBold(true);
    bold.setPixelSize(std::max(8, S(13)));
    ElevTopPanel->setFont(bold);
    SkolePanel->setFont(bold);
    setGridGeometry();
}

void TKlasseForm::setGridGeometry()
{
    // Square cells; the last column takes what is left.
    const int w = ElevGrid->viewport()->width();
    const int c = std::max(1, w / kColumns);
    for (int i = 0; i < kColumns - 1; ++i)
        ElevGrid->setColumnWidth(i, c);
    ElevGrid->setColumnWidth(kColumns - 1, std::max(1, w - (kColumns - 1) * c));
    ElevGrid->verticalHeader()->setDefaultSectionSize(c);
    ElevGrid->verticalHeader()->setMinimumSectionSize(1);
}

void TKlasseForm::pageShown()
{
    const tKlasse& k = host().AktivKlasse();
    ElevTopPanel->setText(k.Klasse().empty() ? QStringLiteral("Elever")
                                             : QStringLiteral("Elever i ") + ansi::ToQString(k.Klasse()));
    SkolePanel->setText(k.Skole().empty() ? QStringLiteral("Skole") : ansi::ToQString(k.Skole()));
    setGridGeometry();
    ElevGrid->blockSignals(true);
    ElevGrid->clearSelection();
    ElevGrid->setCurrentCell(-1, -1);
    ElevGrid->blockSignals(false);
    ElevSpeed->setEnabled(false);
    cache_.clear();
    UpdateTimerTimer();
    UpdateTimer.start();
    ElevGrid->viewport()->update();
}

void TKlasseForm::pageHidden()
{
    UpdateTimer.stop();
}

bool TKlasseForm::ElevGridSelectCell(int col, int row)
{
    const int i = row * kColumns + col;
    if (i < 0 || i >= host().AktivKlasse().ElevCount()) {
        ElevGrid->blockSignals(true);
        ElevGrid->clearSelection();
        ElevGrid->setCurrentCell(-1, -1);
        ElevGrid->blockSignals(false);
        ElevSpeed->setEnabled(false);
        return false;
    }
    host().SetAktivElev(i);
    if (ElevGrid->currentRow() != row || ElevGrid->currentColumn() != col) {
        ElevGrid->blockSignals(true);
        ElevGrid->setCurrentCell(row, col);
        ElevGrid->blockSignals(false);
    }
    // A pupil whose file could not be read can be pointed at, not opened.
    ElevSpeed->setEnabled(!host().AktivKlasse().ElevLaesFejl(i));
    return true;
}

bool TKlasseForm::ElevGridKeyDown(int key)
{
    const int count = host().AktivKlasse().ElevCount();
    const int row = ElevGrid->currentRow(), col = ElevGrid->currentColumn();
    const bool selected = row >= 0 && col >= 0 && row * kColumns + col < count;
    const int i = selected ? row * kColumns + col : -1;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (selected)
            ElevSpeedClick();
        return true;
    }
    const int moveKeys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up,     Qt::Key_Down,
                            Qt::Key_Home, Qt::Key_End,   Qt::Key_PageUp, Qt::Key_PageDown};
    if (std::find(std::begin(moveKeys), std::end(moveKeys), key) == std::end(moveKeys))
        return false;
    int to = -1;
    if (!selected) {
        // The first key selects the first pupil (End the last).
        to = key == Qt::Key_End ? count - 1 : 0;
    } else {
        // Up and down stay in their column; a key that would leave the class
        // leaves the selection where it is.
        const int lastInColumn = col + (count - 1 - col) / kColumns * kColumns;
        switch (key) {
        case Qt::Key_Left: to = i - 1; break;
        case Qt::Key_Right: to = i + 1; break;
        case Qt::Key_Up: to = i - kColumns; break;
        case Qt::Key_Down: to = i + kColumns; break;
        case Qt::Key_Home: to = 0; break;
        case Qt::Key_End: to = count - 1; break;
        case Qt::Key_PageUp: to = std::max(i - kColumns * visibleRows(), col); break;
        default: to = std::min(i + kColumns * visibleRows(), lastInColumn); break;   // PageDown
        }
    }
    if (to < 0 || to >= count)
        return true;
    ElevGridSelectCell(to % kColumns, to / kColumns);
    ElevGrid->scrollTo(ElevGrid->model()->index(to / kColumns, to % kColumns));
    return true;
}

int TKlasseForm::visibleRows() const
{
    const int h = ElevGrid->verticalHeader()->defaultSectionSize();
    return std::max(1, h > 0 ? ElevGrid->viewport()->height() / h : 1);
}

bool TKlasseForm::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == ElevGrid && e->type() == QEvent::KeyPress) {
        const auto* k = static_cast<QKeyEvent*>(e);
        if (k->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return Page::eventFilter(watched, e);
        return ElevGridKeyDown(k->key()) || Page::eventFilter(watched, e);
    }
    return Page::eventFilter(watched, e);
}

void TKlasseForm::ElevSpeedClick()
{
    tElev* e = host().AktivElev();
    if (!e)
        return;
    host().SetBookLocked(!e->Elevkode().empty() && host().AskCode(e->Elevkode()) != 1);
    host().ShowPage(3);
}

void TKlasseForm::ToolBmBtnClick()
{
    const std::string& code = host().AktivKlasse().Kode();
    if (!code.empty() && host().AskCode(code) != 1)
        return;
    host().ShowPage(2);
}

void TKlasseForm::StatSpeedClick()
{
    host().ShowPage(18);
}

void TKlasseForm::StopBmBtnClick()
{
    host().CloseRequest();
}

void TKlasseForm::HelpBmBtnClick()
{
    host().ShowHelpPage(QStringLiteral("Klasse.html"));
}

int TKlasseForm::UpdateTimerTimer()
{
    tKlasse& k = host().AktivKlasse();
    constexpr double kOneMs = 1.0 / 86400000.0;
    int reloaded = 0;
    for (int i = 0; i < k.ElevCount(); ++i) {
        DateTime f = 0;
        if (!FileWriteTime(k.ElevFilNavn(i), f))
            continue;
        if (f - k.Tidspunkt() < kOneMs)
            continue;   // not newer, or within a millisecond
        if (k.GetElev(i)->Aendret())
            continue;   // edits this machine has not saved (kept from a change elsewhere) stay
        k.ReloadElev(i);
        ++reloaded;
        const QModelIndex cell = ElevGrid->model()->index(i / kColumns, i % kColumns);
        ElevGrid->viewport()->update(ElevGrid->visualRect(cell));
    }
    if (reloaded)
        k.SetTidspunkt(NowDateTime());
    return reloaded;
}

const QImage& TKlasseForm::Thumbnail(int i, QSize size, bool selected)
{
    const tKlasse& k = host().AktivKlasse();
    if (cache_.size() != std::size_t(k.ElevCount()))
        cache_.resize(std::size_t(k.ElevCount()));
    CachedCell& cell = cache_[std::size_t(i)];
    const tElev& e = *k.GetElev(i);
    const PortraitParts parts = PartsOf(e);
    const int pageHeight = Drawing().PageHeight;
    const bool unreadable = e.LaesFejl();
    const std::string& name = unreadable ? e.FilNavn() : e.Kaldenavn();
    if (!cell.image.isNull() && cell.size == size && cell.selected == selected && cell.pageHeight == pageHeight
        && cell.unreadable == unreadable && cell.name == name && (unreadable || sameParts(cell.parts, parts)))
        return cell.image;

    ++drawn_;
    cell.parts = parts;
    cell.name = name;
    cell.unreadable = unreadable;
    cell.selected = selected;
    cell.size = size;
    cell.pageHeight = pageHeight;
    if (unreadable) {
        if (cell.image.size() != size)
            cell.image = QImage(size, QImage::Format_RGB32);
        drawUnreadable(cell.image, name, selected);
        return cell.image;
    }
    const Colour b = selected ? kYellow : kCream;
    const int w = size.width(), h = size.height();
    // The face is drawn at about page size and reduced, which smooths it.
    const int kf = std::max(1, pageHeight / std::max(1, h));
    QImage big(w * kf, h * kf, QImage::Format_RGB32);
    big.fill(ToQRgb(b));
    {
        Canvas c(&big);
        DrawPortrait(c, parts, std::string_view(), big.width(), big.height());
    }
    ResampleBitmap(big, w, h);
    {
        Canvas c(&big);
        QFont f(QStringLiteral("Arial"));
        f.setPixelSize(std::max(6, S(11)));
        c.painter().setFont(f);
        c.SetBrushStyle(BrushStyle::Clear);
        const QString t = QStringLiteral(" ") + ansi::ToQString(e.Kaldenavn());
        const int th = QFontMetrics(f).height();
        const QRect T(0, h - th, w, th);
        QPainter& p = c.painter();
        p.setPen(ToQColor(b));
        for (QPoint d : {QPoint(-1, 0), QPoint(1, 0), QPoint(0, -1), QPoint(0, 1)})
            p.drawText(T.translated(d), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, t);
        p.setPen(Qt::black);
        p.drawText(T, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, t);
    }
    cell.image = big;
    return cell.image;
}

QSize TKlasseForm::CellSize(int i) const
{
    // The table draws a cell inside its grid lines.
    const int line = ElevGrid->showGrid() ? 1 : 0;
    return QSize(std::max(0, ElevGrid->columnWidth(i % kColumns) - line),
                 std::max(0, ElevGrid->rowHeight(i / kColumns) - line));
}

void TKlasseForm::drawUnreadable(QImage& image, const std::string& filNavn, bool selected)
{
    // Grey, with the file's name: the teacher sees which file to look for.
    image.fill(QColor(0xC0, 0xC0, 0xC0));
    QPainter p(&image);
    if (selected) {
        const int w = std::max(2, image.height() / 24);
        p.setPen(QPen(ToQColor(kYellow), w));
        p.drawRect(QRectF(image.rect()).adjusted(w / 2.0, w / 2.0, -w / 2.0, -w / 2.0));
    }
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(std::max(6, S(11)));
    p.setFont(f);
    p.setPen(QColor(0x40, 0x40, 0x40));
    const int m = std::max(2, image.width() / 16);
    const QString file = QFileInfo(QString::fromStdString(filNavn)).fileName();
    p.drawText(image.rect().adjusted(m, m, -m, -m), Qt::AlignCenter | Qt::TextWrapAnywhere, file);
}

void TKlasseForm::ElevGridDrawCell(QPainter& painter, int col, int row, const QRect& rect, bool selected)
{
    const Colour b = selected ? kYellow : kCream;
    painter.fillRect(rect, ToQColor(b));
    const int i = row * kColumns + col;
    if (i >= host().AktivKlasse().ElevCount() || rect.width() < 2 || rect.height() < 2 || !EnsureDrawing())
        return;
    painter.drawImage(rect.topLeft(), Thumbnail(i, rect.size(), selected));
}

void TKlasseForm::KlassePaintBoxPaint()
{
    QPainter screen(KlassePaintBox);
    if (!EnsureDrawing()) {
        screen.fillRect(KlassePaintBox->rect(), QColor(0xA6, 0xCA, 0xF0));
        return;
    }
    QImage& page = Drawing().PageBitmap;
    {
        Canvas c(&page);
        DrawPageLayout(c, "klasse");
    }
    ShowPageBitmap(screen, KlassePaintBox, KlassePaintBox->width());
}
