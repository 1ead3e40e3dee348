// The start dialog.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "startdialog.h"

#include "dialogs.h"
#include "page.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>

TStartDialog::TStartDialog(QWidget* parent, std::function<void(const QString&)> showHelp)
    : QDialog(parent), showHelp_(std::move(showHelp))
{
    setWindowTitle(QStringLiteral("Start"));
    setFixedSize(639, 318);
    SetDialogFrame(this);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0, 0, 255));
    setPalette(pal);

    auto* panel2 = new SidePanel(this);
    panel2->setGeometry(0, 0, 165, 318);
    auto* panel1 = new SidePanel(this);
    panel1->setGeometry(320, 0, 165, 318);

    StopSpeed = new SpeedButton("stop", QStringLiteral("Afbryd programmet"), panel2);
    ElevSpeed = new SpeedButton("pupil", QStringLiteral("Åbn en elev"), panel2);
    KlasseSpeed = new SpeedButton("class", QStringLiteral("Åbn hele klassen"), panel2);
    RedigerSpeed = new SpeedButton("class-edit", QStringLiteral("Ret og tilføj i en klasse"), panel1);
    NySpeed = new SpeedButton("new", QStringLiteral("Opret en ny klasse"), panel1);
    HelpSpeed = new SpeedButton("help", QStringLiteral("Få hjælp til programmet"), panel1);
    SpeedButton* const buttons[6] = {StopSpeed, ElevSpeed, KlasseSpeed, RedigerSpeed, NySpeed, HelpSpeed};
    for (int i = 0; i < 6; ++i)
        buttons[i]->place(QRect(8, 8 + 104 * (i % 3), 149, 97));

    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(21);
    for (int i = 0; i < 6; ++i) {
        auto* t = new QLabel(buttons[i]->toolTip(), this);
        t->setGeometry((i < 3 ? 172 : 492), 8 + 104 * (i % 3), 141, 97);
        t->setFont(f);
        t->setWordWrap(true);
        t->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
        t->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        t->setMargin(4);
        t->setStyleSheet(QStringLiteral("QLabel { color: #A6CAF0; }"));
        t->setCursor(Qt::PointingHandCursor);
        t->installEventFilter(this);
        StaticText[i] = t;
    }

    connect(StopSpeed, &QToolButton::clicked, this, [this] { done(3); });
    connect(ElevSpeed, &QToolButton::clicked, this, [this] { done(6); });
    connect(KlasseSpeed, &QToolButton::clicked, this, [this] { done(8); });
    connect(RedigerSpeed, &QToolButton::clicked, this, [this] { done(4); });
    connect(NySpeed, &QToolButton::clicked, this, [this] { done(1); });
    connect(HelpSpeed, &QToolButton::clicked, this, [this] {
        if (showHelp_)
            showHelp_(QStringLiteral("startside.html"));
    });
}

bool TStartDialog::eventFilter(QObject* watched, QEvent* e)
{
    if (e->type() == QEvent::MouseButtonRelease) {
        SpeedButton* const buttons[6] = {StopSpeed, ElevSpeed, KlasseSpeed, RedigerSpeed, NySpeed, HelpSpeed};
        for (int i = 0; i < 6; ++i)
            if (watched == StaticText[i]) {
                buttons[i]->click();
                return true;
            }
    }
    return QDialog::eventFilter(watched, e);
}
