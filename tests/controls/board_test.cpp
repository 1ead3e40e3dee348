// TBoard: its paint handler sees the area being repainted, and the mouse
// gives clicks as a button would.
#include "board.h"

#include <QApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <vector>

TEST(Board, StartsWhiteAndSmall)
{
    TBoard b;
    EXPECT_EQ(b.Color(), QColor(Qt::white));
    EXPECT_EQ(b.geometry(), QRect(10, 10, 65, 65));
    EXPECT_TRUE(b.UpdateRect().isEmpty());
    // Painted without a handler: its colour.
    b.SetColor(QColor(0xA6, 0xCA, 0xF0));
    const QImage shot = b.grab().toImage();
    EXPECT_EQ(shot.pixelColor(0, 0), QColor(0xA6, 0xCA, 0xF0));
    EXPECT_EQ(shot.pixelColor(64, 64), QColor(0xA6, 0xCA, 0xF0));
}

TEST(Board, ThePaintHandlerKnowsWhatIsRepainted)
{
    QWidget top;
    top.resize(300, 100);
    auto* b = new TBoard(&top);
    b->setGeometry(0, 0, 300, 100);
    std::vector<QRect> seen;
    b->OnPaint = [&] {
        seen.push_back(b->UpdateRect());
        QPainter p(b);
        p.fillRect(QRect(0, 0, 50, 50), Qt::red);
    };
    top.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&top));
    seen.clear();
    b->repaint(QRect(100, 0, 50, 100));
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], QRect(100, 0, 50, 100));
    EXPECT_TRUE(b->UpdateRect().isEmpty());   // only while painting
    b->repaint();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1], b->rect());
    const QImage shot = b->grab().toImage();
    EXPECT_EQ(shot.pixelColor(10, 10), QColor(Qt::red));
    EXPECT_EQ(shot.pixelColor(60, 60), QColor(Qt::white));
}

TEST(Board, ClicksPressesAndSizes)
{
    QWidget top;
    top.resize(200, 100);
    auto* b = new TBoard(&top);
    b->setGeometry(0, 0, 200, 100);
    top.show();
    QSignalSpy clicks(b, &TBoard::OnClick);
    QSignalSpy doubles(b, &TBoard::OnDblClick);
    QSignalSpy downs(b, &TBoard::OnMouseDown);
    QSignalSpy ups(b, &TBoard::OnMouseUp);
    QSignalSpy resized(b, &TBoard::OnResize);

    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(30, 40));
    EXPECT_EQ(clicks.count(), 1);
    ASSERT_EQ(downs.count(), 1);
    EXPECT_EQ(downs[0][2].toPoint(), QPoint(30, 40));
    EXPECT_EQ(downs[0][0].value<Qt::MouseButton>(), Qt::LeftButton);
    EXPECT_EQ(ups.count(), 1);

    // Released outside, or with another button: no click.
    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(30, 40));
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(250, 40));
    QTest::mouseClick(b, Qt::RightButton, {}, QPoint(30, 40));
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(downs.count(), 3);

    // A double click (a click, then a press that is a double click) is one
    // click and one double click, as on a button.
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(30, 40));
    QTest::mouseDClick(b, Qt::LeftButton, {}, QPoint(30, 40));
    EXPECT_EQ(doubles.count(), 1);
    EXPECT_EQ(clicks.count(), 2);

    b->resize(150, 60);
    EXPECT_GE(resized.count(), 1);
}

TEST(Board, HintsByArea)
{
    TBoard b;
    b.resize(200, 50);
    b.OnHint = [](QPoint at, QRect* area) {
        *area = QRect(at.x() / 50 * 50, 0, 50, 50);
        return at.x() < 100 ? QStringLiteral("venstre") : QString();
    };
    QRect area;
    EXPECT_EQ(b.OnHint(QPoint(60, 10), &area), "venstre");
    EXPECT_EQ(area, QRect(50, 0, 50, 50));
    // The tooltip event is taken by the board.
    QHelpEvent e(QEvent::ToolTip, QPoint(60, 10), QPoint(60, 10));
    EXPECT_TRUE(QApplication::sendEvent(&b, &e));
}
