// The main window as the tests start it: nothing waits for a person and
// nothing starts on its own while a test runs.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogs.h"
#include "mainwindow.h"

#include <QSize>
#include <QString>

#include <memory>
#include <string>

/// Options that open \a param (nothing when empty) with \a dialogs answering:
/// no splash, no start dialog, no help window and no about box, the start-up work a minute
/// away, a screen of 24 bits, and every code asked for answered as right.
inline TMain::Options TestMainOptions(DialogService& dialogs, const std::string& param = {})
{
    TMain::Options o;
    if (!param.empty())
        o.params = {QString::fromStdString(param)};
    o.dialogs = &dialogs;
    o.splashMs = 0;
    o.startDelayMs = 60000;
    o.screenDepth = 24;
    o.startDialog = [] { return 0; };
    o.askCode = [](const std::string&) { return 1; };
    o.openHelp = [](const QString&) { return true; };
    o.aboutBox = [] {};
    return o;
}

/// The main window on \a o, \a size pixels, shown, with its file opened.
inline std::unique_ptr<TMain> StartTestMain(const TMain::Options& o, QSize size = {1000, 700})
{
    auto w = std::make_unique<TMain>(o);
    w->resize(size);
    w->show();
    if (!o.params.isEmpty())
        w->OpenParamFile();
    return w;
}
