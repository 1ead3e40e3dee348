// The student page.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "elevform.h"

#include "canvas.h"
#include "chrome.h"
#include "drawing.h"
#include "elev.h"
#include "pagehost.h"
#include "portrait.h"
#include "qansi.h"

#include <QPainter>

namespace {

QLabel* infoPanel(QWidget* parent, const QString& colour, const QString& textColour)
{
    auto* l = new QLabel(parent);
    l->setAlignment(Qt::AlignCenter);
    l->setAutoFillBackground(true);
    l->setStyleSheet(QStringLiteral("QLabel { background: %1; color: %2; font-family: Arial; font-weight: bold; }")
                         .arg(colour, textColour));
    return l;
}

} // namespace

TElevForm::TElevForm(PageHost& host, QWidget* parent) : Page(host, 3, parent)
{
    Panel2 = new SidePanel(this);
    Panel1 = new SidePanel(this);
    BackSpeed = new SpeedButton("back", "Tilbage til klasse-oversigten", Panel2);
    StopSpeed = new SpeedButton("stop", "Tilbage til forsiden", Panel2);
    StopSpeed->hide();
    DataSpeed = new SpeedButton("ruler", "Skriv højde, vægt osv.", Panel2);
    WriteSpeed = new SpeedButton("book", "Skriv i poesi-bogen", Panel2);
    HobbySpeed = new SpeedButton("hobby", "Sæt kryds ved hobbyer", Panel2);
    TreeSpeed = new SpeedButton("tree", "Lav et stamtræ", Panel2);
    FaceSpeed = new SpeedButton("face", "Vælg form og farve på hovedet", Panel1);
    HairSpeed = new SpeedButton("hair", "Vælg hår og hårfarve", Panel1);
    BrowSpeed = new SpeedButton("brow", "Vælg form og farve på øjenbryn", Panel1);
    EyeSpeed = new SpeedButton("eye", "Vælg øjne og øjenfarve", Panel1);
    NoseSpeed = new SpeedButton("nose", "Vælg næse", Panel1);
    MouthSpeed = new SpeedButton("mouth", "Vælg form og farve på munden", Panel1);
    GlassSpeed = new SpeedButton("glasses", "Vælg briller", Panel1);

    ElevPaintBox = new PaintBox(this, [this](QPaintEvent*) { ElevPaintBoxPaint(); });
    ElevPanel = new QWidget(this);
    ElevPanel->setAutoFillBackground(true);
    ElevPanel->setStyleSheet(QStringLiteral("background: #A6CAF0;"));
    ElevTopPanel = infoPanel(ElevPanel, "#0000FF", "#FFFFFF");
    // White on sky blue cannot be read; the two info lines use dark blue.
    OplysPanel1 = infoPanel(ElevPanel, "#A6CAF0", "#000080");
    OplysPanel2 = infoPanel(ElevPanel, "#A6CAF0", "#000080");

    connect(BackSpeed, &QToolButton::clicked, this, [this] { this->host().ShowPage(1); });
    connect(StopSpeed, &QToolButton::clicked, this, [this] { this->host().LukClick(); });
    connect(FaceSpeed, &QToolButton::clicked, this, [this] { this->host().ShowPage(4); });
    connect(HairSpeed, &QToolButton::clicked, this, [this] { this->host().ShowPage(5); });
    connect(EyeSpeed, &QToolButton::clicked, this, [this] { this->host().ShowPage(6); });
    connect(BrowSpeed, &QToolButton::clicked, this, [this] { this->host().ShowPage(7); });
    connect(MouthSpeed, &QToolButton::clicked, this, [this] { this->host().ShowPage(8); });
    connect(NoseSpeed, &QToolButton::clicked, this, [this] { this->host().ShowPage(9); });
    connect(GlassSpeed, &QToolButton::clicked, this, [this] { this->host().ShowPage(10); });
    connect(DataSpeed, &QToolButton::clicked, this, [this] { this->host().ShowPage(11); });
    connect(HobbySpeed, &QToolButton::clicked, this, [this] { this->host().ShowPage(13); });
    connect(TreeSpeed, &QToolButton::clicked, this, [this] { this->host().ShowPage(14); });
    connect(WriteSpeed, &QToolButton::clicked, this, [this] { this->host().ShowPage(16); });
}

QList<SpeedButton*> TElevForm::contentButtons() const
{
    return {DataSpeed, WriteSpeed, HobbySpeed, TreeSpeed, FaceSpeed, HairSpeed,
            BrowSpeed, EyeSpeed, NoseSpeed, MouthSpeed, GlassSpeed};
}

void TElevForm::EnableButtons()
{
    for (auto* b : contentButtons())
        b->setEnabled(true);
}

void TElevForm::DisableButtons()
{
    for (auto* b : contentButtons())
        b->setEnabled(false);
}

void TElevForm::SetClassMode(bool classMode)
{
    classMode_ = classMode;
    BackSpeed->setVisible(classMode);
    StopSpeed->setVisible(!classMode);
}

void TElevForm::layoutPage()
{
    const int col = S(kColumnWidth);
    Panel2->setGeometry(0, 0, col, height());
    Panel1->setGeometry(width() - col, 0, col, height());
    BackSpeed->place(B(8, 8, 73, 73));
    StopSpeed->place(B(8, 8, 73, 73));
    DataSpeed->place(B(8, 80, 73, 73));
    WriteSpeed->place(B(8, 152, 73, 73));
    HobbySpeed->place(B(8, 224, 73, 73));
    TreeSpeed->place(B(8, 296, 73, 73));
    int y = 8;
    for (auto* b : {FaceSpeed, HairSpeed, BrowSpeed, EyeSpeed, NoseSpeed, MouthSpeed, GlassSpeed}) {
        b->place(B(8, y, 73, 53));
        y += 52;
    }
    ElevPaintBox->setGeometry(col, 0, std::max(0, width() - 2 * col), height());
    // The name box keeps its design size and sits centred under the face,
    // also on screens wider than the 4:3 design.
    const QRect box = B(108, 376, 409, 65);
    ElevPanel->setGeometry(col + (ElevPaintBox->width() - box.width()) / 2, box.top(), box.width(), box.height());
    ElevTopPanel->setGeometry(0, 0, box.width(), S(21));
    OplysPanel1->setGeometry(0, S(26), box.width(), S(21));
    // The last line reaches down to the box's edge, not past it.
    OplysPanel2->setGeometry(0, S(45), box.width(), box.height() - S(45));
    QFont f(QStringLiteral("Arial"));
    f.setBold(true);
    f.setPixelSize(std::max(8, S(13)));
    for (QLabel* l : {ElevTopPanel, OplysPanel1, OplysPanel2})
        l->setFont(f);
}

void TElevForm::pageShown()
{
    const tElev* e = host().AktivElev();
    ElevTopPanel->setText(e ? ansi::ToQString(e->Kaldenavn()) : QString());
    OplysPanel1->setText(e ? ansi::ToQString(e->FuldeNavn()) : QString());
    OplysPanel2->setText(e ? ansi::ToQString(e->Foedselsdag()) : QString());
}

void TElevForm::ElevPaintBoxPaint()
{
    QPainter screen(ElevPaintBox);
    if (!EnsureDrawing()) {
        screen.fillRect(ElevPaintBox->rect(), QColor(0xA6, 0xCA, 0xF0));
        return;
    }
    QImage& page = Drawing().PageBitmap;
    const int W = std::min(ElevPaintBox->width(), page.width());
    const int H = ElevPanel->geometry().top() - BoxTop();
    {
        Canvas c(&page);
        if (const tElev* e = host().AktivElev())
            DrawPortrait(c, *e, "elev", W, H);
        else
            DrawPageLayout(c, "elev");
    }
    ShowPageBitmap(screen, ElevPaintBox, W);
}
