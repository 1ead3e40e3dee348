// Creating the face editor pages.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors.h"

#include "ansigtform.h"
#include "featureforms.h"
#include "haarform.h"

void CreatePortraitEditors(PageHost& host, QWidget* parent, std::array<Page*, 19>& pages)
{
    pages[4] = new TAnsigtForm(host, parent);
    pages[5] = new THaarForm(host, parent);
    pages[6] = new TEyeForm(host, parent);
    pages[7] = new TBrowForm(host, parent);
    pages[8] = new TMouthForm(host, parent);
    pages[9] = new TNoseForm(host, parent);
    pages[10] = new TGlassForm(host, parent);
}
