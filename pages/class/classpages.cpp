// Creating the class pages.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "classpages.h"

#include "hobbysetupform.h"
#include "klasseform.h"
#include "setupform.h"

void CreateClassPages(PageHost& host, QWidget* parent, std::array<Page*, 19>& pages)
{
    pages[1] = new TKlasseForm(host, parent);
    pages[2] = new TSetupForm(host, parent);
    pages[12] = new THobbySetupForm(host, parent);
}
