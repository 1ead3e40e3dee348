// The class pages: the overview (1), the setup (2), the class's hobby offer
// (12) and the statistics (18).
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

class Page;
class PageHost;
class QWidget;

/// Creates the class pages as children of \a parent in their slots of \a pages.
void CreateClassPages(PageHost& host, QWidget* parent, std::array<Page*, 19>& pages);
