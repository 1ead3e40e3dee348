// Creating the face editor pages.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors.h"

#include "page.h"

void CreatePortraitEditors(PageHost&, QWidget*, std::array<Page*, 19>&)
{
}
