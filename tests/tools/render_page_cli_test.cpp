// tinkeli-tool render page 15 end to end: the branch page of the leaf that
// --select names, as the tree's edit button opens it, or of nobody; the
// pupil's file is never written.
#include "../support/tempdir.h"
#include "elev.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

int render(const QStringList& args, QString* err = nullptr)
{
    QProcess p;
    p.start(QStringLiteral(TINKELI_BIN_DIR "/tinkeli-tool"), QStringList{"render", "page"} + args);
    if (!p.waitForFinished(60000))
        return -1;
    if (err)
        *err = QString::fromUtf8(p.readAllStandardError());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
}

QByteArray bytesOf(const std::string& path)
{
    QFile f(QString::fromStdString(path));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(RenderPageCommand, BranchPageOfTheSelectedLeafOrOfNobody)
{
    TempDir dir;
    tElev e;
    (void)e.SetKaldenavn("Ida");
    e.AddGren(1);
    e.AddGren(0);
    const int g = e.AddGren(2);
    e.SetGrenRaekke(g, 1);
    (void)e.SetGrenTekst(g, GrenTekst::Bladnavn, "Moster");
    Pixels24 red(kPhotoWidth, kPhotoHeight);
    for (std::size_t k = 0; k < red.data.size(); k += 3)
        red.data[k + 2] = 230;
    ASSERT_TRUE(e.SetGrenFoto(g, red));
    e.SetAendret();
    const std::string ele = dir.file("4a_Ida.ele");
    ASSERT_TRUE(e.SaveToFile(ele));
    const QByteArray before = bytesOf(ele);
    const QString file = QString::fromStdString(ele);
    const QString chosen = QString::fromStdString(dir.file("valgt.png"));
    const QString nobody = QString::fromStdString(dir.file("ingen.png"));

    QString err;
    ASSERT_EQ(render({"15", "--pupil-file", file, "--select", "2", "--size", "1024x768", "-o", chosen}, &err), 0)
        << err.toStdString();
    ASSERT_EQ(render({"15", "--pupil-file", file, "--size", "1024x768", "-o", nobody}, &err), 0)
        << err.toStdString();
    const QImage a(chosen), b(nobody);
    ASSERT_EQ(a.size(), QSize(1024, 768));
    ASSERT_EQ(b.size(), QSize(1024, 768));
    // At 1024 x 768 a design unit is 1.6 pixels and the design box starts
    // 24 pixels down. The photo box's middle (design 154, 90) and the note's
    // lower right (design 600, 420).
    const QPoint photo(246, 168), note(960, 696);
    EXPECT_EQ(QColor(a.pixel(photo)), QColor(230, 0, 0));
    EXPECT_EQ(QColor(a.pixel(note)), QColor(0, 255, 0));   // a field to type in
    EXPECT_NE(QColor(b.pixel(photo)), QColor(230, 0, 0));
    EXPECT_NE(QColor(b.pixel(note)), QColor(0, 255, 0));   // off: nobody to edit

    // No such leaf: exit 1, no picture.
    const QString bad = QString::fromStdString(dir.file("bad.png"));
    EXPECT_EQ(render({"15", "--pupil-file", file, "--select", "9", "-o", bad}), 1);
    EXPECT_FALSE(QFile::exists(bad));
    EXPECT_EQ(bytesOf(ele), before);
}
