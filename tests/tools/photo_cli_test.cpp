// tinkeli-tool photo end to end: the photo a picture file would give, the
// crop option, and the exit codes of what it refuses.
#include "../support/tempdir.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

struct ToolRun {
    int exitCode = -1;
    QString out, err;
};

ToolRun tool(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(TINKELI_BIN_DIR "/tinkeli-tool"), QStringList{"photo"} + args);
    ToolRun r;
    if (!p.waitForFinished(60000))
        return r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

QString path(const TempDir& dir, const char* name)
{
    return QString::fromStdString(dir.file(name));
}

} // namespace

TEST(PhotoCommand, WritesThePhotoALeafWouldStore)
{
    TempDir dir;
    // 640 x 480: red left of 140, green up to 500, blue right of it; a dot
    // in the very middle.
    QImage in(640, 480, QImage::Format_RGB32);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            in.setPixel(x, y, x < 140 ? qRgb(255, 0, 0) : x < 500 ? qRgb(0, 200, 0) : qRgb(0, 0, 255));
    in.setPixel(320, 240, qRgb(1, 2, 3));
    ASSERT_TRUE(in.save(path(dir, "in.png")));

    // Without --crop: fully zoomed in, centred, one pixel for one.
    ToolRun r = tool({path(dir, "in.png"), "-o", path(dir, "a.png")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("crop 230,120,180,240")) << r.out.toStdString();
    QImage a(path(dir, "a.png"));
    ASSERT_EQ(a.size(), QSize(180, 240));
    EXPECT_EQ(a.pixel(90, 120), qRgb(1, 2, 3));
    EXPECT_EQ(a.pixel(0, 0), qRgb(0, 200, 0));

    // The window of the zoomed-out dialog: all green, nothing else.
    r = tool({path(dir, "in.png"), "-o", path(dir, "b.png"), "--crop", "140,0,360,480"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QImage b(path(dir, "b.png"));
    ASSERT_EQ(b.size(), QSize(180, 240));
    EXPECT_EQ(b.pixel(0, 0), qRgb(0, 200, 0));
    EXPECT_EQ(b.pixel(179, 239), qRgb(0, 200, 0));

    // A small picture is enlarged first; --crop counts in the enlarged one.
    QImage small(100, 100, QImage::Format_RGB32);
    small.fill(qRgb(10, 20, 30));
    ASSERT_TRUE(small.save(path(dir, "small.bmp")));
    r = tool({path(dir, "small.bmp"), "-o", path(dir, "c.png"), "--crop", "60,0,180,240"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("enlarged 240 x 240"));
    EXPECT_EQ(QImage(path(dir, "c.png")).pixel(5, 5), qRgb(10, 20, 30));
}

TEST(PhotoCommand, RefusedPicturesExitWithTwoAndSayWhy)
{
    TempDir dir;
    QImage thin(1, 1000, QImage::Format_RGB32);
    thin.fill(Qt::black);
    ASSERT_TRUE(thin.save(path(dir, "thin.png")));
    WriteAll(dir.file("brev.jpg"), {'h', 'e', 'j'});
    QImage ok(200, 300, QImage::Format_RGB32);
    ok.fill(Qt::white);
    ASSERT_TRUE(ok.save(path(dir, "ok.png")));
    struct Case {
        QStringList args;
        const char* says;
    };
    const Case cases[] = {
        {{path(dir, "thin.png"), "-o", path(dir, "x.png")}, "Billedet er for aflangt til et foto: 1 × 1000 punkter."},
        {{path(dir, "brev.jpg"), "-o", path(dir, "x.png")}, "Filen er ikke et billede, som programmet kan læse."},
        {{path(dir, "mangler.jpg"), "-o", path(dir, "x.png")}, "Filen findes ikke."},
        {{path(dir, "ok.png"), "-o", path(dir, "x.png"), "--crop", "21,0,180,240"}, "does not lie inside"},
        {{path(dir, "ok.png"), "-o", path(dir, "x.png"), "--crop", "1,2,3"}, "--crop wants"},
        {{path(dir, "ok.png")}, "usage:"},
    };
    for (const Case& c : cases) {
        const ToolRun r = tool(c.args);
        EXPECT_EQ(r.exitCode, 2) << c.says;
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.says))) << r.err.toStdString();
        EXPECT_FALSE(QFile::exists(path(dir, "x.png")));
    }
    // A photo that cannot be written is a failure of its own.
    const ToolRun r = tool({path(dir, "ok.png"), "-o", path(dir, "no/such/folder/x.png")});
    EXPECT_EQ(r.exitCode, 1);
}
