// The crop dialog driven with the mouse, the wheel and its buttons, and the
// way from a picture file to the photo a leaf stores.
#include "fotoklipdlg.h"

#include "../../support/scripted_dialogs.h"
#include "../../support/scripted_photos.h"
#include "../../support/tempdir.h"
#include "page.h"
#include "slider.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <cstring>

using photo::CropFrame;

namespace {

void press(QWidget* w, QPoint p, Qt::MouseButton b = Qt::LeftButton)
{
    QMouseEvent e(QEvent::MouseButtonPress, p, w->mapToGlobal(p), b, b, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void move(QWidget* w, QPoint p, Qt::MouseButtons held = Qt::LeftButton)
{
    QMouseEvent e(QEvent::MouseMove, p, w->mapToGlobal(p), Qt::NoButton, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void release(QWidget* w, QPoint p, Qt::MouseButton b = Qt::LeftButton)
{
    QMouseEvent e(QEvent::MouseButtonRelease, p, w->mapToGlobal(p), b, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void wheel(QWidget* w, int delta)
{
    const QPointF p(10, 10);
    QWheelEvent e(p, w->mapToGlobal(p), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                  false);
    QApplication::sendEvent(w, &e);
}

QImage filled(int w, int h, QRgb c)
{
    QImage image(w, h, QImage::Format_RGB888);
    image.fill(c);
    return image;
}

// Every pixel different, so that any shift shows.
QImage numbered(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB888);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x & 0xFF, y & 0xFF, (x >> 8) * 16 + (y >> 8)));
    return image;
}

bool sameBytes(const QImage& a, const QImage& b)
{
    if (a.size() != b.size() || a.format() != b.format())
        return false;
    for (int y = 0; y < a.height(); ++y)
        if (std::memcmp(a.constScanLine(y), b.constScanLine(y), std::size_t(a.width()) * 3) != 0)
            return false;
    return true;
}

QRgb inverted(QRgb c)
{
    return qRgb(255 - qRed(c), 255 - qGreen(c), 255 - qBlue(c));
}

// The dialog shown (not modally) over a picture, as a pupil would see it.
struct Shown {
    TFotoKlipDlg dlg;
    explicit Shown(const QImage& source)
    {
        dlg.Prepare(source);
        dlg.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&dlg));
        dlg.KlipPaintBox->repaint();
    }
};

QString saveAs(const TempDir& dir, const std::string& name, const QImage& image, const char* format)
{
    const QString path = QString::fromStdString(dir.file(name));
    EXPECT_TRUE(image.save(path, format));
    return path;
}

} // namespace

TEST(FotoKlipDlg, StartsFullyZoomedInAndCentred)
{
    Shown s(filled(640, 480, qRgb(90, 90, 90)));
    EXPECT_EQ(s.dlg.ZoomSlide->KnobSize(), 33);
    EXPECT_FALSE(s.dlg.ZoomSlide->Glyph().isNull());   // the glyph is built in
    EXPECT_EQ(s.dlg.ZoomSlide->Position(), 0);
    EXPECT_EQ(s.dlg.Frame().Window(), QRect(230, 120, 180, 240));
    EXPECT_EQ(s.dlg.VanScrollBar->minimum(), 0);
    EXPECT_EQ(s.dlg.VanScrollBar->maximum(), 460);
    EXPECT_EQ(s.dlg.VanScrollBar->value(), 230);
    EXPECT_EQ(s.dlg.LodScrollBar->maximum(), 240);
    EXPECT_EQ(s.dlg.LodScrollBar->value(), 120);
    // Run again with another picture: everything starts over.
    s.dlg.ZoomSlide->SetPosition(200);
    s.dlg.ZoomSlideSlideMove();
    s.dlg.Prepare(filled(300, 600, qRgb(1, 2, 3)));
    EXPECT_EQ(s.dlg.ZoomSlide->Position(), 0);
    EXPECT_EQ(s.dlg.Frame().Window(), QRect(60, 180, 180, 240));
}

TEST(FotoKlipDlg, GuideLinesInvertThePictureOnThePhotosEdges)
{
    const QRgb grey = qRgb(10, 200, 60);
    Shown s(filled(640, 480, grey));
    const QImage& v = s.dlg.WorkBitmap();
    ASSERT_EQ(v.size(), QSize(360, 480));
    for (int x : {89, 270}) {
        EXPECT_EQ(v.pixel(x, 50), inverted(grey)) << x;
        EXPECT_EQ(v.pixel(x, 240), inverted(grey)) << x;
    }
    for (int y : {119, 360})
        EXPECT_EQ(v.pixel(200, y), inverted(grey)) << y;
    // Not one pixel further in or out: the photo itself is untouched.
    for (int x : {88, 90, 269, 271})
        EXPECT_EQ(v.pixel(x, 50), grey) << x;
    for (int y : {118, 120, 359, 361})
        EXPECT_EQ(v.pixel(200, y), grey) << y;
    // Where two lines cross, the second inverts the first back.
    EXPECT_EQ(v.pixel(89, 119), grey);
    // What the pupil sees is the same.
    const QImage screen = s.dlg.KlipPaintBox->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(screen.pixel(89, 50), inverted(grey));
    EXPECT_EQ(screen.pixel(150, 200), grey);
}

TEST(FotoKlipDlg, DraggingThePictureMovesTheWindowAndTheScrollBars)
{
    Shown s(numbered(640, 480));
    QWidget* box = s.dlg.KlipPaintBox;
    EXPECT_EQ(box->cursor().shape(), Qt::OpenHandCursor);
    press(box, {200, 200});
    EXPECT_EQ(box->cursor().shape(), Qt::ClosedHandCursor);
    move(box, {190, 195});   // the picture left and up: the window right and down
    EXPECT_EQ(s.dlg.Frame().Window().topLeft(), QPoint(240, 125));
    EXPECT_EQ(s.dlg.VanScrollBar->value(), 240);
    EXPECT_EQ(s.dlg.LodScrollBar->value(), 125);
    move(box, {-900, -900});   // far past the edge: it stops there
    EXPECT_EQ(s.dlg.Frame().Window().topLeft(), QPoint(460, 240));
    release(box, {-900, -900});
    EXPECT_EQ(box->cursor().shape(), Qt::OpenHandCursor);
    // Moving without the button, or with the right one, moves nothing.
    move(box, {300, 300}, Qt::NoButton);
    press(box, {300, 300}, Qt::RightButton);
    move(box, {100, 100}, Qt::RightButton);
    EXPECT_EQ(s.dlg.Frame().Window().topLeft(), QPoint(460, 240));
    // The view follows: the photo's top-left corner is now source (460, 240).
    box->repaint();
    EXPECT_EQ(s.dlg.WorkBitmap().pixel(90, 120), numbered(640, 480).pixel(460, 240));
}

TEST(FotoKlipDlg, TheScrollBarsMoveTheWindow)
{
    Shown s(numbered(640, 480));
    s.dlg.VanScrollBar->triggerAction(QAbstractSlider::SliderToMinimum);
    s.dlg.LodScrollBar->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(s.dlg.Frame().Window().topLeft(), QPoint(0, 240));
    s.dlg.VanScrollBar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(s.dlg.Frame().Window().left(), 180);
}

TEST(FotoKlipDlg, TheZoomSliderZoomsAboutTheWindowsCentre)
{
    Shown s(numbered(640, 480));
    TVSlide* slide = s.dlg.ZoomSlide;
    // Drag the knob from the top ("+") to the bottom ("÷").
    press(slide, {16, 10});
    move(slide, {16, 200});
    move(slide, {16, 362});   // the knob's top at the groove's end, 352
    release(slide, {16, 362});
    EXPECT_EQ(slide->Position(), 299);
    EXPECT_EQ(s.dlg.Frame().Window(), QRect(140, 0, 360, 480));
    EXPECT_EQ(s.dlg.VanScrollBar->maximum(), 280);
    EXPECT_EQ(s.dlg.VanScrollBar->value(), 140);
    EXPECT_EQ(s.dlg.LodScrollBar->maximum(), 0);
    // The view shows twice the window, 720 x 960 source pixels from (-40,
    // -240): white left of the picture, then every second source pixel.
    const QImage& v = s.dlg.WorkBitmap();
    EXPECT_EQ(v.pixel(19, 300), qRgb(255, 255, 255));
    EXPECT_EQ(v.pixel(20, 300), numbered(640, 480).pixel(1, 361));
    EXPECT_EQ(v.pixel(21, 300), numbered(640, 480).pixel(3, 361));
    // Back up with a click on the groove above the knob: one step in.
    press(slide, {16, 100});
    release(slide, {16, 100});
    EXPECT_EQ(slide->Position(), 298);
    EXPECT_EQ(s.dlg.Frame().Window().size(), CropFrame::WindowSize({640, 480}, 298));
}

TEST(FotoKlipDlg, TheWheelZoomsLikeTheSlider)
{
    Shown s(filled(640, 480, qRgb(0, 0, 0)));
    wheel(s.dlg.KlipPaintBox, -120);   // towards the user: out
    EXPECT_EQ(s.dlg.ZoomSlide->Position(), TFotoKlipDlg::kWheelStep);
    EXPECT_EQ(s.dlg.Frame().Window().size(), CropFrame::WindowSize({640, 480}, TFotoKlipDlg::kWheelStep));
    for (int i = 0; i < 4; ++i)   // a fine-grained wheel: four small turns make one notch
        wheel(s.dlg.KlipPaintBox, -30);
    EXPECT_EQ(s.dlg.ZoomSlide->Position(), 2 * TFotoKlipDlg::kWheelStep);
    wheel(s.dlg.ZoomSlide, 3 * 120);   // over the slider too; stops at "+"
    EXPECT_EQ(s.dlg.ZoomSlide->Position(), 0);
    EXPECT_EQ(s.dlg.Frame().Window(), QRect(230, 120, 180, 240));
    for (int i = 0; i < 40; ++i)
        wheel(s.dlg.KlipPaintBox, -120);
    EXPECT_EQ(s.dlg.ZoomSlide->Position(), 299);
    EXPECT_EQ(s.dlg.Frame().Window(), QRect(140, 0, 360, 480));
}

TEST(FotoKlipDlg, CropGivesTheWindowsPixelsAndCloses)
{
    const QImage source = numbered(700, 500);
    Shown s(source);
    press(s.dlg.KlipPaintBox, {100, 100});
    move(s.dlg.KlipPaintBox, {130, 90});
    release(s.dlg.KlipPaintBox, {130, 90});
    const QRect w = s.dlg.Frame().Window();
    EXPECT_EQ(w, QRect(230, 140, 180, 240));
    QTest::mouseClick(s.dlg.KlipBitBtn, Qt::LeftButton);
    EXPECT_EQ(s.dlg.result(), 1);
    EXPECT_FALSE(s.dlg.isVisible());
    EXPECT_TRUE(sameBytes(s.dlg.Foto(), source.copy(w)));
    // The work bitmap lives only while the dialog is open.
    EXPECT_TRUE(s.dlg.WorkBitmap().isNull());
}

TEST(FotoKlipDlg, RunAnswersOneForACropAndTwoForCancel)
{
    TFotoKlipDlg dlg;
    QTimer::singleShot(0, &dlg, [&] { QTest::mouseClick(dlg.KlipBitBtn, Qt::LeftButton); });
    EXPECT_EQ(dlg.Run(numbered(180, 240)), 1);
    EXPECT_TRUE(sameBytes(dlg.Foto(), numbered(180, 240)));

    QTimer::singleShot(0, &dlg, [&] { QTest::mouseClick(dlg.CancelBitBtn, Qt::LeftButton); });
    EXPECT_EQ(dlg.Run(numbered(180, 240)), 2);
    EXPECT_TRUE(dlg.Foto().isNull());

    QTimer::singleShot(0, &dlg, [&] { QTest::keyClick(&dlg, Qt::Key_Escape); });
    EXPECT_EQ(dlg.Run(numbered(300, 300)), 2);
    QTimer::singleShot(0, &dlg, [&] { QTest::keyClick(&dlg, Qt::Key_Return); });
    EXPECT_EQ(dlg.Run(numbered(300, 300)), 1);
    EXPECT_EQ(dlg.Foto().size(), QSize(180, 240));

    // The real service runs the same dialog.
    QtPhotoService service;
    QTimer::singleShot(0, [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<TFotoKlipDlg*>(w); d && d->isVisible())
                QTest::mouseClick(d->KlipBitBtn, Qt::LeftButton);
    });
    const std::optional<QImage> cut = service.Crop(nullptr, numbered(180, 240));
    ASSERT_TRUE(cut.has_value());
    EXPECT_TRUE(sameBytes(*cut, numbered(180, 240)));
}

TEST(PhotoFromFile, ASmallPictureIsEnlargedThenCropped)
{
    TempDir dir;
    ScriptedDialogs dialogs;
    ScriptedPhotos photos;
    const QString file = saveAs(dir, "mormor.png", filled(100, 100, qRgb(200, 30, 40)), "png");
    const std::optional<Pixels24> p = PhotoFromFile(nullptr, file, photos, dialogs);
    ASSERT_TRUE(p.has_value());
    EXPECT_EQ(p->width, 180);
    EXPECT_EQ(p->height, 240);
    EXPECT_EQ(p->data.size(), kPhotoBytes);
    EXPECT_EQ(p->data[0], 40);    // blue, green, red
    EXPECT_EQ(p->data[2], 200);
    ASSERT_EQ(photos.sources.size(), 1u);
    EXPECT_EQ(photos.sources[0].size(), QSize(240, 240));
    EXPECT_EQ(photos.loaded, std::vector<QString>{file});
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST(PhotoFromFile, WhatCannotBecomeAPhotoIsSaidAndChangesNothing)
{
    TempDir dir;
    const QString text = QString::fromStdString(dir.file("brev.jpg"));
    WriteAll(text.toStdString(), {'h', 'e', 'j'});
    const QString thin = saveAs(dir, "streg.png", filled(1, 1000, qRgb(0, 0, 0)), "png");
    for (const QString& file : {text, thin, QString::fromStdString(dir.file("findes-ikke.jpg"))}) {
        ScriptedDialogs dialogs;
        ScriptedPhotos photos;
        EXPECT_FALSE(PhotoFromFile(nullptr, file, photos, dialogs).has_value());
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("Billedet kunne ikke åbnes:\n\"%1\"").arg(file));
        EXPECT_EQ(dialogs.messages[0].caption, QStringLiteral("Fejl"));
        EXPECT_EQ(dialogs.messages[0].icon, DialogService::Icon::Warning);
        EXPECT_TRUE(photos.sources.empty());   // no crop dialog
    }
}

TEST(PhotoFromFile, CancellingTheCropGivesNothingAndSaysNothing)
{
    TempDir dir;
    ScriptedDialogs dialogs;
    ScriptedPhotos photos;
    photos.cancel = true;
    const QString file = saveAs(dir, "far.jpg", filled(400, 300, qRgb(0, 0, 255)), "jpeg");
    EXPECT_FALSE(PhotoFromFile(nullptr, file, photos, dialogs).has_value());
    EXPECT_EQ(photos.sources.size(), 1u);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST(PhotoFromFile, APastedPictureTakesTheSameWay)
{
    ScriptedDialogs dialogs;
    ScriptedPhotos photos;
    QImage pasted(200, 300, QImage::Format_ARGB32);
    pasted.fill(Qt::transparent);
    const std::optional<Pixels24> p = PhotoFromImage(nullptr, pasted, QStringLiteral("udklip"), photos, dialogs);
    ASSERT_TRUE(p.has_value());
    EXPECT_EQ(p->data[0], 255);   // transparent became white
    ASSERT_EQ(photos.sources.size(), 1u);
    EXPECT_EQ(photos.sources[0].format(), QImage::Format_RGB888);

    EXPECT_FALSE(PhotoFromImage(nullptr, QImage(), QStringLiteral("udklip"), photos, dialogs).has_value());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("Billedet kunne ikke åbnes:\n\"udklip\""));
}

TEST(PhotoFromFile, TheOpenDialogOffersThePictureFormats)
{
    struct Recording final : DialogService {
        QString title, filter, suffix;
        QMessageBox::StandardButton Message(QWidget*, const QString&, const QString&, Icon, QMessageBox::StandardButtons,
                                            QMessageBox::StandardButton) override
        {
            return QMessageBox::Ok;
        }
        int Choose(QWidget*, const QString&, const QString&, Icon, const QStringList&, int, int escapeButton) override
        {
            return escapeButton;
        }
        QString OpenFileName(QWidget*, const QString& t, const QString& f, const QString& s) override
        {
            title = t;
            filter = f;
            suffix = s;
            return QStringLiteral("/tmp/valgt.jpg");
        }
        QString SaveFileName(QWidget*, const QString&, const QString&, const QString&, const QString&) override
        {
            return {};
        }
        bool PrintSetup(QWidget*, QPrinter&, int) override { return false; }
    } dialogs;
    EXPECT_EQ(ChoosePhotoFile(nullptr, dialogs), QStringLiteral("/tmp/valgt.jpg"));
    EXPECT_EQ(dialogs.filter, photo::OpenFilter());
    EXPECT_TRUE(QtFilter(dialogs.filter).startsWith(QStringLiteral("Alle billeder (*.")));
    EXPECT_EQ(dialogs.suffix, QStringLiteral("JPG"));
}
