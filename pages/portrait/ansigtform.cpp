// The face shape page.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ansigtform.h"

#include "chrome.h"
#include "portrait.h"

TAnsigtForm::TAnsigtForm(PageHost& host, QWidget* parent)
    : TPortraitEditor(host, {4, Del::Ansigt, 8, 434, nullptr, "Vælg ansigtets grundfarve",
                             "Gør farven lysere eller mørkere"},
                      parent)
{
}

int TAnsigtForm::ItemHeight(int clientWidth, int clientHeight)
{
    return MinInt(MulDiv(clientWidth, 12, 11), clientHeight / 8);
}

int TAnsigtForm::ItemHeightFor(int clientWidth, int clientHeight) const
{
    return ItemHeight(clientWidth, clientHeight);
}

void TAnsigtForm::DrawItem(Canvas& c, int index, const IntRect& rect, bool)
{
    // The head as on a page of the item's width and 5/4 of its height, in
    // white rather than the pupil's skin colour.
    const int h = MulDiv(rect.bottom - rect.top, 5, 4);
    IntRect R;
    HeadRect(rect.right - rect.left, h, index, R);
    const int dx = rect.left, dy = rect.top - h / 10;
    R = {R.left + dx, R.top + dy, R.right + dx, R.bottom + dy};
    DrawHead(c, index, R, 0xFFFFFF);
}
