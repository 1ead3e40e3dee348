// One small portrait drawn from the built archive, compared with a stored
// picture: a broken art pipeline (a lost key colour, parts in the wrong
// place, a muddy fill table) shows here. Edges may move a little.
#include "archive.h"
#include "canvas.h"
#include "drawing.h"
#include "portrait.h"

#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

namespace {

PortraitParts goldenFace()
{
    PortraitParts p{};
    auto set = [&](Del d, int type, Colour c) {
        p[std::size_t(d)].Type = std::int16_t(type);
        p[std::size_t(d)].Farve = c;
    };
    set(Del::Ansigt, 2, 0x7C9CD8);   // RGB D8 9C 7C
    set(Del::Haar, 14, 0x1C3C6C);
    set(Del::Oejne, 3, 0x50803C);
    set(Del::Bryn, 2, 0x1C3C6C);
    set(Del::Mund, 5, 0x4C48C0);
    set(Del::Naese, 1, 0);
    set(Del::Briller, 2, 0xA03020);
    p[std::size_t(Del::Oejne)].Vinkel = 3;
    return p;
}

} // namespace

TEST(Golden, APortraitFromTheBuiltArchive)
{
    const std::string archive = TINKELI_BIN_DIR "/tinkeli.BIN";
    InitDrawing();
    Drawing().PageWidth = 0;   // design size
    Drawing().PageHeight = 0;
    std::string why;
    ASSERT_TRUE(LoadDataArchive(archive, &why)) << why;
    QImage face(120, 120, QImage::Format_RGB32);
    face.fill(Qt::white);
    {
        Canvas c(&face);
        DrawPortrait(c, goldenFace(), std::string_view(), 120, 120);
    }
    DoneDrawing();
    const QString golden = QStringLiteral(TINKELI_TEST_DATA "/golden/portrait-120.png");
    if (qEnvironmentVariableIsSet("TINKELI_UPDATE_GOLDEN")) {
        ASSERT_TRUE(face.save(golden));
        GTEST_SKIP() << "golden picture written";
    }
    QImage want(golden);
    ASSERT_FALSE(want.isNull()) << "missing " << qPrintable(golden);
    want = want.convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(want.size(), face.size());
    int far = 0;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 120; ++x) {
            const QRgb a = face.pixel(x, y), b = want.pixel(x, y);
            const int d = std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                    std::abs(qBlue(a) - qBlue(b))});
            far += d > 48 ? 1 : 0;
        }
    EXPECT_LE(far, 120 * 120 / 50) << far << " pixels differ clearly";   // at most 2 %
}

// Every shape of every page background of the built archive lies inside its
// box at every page size, so no gradient wraps round into a stray line.
TEST(Golden, LayoutShapesLieInsideTheirBoxes)
{
    const std::string archive = TINKELI_BIN_DIR "/tinkeli.BIN";
    for (auto [w, h] : {std::pair{551, 450}, std::pair{1130, 1080}, std::pair{767, 636}, std::pair{1003, 922},
                        std::pair{1491, 1080}, std::pair{640, 530}, std::pair{2261, 2160}}) {
        DataArchive a;
        ArchiveReadError err;
        ASSERT_TRUE(ReadDataArchiveFile(archive, w, h, a, &err)) << err.message;
        int outside = 0;
        std::string first;
        for (const Layout& l : a.Layouts)
            for (const LayoutElement& e : l.Elements)
                for (const QPoint& p : e.IntPoints)
                    if (p.x() < e.Bounds.left || p.x() > e.Bounds.right || p.y() < e.Bounds.top
                        || p.y() > e.Bounds.bottom) {
                        if (first.empty())
                            first = l.Name;
                        ++outside;
                    }
        EXPECT_EQ(outside, 0) << w << " x " << h << ", first in layout " << first;
    }
}
