// The archive builder: compiles the art's SVG sources, listed in a manifest,
// into a drawing archive (signature "VindSkriData5", wide fill table).
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "archive.h"

#include <QColor>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <vector>

/// One line of a manifest:
///   picture NAME SOURCE.svg [key=#RRGGBB] [crop=x,y,w,h] [mirror] [split=left|right]
///                           [outline=#RRGGBB,W] [fit]
///   layout  NAME SOURCE.svg [back=#RRGGBB]
///   include OTHER-MANIFEST
/// NAME is UTF-8 (stored as Windows-1252); SOURCE is relative to the manifest.
struct ManifestEntry {
    enum class Kind { Picture, Layout };
    Kind kind = Kind::Picture;
    QString name;
    QString source;          ///< absolute path
    QColor key;              ///< invalid: no recolourable area
    QRectF crop;
    bool mirror = false;
    enum class Split { None, Left, Right } split = Split::None;
    QColor outline;          ///< invalid: none; else a rim round the whole drawing
    double outlineWidth = 0; ///< the rim's width, SVG user units
    bool fit = false;        ///< the drawing, not its frame, fills the picture
    QColor back;             ///< layouts: invalid means white
    QString where;           ///< "file:line" for messages
};

/// Reads a manifest and everything it includes. False with messages in
/// \a errors (one per bad line; every line is checked).
bool ReadManifest(const QString& path, std::vector<ManifestEntry>& out, QStringList& errors);

struct BuildSummary {
    int pictures = 0;
    int layouts = 0;
    int elements = 0;
    int fillsUsed = 0;
    double meanColourError = 0;   ///< CIELAB, over all filled elements
    double worstColourError = 0;
    QString worstWhere;
};

/// The design size of every layout; pictures are drawn in the same space.
inline constexpr int kLayoutDesignWidth = 551;
inline constexpr int kLayoutDesignHeight = 450;

/// Builds the archive. False with messages when a source cannot be read or
/// the result would not fit the format.
bool BuildArchive(const std::vector<ManifestEntry>& entries, DataArchive& out, BuildSummary& summary,
                  QStringList& errors);
