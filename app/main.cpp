// Tinkeli: start-up.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "datefmt.h"
#include "mainwindow.h"
#include "splash.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QScreen>
#include <QTimer>

namespace {

// The class setup shows when a pupil's file was last changed in the user's
// short date format (birth dates are always "dd-MM-yyyy", as the files hold
// them); a locale without one (C, POSIX) gets the Danish day-month-year.
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
    QApplication::setApplicationName(QStringLiteral("Tinkeli"));
    QApplication::setApplicationVersion(QStringLiteral(TINKELI_VERSION));
    applyDateFormat();
    // The program speaks Danish, so Qt's own dialogs (files, printing) do too.
    QTranslator qtDanish;
    if (qtDanish.load(QLocale(QLocale::Danish, QLocale::Denmark), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtDanish);

    TSplashScreen splash;
    splash.show();
    app.processEvents();
    QElapsedTimer shown;
    shown.start();

    TMain::Options opt;
    opt.params = app.arguments().mid(1);
    TMain w(opt);
    // Maximised; a window manager that will not maximise gets the whole
    // available screen all the same.
    if (QScreen* s = QGuiApplication::primaryScreen())
        w.setGeometry(s->availableGeometry());
    w.showMaximized();
    splash.raise();

    // The splash stays at least two seconds, then the empty class overview.
    const int wait = std::max<qint64>(0, 2000 - shown.elapsed());
    QTimer::singleShot(wait, &w, [&] {
        splash.close();
        w.FormShow();
    });
    return app.exec();
}
