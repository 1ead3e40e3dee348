// TPasswordDlg: the code dialog that guards a pupil's book and the class
// setup. One placeholder per character of the code; a face tells how it goes.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <string>

class QLabel;
class QLineEdit;
class SpeedButton;

class TPasswordDlg : public QDialog {
    Q_OBJECT
public:
    explicit TPasswordDlg(QWidget* parent);

    /// Shows the dialog for \a ansiCode: 1 when the user confirmed exactly
    /// that code (case matters), 2 otherwise.
    int AskCode(const std::string& ansiCode);
    /// Prepares the dialog for \a ansiCode without showing it (tests).
    void Prepare(const std::string& ansiCode);
    /// The answer for the way the dialog closed.
    int Answer(int dialogResult) const;

    QLabel* KodeLabel;
    QLineEdit* MaskEdit;
    SpeedButton* OkSpeed;
    SpeedButton* CancelSpeed;
    QLabel* GladSmiley;
    QLabel* NeutralSmiley;
    QLabel* SurSmiley;

    /// The text typed so far, as Windows-1252 (empty when it holds a
    /// character the code cannot).
    std::string Typed() const;

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    void MaskEditChange();
    std::string code_;
};
