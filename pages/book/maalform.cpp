// The measurements page.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "maalform.h"

#include "canvas.h"
#include "chrome.h"
#include "drawing.h"
#include "elev.h"
#include "pagehost.h"
#include "portrait.h"
#include "textinput.h"

#include <QButtonGroup>
#include <QPainter>

#include <cmath>

const std::array<QPoint, TMaalForm::kBoxes> TMaalForm::kBoxPlace = {{
    {7, 109}, {135, 109}, {143, 209}, {223, 9}, {223, 49}, {223, 149}, {391, 79},
    {360, 189}, {135, 359}, {135, 429}, {215, 319}, {199, 429}, {391, 329}, {391, 429},
}};

namespace {

// What each box measures; the figure's red marks lead to them.
const char* const kBoxNames[TMaalForm::kBoxes] = {
    "Højde", "Hovedomkreds", "Fodlængde", "Håndledsomkreds", "Tommelfingerlængde", "Brystomkreds",
    "Håndlængde", "Fingerlængde", "Benlængde", "Ankelomkreds", "Taljeomkreds", "Vægt",
    "Håndspænd", "Vristomkreds",
};

// The units of the modes, as their buttons name them.
const char* const kModeUnits[6] = {
    "", "hånd-længder", "finger-længder", "håndens spændvidde", "vristens omkreds", "fodens længde",
};

} // namespace

int TMaalForm::UnitOf(int mode)
{
    static constexpr int kUnits[6] = {0, 7, 8, 13, 14, 3};
    return mode >= 0 && mode <= 5 ? kUnits[mode] : 0;
}

QString TMaalForm::BoxHint(int i)
{
    if (i < 1 || i > kBoxes)
        return {};
    return QString::fromUtf8(kBoxNames[i - 1]) + (i == kVaegt ? QStringLiteral(" i kg") : QStringLiteral(" i cm"));
}

QString TMaalForm::NumberNoteText()
{
    return QStringLiteral("Skriv et tal");
}

TMaalForm::TMaalForm(PageHost& host, QWidget* parent) : Page(host, 11, parent)
{
    MaalPaintBox = new PaintBox(this, [this](QPaintEvent*) { MaalPaintBoxPaint(); });
    Panel2 = new SidePanel(this);
    Panel1 = new SidePanel(this);
    BackSpeed = new SpeedButton("back", QStringLiteral("Tilbage til elev-forsiden"), Panel2);
    TastSpeed = new SpeedButton("keyboard", QStringLiteral("Indtast mål og vægt"), Panel1);
    HandSpeed = new SpeedButton("hand", QStringLiteral("Mål med hånd-længder"), Panel1);
    FingerSpeed = new SpeedButton("finger", QStringLiteral("Mål med finger-længder"), Panel1);
    HandspanSpeed = new SpeedButton("handspan", QStringLiteral("Mål med håndens spændvidde"), Panel1);
    WristSpeed = new SpeedButton("instep", QStringLiteral("Mål med vristens omkreds"), Panel1);
    FootSpeed = new SpeedButton("foot", QStringLiteral("Mål med fodens længde"), Panel1);
    ModeGroup = new QButtonGroup(this);
    ModeGroup->setExclusive(true);
    int tag = 0;
    for (SpeedButton* b : {TastSpeed, HandSpeed, FingerSpeed, HandspanSpeed, WristSpeed, FootSpeed}) {
        b->setCheckable(true);
        ModeGroup->addButton(b, tag++);
    }
    TastSpeed->setChecked(true);

    for (int i = 1; i <= kBoxes; ++i) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QStringLiteral("Edit%1").arg(i));
        e->setMaxLength(kMaxTegn);
        e->setAlignment(Qt::AlignCenter);
        e->setFrame(false);
        // A box that shows a conversion cannot be typed in, but a child must
        // still read its number: dark blue on pale yellow, not grey.
        e->setStyleSheet(QStringLiteral("QLineEdit { background: white; color: black; border: 1px solid #000080; }"
                                        "QLineEdit:disabled { background: #FFFFE0; color: #000080; }"));
        Edit[std::size_t(i - 1)] = e;
        connect(e, &QLineEdit::textChanged, this, [this, i] { EditChange(i); });
    }
    // The keys go to the first box when the page is shown.
    setFocusProxy(Edit[0]);
    updateHints();

    connect(BackSpeed, &QToolButton::clicked, this, &TMaalForm::BackSpeedClick);
    connect(ModeGroup, &QButtonGroup::idClicked, this, &TMaalForm::SpeedClick);
}

QLineEdit* TMaalForm::EditBox(int tag) const
{
    return tag >= 1 && tag <= kBoxes ? Edit[std::size_t(tag - 1)] : nullptr;
}

int TMaalForm::Mode() const
{
    const int id = ModeGroup->checkedId();
    return id < 0 ? 0 : id;
}

void TMaalForm::layoutPage()
{
    const int col = S(kColumnWidth);
    Panel2->setGeometry(0, 0, col, height());
    Panel1->setGeometry(width() - col, 0, col, height());
    BackSpeed->place(B(8, 8, 73, 73));
    int y = 8;
    for (QAbstractButton* b : ModeGroup->buttons()) {
        static_cast<SpeedButton*>(b)->place(B(8, y, 73, 53));
        y += 52;
    }
    MaalPaintBox->setGeometry(col, 0, std::max(0, width() - 2 * col), height());
    // The window can change its size at any time: the boxes follow the
    // figure every time, not only once.
    placeBoxes();
}

int TMaalForm::FigureUnits(int v) const
{
    // s is the design box's height / 460, or the paint box's width / 456
    // where that is narrower than the figure at that height. Kept as a
    // fraction so that halves are exact and go to the even side.
    const int w = MaalPaintBox->width(), h = BoxHeight();
    const bool byHeight = std::int64_t(h) * kFigurBredde <= std::int64_t(w) * kFigurHoejde;
    const double num = byHeight ? h : w;
    const double den = byHeight ? kFigurHoejde : kFigurBredde;
    return int(std::nearbyint(double(v) * num / den));
}

QRect TMaalForm::FigureRect() const
{
    const int fw = FigureUnits(kFigurBredde), fh = FigureUnits(kFigurHoejde);
    // The figure is drawn in the boxes' own frame, so that they agree on any
    // window shape: centred across the paint box, and in the design box from
    // top to bottom.
    return QRect((MaalPaintBox->width() - fw) / 2, BoxTop() - MaalPaintBox->y() + (BoxHeight() - fh) / 2, fw, fh);
}

void TMaalForm::placeBoxes()
{
    const QRect fig = FigureRect().translated(MaalPaintBox->pos());
    // The boxes keep their design size, but never grow beyond the figure's
    // own scale (a narrow window makes the figure smaller than the page).
    const double figureScale = double(fig.height()) / kDesignHeight;
    const double bs = std::min(scale(), figureScale > 0 ? figureScale : scale());
    const int bw = std::max(1, int(std::lround(45 * bs))), bh = std::max(1, int(std::lround(24 * bs)));
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(std::max(6, int(std::lround(16 * bs))));
    for (int i = 1; i <= kBoxes; ++i) {
        const QPoint p = kBoxPlace[std::size_t(i - 1)];
        QLineEdit* e = EditBox(i);
        e->setGeometry(fig.left() + FigureUnits(p.x()), fig.top() + FigureUnits(p.y()), bw, bh);
        e->setFont(f);
    }
}

void TMaalForm::updateHints()
{
    const int m = Mode();
    for (int i = 1; i <= kBoxes; ++i) {
        QString hint;
        if (m == 0)
            hint = BoxHint(i);
        else if (i == kVaegt)
            hint = QStringLiteral("Vægt i kg: den kan ikke måles med %1").arg(QString::fromUtf8(kModeUnits[m]));
        else
            hint = QString::fromUtf8(kBoxNames[i - 1]) + QStringLiteral(" målt med ")
                + QString::fromUtf8(kModeUnits[m]);
        EditBox(i)->setToolTip(hint);
    }
}

void TMaalForm::pageShown()
{
    TastSpeed->setChecked(true);
    ShowValues(0);
    UpdateModeButtons();
    // Ready to type the first measurement.
    Edit[0]->setFocus();
}

void TMaalForm::SpeedClick(int tag)
{
    QAbstractButton* b = ModeGroup->button(tag);
    if (b && b->isChecked())
        ShowValues(tag);
}

void TMaalForm::ShowValues(int m)
{
    const tElev* e = host().AktivElev();
    const int u = e ? e->Maal(UnitOf(m)) : 0;
    for (int i = 1; i <= kBoxes; ++i) {
        QLineEdit* box = EditBox(i);
        // Disabled while its text is set, so that showing stores nothing.
        box->setEnabled(false);
        const std::int32_t v = e ? e->Maal(i) : 0;
        if (m == 0) {
            box->setText(e ? QString::fromStdString(e->MaalText(i)) : QString());
            box->setEnabled(e != nullptr);
        } else if (v == 0 || u <= 0 || i == kVaegt) {
            // Kilograms are no length: the weight has no value in hands.
            box->setText(QString());
        } else {
            box->setText(QString::number(std::int64_t(std::nearbyint(double(v) / double(u)))));
        }
    }
    updateHints();
}

void TMaalForm::EditChange(int tag)
{
    QLineEdit* box = EditBox(tag);
    tElev* e = host().AktivElev();
    if (box && e && box->isEnabled()) {
        const QByteArray text = box->text().toUtf8();
        const std::string_view sv(text.constData(), std::size_t(text.size()));
        if (!e->SetMaalText(tag, sv)) {
            // Too many digits for a measurement: the old value stays.
            ShowInputNote(box, NumberNoteText());
        } else if (!text.trimmed().isEmpty() && TolerantStrToInt(sv).digits.empty()) {
            // Stored as nothing, as it reads; the child is told why.
            ShowInputNote(box, NumberNoteText());
        }
    }
    UpdateModeButtons();
}

void TMaalForm::UpdateModeButtons()
{
    const tElev* e = host().AktivElev();
    for (int m = 1; m <= 5; ++m)
        ModeGroup->button(m)->setEnabled(e && e->Maal(UnitOf(m)) > 0);
    TastSpeed->setEnabled(true);
}

bool TMaalForm::ChooseMode(int m)
{
    QAbstractButton* b = ModeGroup->button(m);
    if (!b || !b->isEnabled())
        return false;
    b->setChecked(true);
    SpeedClick(m);
    return true;
}

void TMaalForm::BackSpeedClick()
{
    SaveIfChanged();
    host().ShowPage(3);
}

void TMaalForm::MaalPaintBoxPaint()
{
    QPainter screen(MaalPaintBox);
    if (!EnsureDrawing()) {
        screen.fillRect(MaalPaintBox->rect(), QColor(0xA6, 0xCA, 0xF0));
        return;
    }
    QImage& page = Drawing().PageBitmap;
    // The page bitmap holds the design box; its row 0 is the box's top.
    const QRect fig = FigureRect().translated(0, MaalPaintBox->y() - BoxTop());
    {
        Canvas c(&page);
        DrawPageLayout(c, "ansigt");
        DrawMeasureFigure(c, {fig.left(), fig.top(), fig.left() + fig.width(), fig.top() + fig.height()});
    }
    ShowPageBitmap(screen, MaalPaintBox, MaalPaintBox->width());
}
