// The pages of a pupil's book beyond the portrait: measurements (11),
// hobbies (13), family tree (14), branch page (15), poetry book (16) and its
// background (17).
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

class Page;
class PageHost;
class QWidget;

/// Creates the book pages as children of \a parent in their slots of \a pages.
void CreateBookPages(PageHost& host, QWidget* parent, std::array<Page*, 19>& pages);
