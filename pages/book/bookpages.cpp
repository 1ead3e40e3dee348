// Creating the book pages.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "bookpages.h"

#include "bogbagform.h"
#include "bogform.h"
#include "page.h"

void CreateBookPages(PageHost& host, QWidget* parent, std::array<Page*, 19>& pages)
{
    pages[16] = new TBogForm(host, parent);
    pages[17] = new TBogBagForm(host, parent);
}
