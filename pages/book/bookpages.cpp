// Creating the book pages.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "bookpages.h"

#include "bladform.h"
#include "bogbagform.h"
#include "bogform.h"
#include "hobbyform.h"
#include "maalform.h"
#include "page.h"
#include "stamform.h"

void CreateBookPages(PageHost& host, QWidget* parent, std::array<Page*, 19>& pages)
{
    pages[11] = new TMaalForm(host, parent);
    pages[13] = new THobbyForm(host, parent);
    pages[14] = new TStamForm(host, parent);
    pages[15] = new TBladForm(host, parent);
    pages[16] = new TBogForm(host, parent);
    pages[17] = new TBogBagForm(host, parent);
}
