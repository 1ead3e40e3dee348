// Every picture and page background the program's code asks the archive for
// is on the list that `archive verify` checks, so a renamed picture cannot
// slip through unnoticed.
#include "archivenames.h"
#include "portrait.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <set>

namespace {

std::set<QString> toSet(const QStringList& l)
{
    return {l.begin(), l.end()};
}

} // namespace

TEST(ArchiveNames, PartNamesBuiltByTheDrawersAreListed)
{
    const auto face = toSet(FacePartNames());
    const auto other = toSet(OtherPictureNames());
    struct Range { std::string (*name)(int); int last; };
    for (Range r : {Range{HeadPictureName, 7}, {HairPictureName, 24}, {EyePictureName, 5}, {BrowPictureName, 4},
                    {MouthPictureName, 8}, {NosePictureName, 4}, {GlassesPictureName, 4}})
        for (int n = 0; n <= r.last; ++n)
            EXPECT_TRUE(face.count(QString::fromStdString(r.name(n)))) << r.name(n);
    for (int n = 1; n <= 50; ++n)
        EXPECT_TRUE(other.count(QString::fromStdString(HobbyPictureName(n)))) << HobbyPictureName(n);
    for (int n = 1; n <= 4; ++n)
        EXPECT_TRUE(other.count(QString::fromStdString(LeafPictureName(n)))) << LeafPictureName(n);
    EXPECT_EQ(FacePartNames().size(), 63);
}

TEST(ArchiveNames, NamesWrittenInTheCodeAreListed)
{
    const auto pictures = toSet(FacePartNames() + OtherPictureNames());
    const auto layouts = toSet(LayoutNames());
    // A name in quotes handed to a drawing call, as the pages write them.
    const QRegularExpression layoutCall(
        QStringLiteral(R"re((?:DrawPageLayout|FindLayout|DrawPortrait)\s*\([^;"]*"([^"]+)")re"));
    const QRegularExpression pictureCall(
        QStringLiteral(R"re((?:DrawPicture(?:Plain)?|FindPicture)\s*\([^;"]*"([^"]+)")re"));
    int seen = 0;
    for (const char* folder : {"graphics", "controls", "pages", "app"}) {
        QDirIterator it(QStringLiteral(TINKELI_SOURCE_DIR "/") + folder, {"*.cpp"}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile f(it.next());
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            const QString text = QString::fromUtf8(f.readAll());
            for (auto m = layoutCall.globalMatch(text); m.hasNext(); ++seen) {
                const QString name = m.next().captured(1);
                EXPECT_TRUE(layouts.count(name)) << qPrintable(f.fileName()) << ": layout " << qPrintable(name);
            }
            for (auto m = pictureCall.globalMatch(text); m.hasNext(); ++seen) {
                const QString name = m.next().captured(1);
                EXPECT_TRUE(pictures.count(name)) << qPrintable(f.fileName()) << ": picture " << qPrintable(name);
            }
        }
    }
    EXPECT_GE(seen, 4);   // the scan found the pages' layouts at least
}
