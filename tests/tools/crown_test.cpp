// Every hairstyle covers the crown of every head shape in the built archive:
// a child whose hair leaves skin showing between the fringe and the top of
// the head looks bald. Across the middle 40 % of the head's width, the first
// pixel below the head's outline must be hair, not skin, at every size the
// pages draw a portrait and with the hair mirrored or not.
#include "canvas.h"
#include "drawing.h"
#include "portrait.h"

#include <QImage>
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

// Pure colours that no ink or fill of a hairstyle uses, so a pixel is
// skin exactly when it has the skin colour.
constexpr Colour kSkin = 0x00FF00;   // green
constexpr Colour kHair = 0xFF0000;   // blue
constexpr int kHeads = 8;
constexpr int kStyles = 24;

class Crown : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        InitDrawing();
        Drawing().PageWidth = 0;   // design size
        Drawing().PageHeight = 0;
        std::string why;
        loaded_ = LoadDataArchive(TINKELI_BIN_DIR "/tinkeli.BIN", &why);
        why_ = why;
    }
    static void TearDownTestSuite() { DoneDrawing(); }

    void SetUp() override { ASSERT_TRUE(loaded_) << why_; }

    // For each column of the middle 40 % of the head: the row of the first
    // skin pixel below the head's outline, or -1 where the column has none.
    static std::vector<int> crownRows(QImage& img, int head, IntRect& box)
    {
        img.fill(Qt::white);
        {
            Canvas c(&img);
            HeadRect(img.width(), img.height(), head, box);
            DrawHead(c, head, box, kSkin);
        }
        const int w = box.right - box.left;
        const int x0 = box.left + (w * 3 + 5) / 10, x1 = box.right - (w * 3 + 5) / 10;
        const QRgb skin = ToQRgb(kSkin), white = qRgb(255, 255, 255);
        std::vector<int> rows;
        for (int x = x0; x <= x1; ++x) {
            int y = std::max(0, box.top);
            while (y < img.height() && img.pixel(x, y) == white)
                ++y;   // above the head
            while (y < img.height() && img.pixel(x, y) != skin)
                ++y;   // the outline
            rows.push_back(y < img.height() ? y : -1);
        }
        return rows;
    }

    // "head H style S [mirrored]: N bare columns" for every pair that fails.
    static std::vector<std::string> bareCrowns(int W, int H, bool mirror)
    {
        std::vector<std::string> out;
        QImage img(W, H, QImage::Format_RGB32);
        for (int head = 0; head < kHeads; ++head) {
            IntRect box;
            const std::vector<int> rows = crownRows(img, head, box);
            const int w = box.right - box.left;
            const int x0 = box.left + (w * 3 + 5) / 10;
            for (int style = 1; style <= kStyles; ++style) {
                img.fill(Qt::white);
                {
                    Canvas c(&img);
                    DrawHead(c, head, box, kSkin);
                    IntRect hair;
                    HairRect(W, H, style, head, hair, mirror);
                    DrawHair(c, style, hair, kHair, mirror);
                }
                int bare = 0;
                for (std::size_t i = 0; i < rows.size(); ++i)
                    bare += rows[i] < 0 || img.pixel(x0 + int(i), rows[i]) == ToQRgb(kSkin) ? 1 : 0;
                if (bare > 0) {
                    std::ostringstream s;
                    s << "head " << head << " style " << style << (mirror ? " mirrored" : "") << ": " << bare << " of "
                      << rows.size() << " columns bare";
                    out.push_back(s.str());
                }
            }
        }
        return out;
    }

    static std::string join(const std::vector<std::string>& lines)
    {
        std::string s;
        for (const std::string& l : lines)
            s += l + "\n";
        return s;
    }

    static inline bool loaded_ = false;
    static inline std::string why_;
};

} // namespace

TEST_F(Crown, EveryStyleCoversTheCrownAtDesignSize)
{
    for (bool mirror : {false, true}) {
        const auto bare = bareCrowns(462, 348, mirror);
        EXPECT_TRUE(bare.empty()) << bare.size() << " pairs:\n" << join(bare);
    }
}

TEST_F(Crown, EveryStyleCoversTheCrownOnSmallAndLargePortraits)
{
    // The class overview's small cells, and a student page on a large screen.
    for (auto [W, H] : {std::pair{190, 190}, std::pair{150, 136}, std::pair{1494, 902}})
        for (bool mirror : {false, true}) {
            const auto bare = bareCrowns(W, H, mirror);
            EXPECT_TRUE(bare.empty()) << W << " x " << H << ": " << bare.size() << " pairs:\n" << join(bare);
        }
}
