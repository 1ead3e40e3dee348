// A page of the book that has no content yet: the button column with a way
// back, so that no button leads into a dead end.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "page.h"

class PlaceholderPage : public Page {
    Q_OBJECT
public:
    /// \a backPage 0: no back button (the class overview).
    PlaceholderPage(PageHost& host, int number, int backPage, QWidget* parent);

    SidePanel* Panel2;
    SpeedButton* BackSpeed = nullptr;

protected:
    void layoutPage() override;
    void paintEvent(QPaintEvent*) override;
};
