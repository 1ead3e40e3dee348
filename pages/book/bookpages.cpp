// Creating the book pages.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "bookpages.h"

#include "page.h"

void CreateBookPages(PageHost& host, QWidget* parent, std::array<Page*, 19>& pages)
{
    (void)host;
    (void)parent;
    (void)pages;
}
