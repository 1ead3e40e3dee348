// The face editor pages 4 to 10 and their tool palettes.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

class Page;
class PageHost;
class QWidget;

/// Creates the editor pages as children of \a parent and puts each into its
/// slot of \a pages (4 face shape, 5 hair, 6 eyes, 7 brows, 8 mouth, 9 nose,
/// 10 glasses). Slots it leaves empty are filled by the caller.
void CreatePortraitEditors(PageHost& host, QWidget* parent, std::array<Page*, 19>& pages);
