// Creating the book pages.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "bookpages.h"

#include "bladform.h"
#include "page.h"
#include "stamform.h"

void CreateBookPages(PageHost& host, QWidget* parent, std::array<Page*, 19>& pages)
{
    pages[14] = new TStamForm(host, parent);
    pages[15] = new TBladForm(host, parent);
}
