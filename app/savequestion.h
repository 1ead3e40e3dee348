// The question before a pupil's or a class's file is written over when
// another machine changed it since this one read it (a class folder on a
// school's network share).
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fileio.h"

#include <map>
#include <string>

class DialogService;
class QWidget;

class TSaveQuestion final : public SaveConflict {
public:
    TSaveQuestion(QWidget* parent, DialogService& dialogs) : parent_(parent), dialogs_(dialogs) {}

    /// "Gem alligevel" writes over the other machine's file; "Annuller"
    /// keeps it (and this machine's edits stay in memory).
    bool OverwriteChanged(const std::string& path, const FileStamp& onDisk) override;

    /// While the once-a-minute save runs: a file whose change was already
    /// answered with "Annuller" is not asked about again until it changes
    /// once more.
    void SetMinuteSave(bool on) { minuteSave_ = on; }
    /// While the desktop session ends nobody can answer: write.
    void SetNeverAsk(bool on) { neverAsk_ = on; }

private:
    QWidget* parent_;
    DialogService& dialogs_;
    bool minuteSave_ = false;
    bool neverAsk_ = false;
    std::map<std::string, FileStamp> declined_;
};
