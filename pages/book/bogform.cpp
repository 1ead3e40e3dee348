// The poetry book.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "bogform.h"

#include "bogbaggrund.h"
#include "canvas.h"
#include "chrome.h"
#include "drawing.h"
#include "elev.h"
#include "pagehost.h"
#include "qansi.h"
#include "textinput.h"

#include <QKeyEvent>
#include <QPainter>

#include <algorithm>

namespace {

const std::array<BogRow, kBogRows> kRows = {{
    {1, "Fritid", 137, "Min fritidsinteresse"},
    {2, "Job", 121, "Mit drømme-job"},
    {3, "Farve", 41, "Min yndlingsfarve"},
    {4, "Tal", 25, "Mit lykketal"},
    {5, "Mad", 133, "Min livret"},
    {6, "Ven", 57, "Min bedste ven"},
    {7, "Idol", 81, "Mit idol/forbillede"},
    {8, "Ting", 121, "Min bedste ting"},
    {9, "Sport", 121, "Min bedste sport"},
    {10, "Dyr", 109, "Mit bedste kæledyr"},
    {11, "Musik", 129, "Min bedste musik"},
    {12, "Film", 129, "Min bedste film"},
    {13, "Bog", 129, "Min bedste bog"},
    {14, "Tv", 113, "Mit bedste tv-program"},
    {15, "Spil", 81, "Mit bedste computerspil"},
    {16, "Sjov", 189, "Min sjoveste oplevelse"},
    {17, "Vaerste", 189, "Min værste oplevelse"},
    {18, "Glaeder", 81, "Jeg glæder mig til"},
}};

// Design places: row i at y = 12 + 24 (i - 1); captions end at x = 232, the
// boxes begin at x = 240 and are 19 high.
constexpr int kRowTop = kBogRowTop, kRowStep = kBogRowStep, kRowHeight = kBogRowHeight;
constexpr int kCaptionRight = kBogCaptionRight, kEditLeft = kBogEditLeft;

} // namespace

const std::array<BogRow, kBogRows>& BogRows()
{
    return kRows;
}

TBogForm::TBogForm(PageHost& host, QWidget* parent) : Page(host, 16, parent)
{
    BogPaintBox = new PaintBox(this, [this](QPaintEvent*) { BogPaintBoxPaint(); });
    Panel2 = new SidePanel(this);
    BackSpeed = new SpeedButton("back", "Tilbage til elev-forsiden", Panel2);
    RedigerSpeed = new SpeedButton("background", "Vælg en anden baggrund", Panel2);

    for (const BogRow& row : kRows) {
        const auto i = std::size_t(row.tag);
        const QString stem = QString::fromLatin1(row.name);
        // The shadow first, so the caption lies over it.
        LabelSkygge[i] = new QLabel(QString::fromUtf8(row.caption), this);
        LabelSkygge[i]->setObjectName(stem + "LabelSkygge");
        LabelSkygge[i]->setProperty("Tag", 3);
        Label[i] = new QLabel(QString::fromUtf8(row.caption), this);
        Label[i]->setObjectName(stem + "Label");
        Label[i]->setProperty("Tag", 2);
        for (QLabel* l : {LabelSkygge[i], Label[i]}) {
            l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            l->setAttribute(Qt::WA_TransparentForMouseEvents);
        }
        Edit[i] = new QLineEdit(this);
        Edit[i]->setObjectName(stem + "Edit");
        Edit[i]->setProperty("Tag", row.tag);
        Edit[i]->setFrame(false);
        Edit[i]->setAutoFillBackground(true);
        Edit[i]->setMaxLength(kMaxAnswer);
        Edit[i]->installEventFilter(this);
        GuardAnsiInput(Edit[i]);
        connect(Edit[i], &QLineEdit::textEdited, this, [this, tag = row.tag] { EditChange(tag); });
    }
    for (int i = 1; i < kBogRows; ++i)
        setTabOrder(Edit[std::size_t(i)], Edit[std::size_t(i + 1)]);
    // The main window gives the page the focus: the first answer takes it.
    setFocusProxy(Edit[1]);

    connect(BackSpeed, &QToolButton::clicked, this, &TBogForm::BackSpeedClick);
    connect(RedigerSpeed, &QToolButton::clicked, this, &TBogForm::RedigerSpeedClick);
}

void TBogForm::layoutPage()
{
    const int col = S(kColumnWidth);
    Panel2->setGeometry(0, 0, col, height());
    BackSpeed->place(B(8, 8, 73, 73));
    RedigerSpeed->place(B(8, 80, 73, 73));
    BogPaintBox->setGeometry(col, 0, std::max(0, width() - col), height());

    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(std::max(8, S(13)));
    const int shadow = std::max(1, S(1));
    for (const BogRow& row : kRows) {
        const auto i = std::size_t(row.tag);
        const int y = kRowTop + kRowStep * (row.tag - 1);
        // The caption may use everything between the column and its box.
        const QRect caption = B(kColumnWidth + 2, y, kCaptionRight - kColumnWidth - 2, kRowHeight);
        Label[i]->setGeometry(caption);
        LabelSkygge[i]->setGeometry(caption.translated(shadow, shadow));
        Edit[i]->setGeometry(B(kEditLeft, y, row.width, kRowHeight));
        for (QWidget* w : {static_cast<QWidget*>(Label[i]), static_cast<QWidget*>(LabelSkygge[i]),
                           static_cast<QWidget*>(Edit[i])})
            w->setFont(f);
    }
}

void TBogForm::pageShown()
{
    const tElev* e = host().AktivElev();
    for (const BogRow& row : kRows) {
        QLineEdit* edit = Edit[std::size_t(row.tag)];
        const QString text = e ? ansi::ToQString(e->BogTekst(row.tag)) : QString();
        // An answer longer than the boxes allow (an older file) is kept
        // whole; the pupil can only shorten it.
        edit->setMaxLength(std::max(kMaxAnswer, int(text.size())));
        // Filling the boxes stores nothing: only typing does (textEdited).
        edit->setText(text);
        edit->setCursorPosition(0);
        edit->setEnabled(e != nullptr);
    }
    SetColours();
}

void TBogForm::SetColours()
{
    const tElev* e = host().AktivElev();
    shown_ = ShownBaggrund(e ? e->BagsideValg() : 1);
    const BogBaggrund& b = Baggrund(shown_);
    QPalette field = Edit[1]->palette();
    field.setColor(QPalette::Base, ToQColor(b.felt));
    field.setColor(QPalette::Window, ToQColor(b.felt));
    field.setColor(QPalette::Text, ToQColor(b.feltTekst));
    QPalette caption = Label[1]->palette();
    caption.setColor(QPalette::WindowText, ToQColor(b.tekst));
    QPalette shadow = LabelSkygge[1]->palette();
    shadow.setColor(QPalette::WindowText, ToQColor(b.skygge));
    for (int i = 1; i <= kBogRows; ++i) {
        Edit[std::size_t(i)]->setPalette(field);
        Label[std::size_t(i)]->setPalette(caption);
        LabelSkygge[std::size_t(i)]->setPalette(shadow);
    }
    BogPaintBox->update();
}

void TBogForm::EditChange(int tag)
{
    tElev* e = host().AktivElev();
    if (!e || tag < 1 || tag > kBogRows)
        return;
    // The guard lets through only what Windows-1252 holds.
    if (const auto bytes = ansi::FromQString(Edit[std::size_t(tag)]->text()))
        e->SetBogTekst(tag, *bytes);
}

void TBogForm::BackSpeedClick()
{
    SaveIfChanged();
    host().ShowPage(3);
}

void TBogForm::RedigerSpeedClick()
{
    host().ShowPage(17);
}

bool TBogForm::eventFilter(QObject* watched, QEvent* event)
{
    // Enter and the arrow keys walk from answer to answer.
    if (event->type() == QEvent::KeyPress) {
        const int tag = watched->property("Tag").toInt();
        const int key = static_cast<QKeyEvent*>(event)->key();
        int next = 0;
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Down)
            next = tag + 1;
        else if (key == Qt::Key_Up)
            next = tag - 1;
        if (next != 0 && tag >= 1 && tag <= kBogRows) {
            if (next >= 1 && next <= kBogRows)
                Edit[std::size_t(next)]->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return Page::eventFilter(watched, event);
}

QRect TBogForm::PrintArea() const
{
    const int col = S(kColumnWidth);
    return QRect(col, 0, std::max(0, width() - col), height());
}

void TBogForm::BogPaintBoxPaint()
{
    QPainter screen(BogPaintBox);
    if (!EnsureDrawing()) {
        screen.fillRect(BogPaintBox->rect(), QColor(0xA6, 0xCA, 0xF0));
        return;
    }
    QImage& page = Drawing().PageBitmap;
    // The background is drawn again only when another page drew into the
    // shared bitmap or the choice changed; the fields' colours are set
    // elsewhere, never here.
    if (page.cacheKey() != drawnKey_ || drawnBackground_ != shown_) {
        const char* name = Baggrund(shown_).layout;
        if (!FindLayout(name))
            page.fill(Qt::white);
        {
            Canvas c(&page);
            DrawPageLayout(c, name);
        }
        drawnKey_ = page.cacheKey();
        drawnBackground_ = shown_;
        ++backgroundDraws_;
    }
    ShowPageBitmap(screen, BogPaintBox, std::min(BogPaintBox->width(), page.width()));
}
