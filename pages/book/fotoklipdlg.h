// TFotoKlipDlg ("Klip foto"): the pupil zooms and moves a picture behind a
// fixed frame and cuts the 180 x 240 photo of a family-tree leaf from it.
// Also the way from a picture file (or a pasted picture) to that photo, as
// the branch page uses it, with the file reading and the dialog behind a
// small interface that tests replace.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "elev.h"   // Pixels24
#include "photocrop.h"
#include "photoreader.h"

#include <QDialog>
#include <QImage>

#include <optional>

class DialogService;
class PaintBox;
class QFrame;
class QLabel;
class QMouseEvent;
class QPaintEvent;
class QScrollBar;
class SpeedButton;
class TVSlide;

class TFotoKlipDlg : public QDialog {
    Q_OBJECT
public:
    explicit TFotoKlipDlg(QWidget* parent = nullptr);

    /// Shows the dialog modally over \a source (24 bits, at least 180 x 240,
    /// see photo::Enlarge): 1 when the user cropped (Foto() holds the
    /// photo), 2 when cancelled.
    int Run(const QImage& source);
    /// Sets the dialog up for \a source without showing it: fully zoomed in,
    /// the window centred. Run() starts with this; tests call it alone.
    void Prepare(const QImage& source);
    /// The photo of the last crop: 180 x 240, 24 bits; null before.
    const QImage& Foto() const { return foto_; }
    /// Where the crop window is.
    const photo::CropFrame& Frame() const { return frame_; }
    /// The view as last drawn (360 x 480), the guide lines included; null
    /// while the dialog is closed.
    const QImage& WorkBitmap() const { return work_; }

    QFrame* KlipPanel;
    PaintBox* KlipPaintBox;
    QScrollBar* LodScrollBar;
    QScrollBar* VanScrollBar;
    TVSlide* ZoomSlide;
    QFrame* Bevel2;
    QLabel* PlusLabel;
    QLabel* MinusLabel;
    SpeedButton* KlipBitBtn;
    SpeedButton* CancelBitBtn;

    /// Wheel notches of 15 degrees move the zoom slider this far.
    static constexpr int kWheelStep = 12;

    void KlipPaintBoxPaint(QPaintEvent* e);
    void KlipPaintBoxMouseDown(QMouseEvent* e);
    void KlipPaintBoxMouseMove(QMouseEvent* e);
    void KlipPaintBoxMouseUp(QMouseEvent* e);
    void KlipBitBtnClick();
    void VanScrollBarChange();
    void LodScrollBarChange();
    void ZoomSlideSlideMove();

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    /// Puts the scroll bars where the frame says, without their signals
    /// moving the frame again.
    void syncScrollBars();
    void FormClose();

    QImage source_;
    QImage work_;
    QImage foto_;
    photo::CropFrame frame_;
    QPoint last_;
    bool dragging_ = false;
    bool syncing_ = false;
    int wheelRest_ = 0;
};

/// Turns pictures into photos for the branch page: reading a file and
/// running the crop dialog. The branch page holds one; tests give it their
/// own (tests/support/scripted_photos.h).
class PhotoService {
public:
    virtual ~PhotoService() = default;
    /// Reads a picture file (photo::ReadPhoto).
    virtual photo::Picture Load(const QString& path) = 0;
    /// Runs the crop dialog over \a source (24 bits, at least 180 x 240):
    /// the 180 x 240 photo, or nothing when the user cancelled.
    virtual std::optional<QImage> Crop(QWidget* parent, const QImage& source) = 0;
};

/// The real reader and the real dialog.
class QtPhotoService final : public PhotoService {
public:
    photo::Picture Load(const QString& path) override;
    std::optional<QImage> Crop(QWidget* parent, const QImage& source) override;
};

/// The open dialog for a picture (every readable format, first "Alle
/// billeder"): the file chosen, or empty when cancelled.
QString ChoosePhotoFile(QWidget* parent, DialogService& dialogs);

/// From the picture file \a file to the photo to store in the leaf
/// (SetGrenFoto): read, enlarged when smaller than 180 x 240, cropped by
/// the user. When the file cannot become a photo the user is told
/// "Billedet kunne ikke åbnes:\n\"<file>\"" (caption "Fejl", exclamation
/// icon). Nothing when that happened or the user cancelled; the leaf's photo
/// is then to stay as it was.
std::optional<Pixels24> PhotoFromFile(QWidget* parent, const QString& file, PhotoService& photos,
                                      DialogService& dialogs);

/// The same for a picture already in memory (pasted from the clipboard);
/// \a name stands for the file in the message.
std::optional<Pixels24> PhotoFromImage(QWidget* parent, const QImage& image, const QString& name,
                                       PhotoService& photos, DialogService& dialogs);
