// TAnsigtForm, page 4: the shape of the head and the skin colour.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editorpage.h"

class TAnsigtForm final : public TPortraitEditor {
    Q_OBJECT
public:
    TAnsigtForm(PageHost& host, QWidget* parent);

    /// The items are 12/11 of the list's width high, but all eight must fit
    /// its height.
    static int ItemHeight(int clientWidth, int clientHeight);

protected:
    int ItemHeightFor(int clientWidth, int clientHeight) const override;
    void DrawItem(Canvas& c, int index, const IntRect& rect, bool selected) override;
};
