// TStartDialog: what to do first. Six picture buttons, each with a text
// beside it that does the same when clicked.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class SidePanel;
class SpeedButton;

class TStartDialog : public QDialog {
    Q_OBJECT
public:
    /// \a showHelp opens a help page; the dialog stays open.
    TStartDialog(QWidget* parent, std::function<void(const QString&)> showHelp);

    SpeedButton* StopSpeed;
    SpeedButton* ElevSpeed;
    SpeedButton* KlasseSpeed;
    SpeedButton* RedigerSpeed;
    SpeedButton* NySpeed;
    SpeedButton* HelpSpeed;
    QLabel* StaticText[6];

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    std::function<void(const QString&)> showHelp_;
};
