// TSplashScreen: shown while the program starts.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class TSplashScreen : public QWidget {
    Q_OBJECT
public:
    TSplashScreen();

protected:
    void paintEvent(QPaintEvent*) override;
};
