// The fixed catalogue of the 50 leisure interests a class can offer. Class
// and pupil files store the hobbies by number, so the numbering never changes.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

/// Number of hobbies in the catalogue, numbered 1 to kHobbyAntal.
inline constexpr int kHobbyAntal = 50;
/// Longest name, in bytes (the catalogue's entries are 14 characters wide).
inline constexpr int kHobbyNavnLaengde = 14;

/// The name of hobby \a n as Windows-1252 bytes ("Frim\xE6rker"); empty for
/// a number outside 1 to 50.
std::string_view HobbyNavn(int n);
