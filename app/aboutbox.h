// TAboutBox: "Om Tinkeli", with the version and the credits of the art.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QPushButton;

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent);
    QPushButton* OKButton;
    /// The credits the art's licences ask for.
    static QString Credits();
};
