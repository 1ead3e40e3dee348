// The pages still to come.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "placeholderpage.h"

#include "pagehost.h"

#include <QPainter>

PlaceholderPage::PlaceholderPage(PageHost& host, int number, int backPage, QWidget* parent)
    : Page(host, number, parent)
{
    Panel2 = new SidePanel(this);
    if (backPage > 0) {
        BackSpeed = new SpeedButton("back", backPage == 1 ? "Tilbage til klasse-oversigten" : "Tilbage til forsiden",
                                    Panel2);
        connect(BackSpeed, &QToolButton::clicked, this, [this, backPage] {
            SaveWork();
            this->host().ShowPage(backPage);
        });
    }
}

void PlaceholderPage::layoutPage()
{
    Panel2->setGeometry(0, 0, S(kColumnWidth), height());
    if (BackSpeed)
        BackSpeed->place(B(8, 8, 73, 73));
}

void PlaceholderPage::paintEvent(QPaintEvent*)
{
    EnsureDrawing();
    QPainter p(this);
    p.fillRect(rect(), QColor(0xA6, 0xCA, 0xF0));
}
