// The commands of tinkeli-tool. Each takes the arguments after its own name
// and returns the process exit code.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// Pupil and class files (records_cmds.cpp).
int CmdExport(const QStringList& args);
int CmdImport(const QStringList& args);
int CmdDemoClass(const QStringList& args);

// The archive builder (builder_cmds.cpp).
int CmdArchiveBuild(const QStringList& args);
int CmdArchiveVerify(const QStringList& args);
int CmdRenderGallery(const QStringList& args);

// The program's pages (page_cmds.cpp).
int CmdRenderPage(const QStringList& args);
int CmdSavePage(const QStringList& args);
int CmdBook(const QStringList& args);

// The pupil list as CSV (classcsv_cmds.cpp).
int CmdClassCsv(const QStringList& args);

// The drawing archive and rendering (graphics_cmds.cpp).
int CmdArchive(const QStringList& args);
int CmdRender(const QStringList& args);

// A picture file made into a leaf's photo (photo_cmds.cpp).
int CmdPhoto(const QStringList& args);
