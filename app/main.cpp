// Tinkeli: start-up.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "datefmt.h"

#include <QApplication>
#include <QLocale>
#include <QMainWindow>

namespace {

// The records read and write birth dates in the user's short date format.
void applyDateFormat()
{
    const QLocale loc = QLocale::system();
    if (loc.language() == QLocale::C) {
        SetShortDateFormat(DateFormat::Danish());
        return;
    }
    SetShortDateFormat(DateFormat::FromPattern(loc.dateFormat(QLocale::ShortFormat).toStdString()));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tinkeli");
    applyDateFormat();
    QMainWindow w;
    w.setWindowTitle("Tinkeli");
    w.showMaximized();
    return app.exec();
}
