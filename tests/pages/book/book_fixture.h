// A class of pupils on disk and the main window opened on it, for the book
// pages' tests.
#pragma once

#include "../../support/scripted_dialogs.h"
#include "../../support/tempdir.h"
#include "../../support/test_main.h"
#include "datefmt.h"
#include "elev.h"
#include "klasse.h"
#include "mainwindow.h"
#include "page.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <string>

struct BookPages : ::testing::Test {
    void SetUp() override { SetShortDateFormat(DateFormat::Danish()); }

    /// A saved class "4a" of \a pupils pupils offering \a offered.
    std::string makeClass(int pupils, std::initializer_list<int> offered = {})
    {
        tKlasse k;
        (void)k.SetKlasse("4a");
        for (int n : offered)
            k.ToggleTilbudt(n);
        for (int i = 0; i < pupils; ++i)
            k.SetElevKaldenavn(i, i == 0 ? "Ida" : "Elev" + std::to_string(i));
        const std::string path = dir.file("4a.kla");
        EXPECT_TRUE(k.SaveToFile(path));
        return path;
    }

    /// The main window on \a kla with pupil \a pupil open, showing page \a page.
    std::unique_ptr<TMain> open(const std::string& kla, int page, int pupil = 0)
    {
        TMain::Options o = TestMainOptions(dialogs, kla);
        auto w = StartTestMain(o);
        w->SetAktivElev(pupil);
        w->ShowPage(page);
        return w;
    }

    /// Makes the window active so that keys reach it.
    static void activate(TMain& w)
    {
        QApplication::setActiveWindow(&w);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
    }

    ScriptedDialogs dialogs;
    TempDir dir;
};
