// The about box.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "aboutbox.h"

#include "dialogs.h"
#include "glyphs.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#ifndef TINKELI_VERSION
#define TINKELI_VERSION "0"
#endif

QString TAboutBox::Credits()
{
    return QStringLiteral(
        "<p>Drengenes frisurer og pagehåret bygger på <i>Adventurer</i> af Lisa Wischofsky, "
        "licens CC BY 4.0 (creativecommons.org/licenses/by/4.0), tilpasset til Tinkeli. "
        "De andre frisurer er tegnet til Tinkeli.</p>"
        "<p>Hobbybillederne, knapperne og baggrundenes figurer bygger på "
        "<i>Fluent Emoji</i> © Microsoft Corporation, MIT-licens.</p>"
        "<p>Hoveder, øjne, bryn, munde, næser og briller er tegnet til Tinkeli.</p>");
}

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Om Tinkeli"));
    setMinimumSize(355, 213);
    auto* layout = new QVBoxLayout(this);
    auto* head = new QHBoxLayout;
    auto* icon = new QLabel(this);
    icon->setPixmap(ProgramIcon().pixmap(64, 64));
    head->addWidget(icon);
    auto* title = new QLabel(
        QStringLiteral("<h2>Tinkeli</h2><p>Version %1</p><p>En billedbog om hver elev i klassen.</p>")
            .arg(QStringLiteral(TINKELI_VERSION)),
        this);
    head->addWidget(title, 1);
    layout->addLayout(head);
    auto* credits = new QLabel(Credits(), this);
    credits->setWordWrap(true);
    credits->setTextFormat(Qt::RichText);
    layout->addWidget(credits);
    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setDefault(true);
    layout->addWidget(OKButton, 0, Qt::AlignHCenter);
    connect(OKButton, &QPushButton::clicked, this, [this] { done(1); });
    SetDialogFrame(this);
}
