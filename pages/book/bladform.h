// TBladForm, page 15: the branch page of one person of the family tree. The
// pupil writes the leaf's name, the full name, the relation, whom the person
// is married to, the children and a note, and takes a photo from a picture
// file, a dropped file or a pasted picture through the crop dialog.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "elev.h"
#include "grenfoto.h"
#include "page.h"

#include <QFont>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QLineEdit>

#include <memory>
#include <optional>
#include <string>

class AnsiMemo;
class PhotoService;
class QMimeData;

class TBladForm : public Page {
    Q_OBJECT
public:
    TBladForm(PageHost& host, QWidget* parent);
    ~TBladForm() override;

    // The longest texts the fields take: enough for any real name or note,
    // far below what a file can hold.
    static constexpr int kBladnavnMax = 30;
    static constexpr int kNavnMax = 60;       // Hele navnet, Gift med
    static constexpr int kErMinMax = 40;
    static constexpr int kAfkomMax = 120;
    static constexpr int kNotatMax = 2000;    // characters, a line break counting one

    // Components, by their names in the program.
    SidePanel* Panel2;
    SpeedButton* BackSpeed;
    PaintBox* GrenPaintBox;
    PaintBox* BladPaintBox;
    QFrame* FotoPanel;
    PaintBox* FotoPaintBox;
    SpeedButton* OpenSpeed;
    SpeedButton* SletSpeed;
    /// The faint lime pane under the fields; its lime outline (Shape1) is
    /// drawn with it.
    PaintBox* KassePaintBox;
    QLabel* BladnavnLabelSkygge;
    QLabel* BladNavnLabel;
    QLabel* FuldeNavnLabelSkygge;
    QLabel* FuldeNavnLabel;
    QLabel* ErMinLabelSkygge;
    QLabel* ErMinLabel;
    QLabel* GiftMedLabelSkygge;
    QLabel* GiftMedLabel;
    QLabel* AfkomLabelSkygge;
    QLabel* AfkomLabel;
    QLabel* AndetLabelSkygge;
    QLabel* AndetLabel;
    QLineEdit* BladnavnEdit;
    QLineEdit* FuldeNavnEdit;
    QLineEdit* ErMinEdit;
    QLineEdit* GiftMedEdit;
    QLineEdit* AfkomEdit;
    AnsiMemo* NotatMemo;

    /// The person edited (a position in the family tree), or -1 when none:
    /// the page then takes no typing and no photo.
    int Gren() const { return gren_; }

    /// Saves the pupil if changed and shows the family tree.
    void BackSpeedClick();
    /// The open dialog, then the crop dialog; the photo is stored when the
    /// user crops.
    void FotoPaintBoxClick();
    void SletSpeedClick();
    /// Ctrl+V: a picture on the clipboard, or a copied picture file, goes to
    /// the crop dialog. True when the clipboard held one.
    bool PastePicture();
    /// A drop on the photo box: the first local file, else the picture
    /// itself. True when the drop held one.
    bool DropPicture(const QMimeData* data);
    /// Whether the photo box takes this drop.
    bool AcceptsPicture(const QMimeData* data) const;

    /// Turns pictures into photos; the page's own reader and crop dialog
    /// when \a photos is nullptr. Tests give their own.
    void SetPhotoService(PhotoService* photos);

    /// The page right of its column, from top to bottom: it has no right column.
    QRect PrintArea() const override;

    /// How often the leaf preview was drawn (for tests).
    int PreviewDraws() const { return previewDraws_; }

protected:
    void layoutPage() override;
    void pageShown() override;
    void pageHidden() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void GrenPaintBoxPaint();
    void BladPaintBoxPaint();
    void KassePaintBoxPaint();
    void FotoPaintBoxPaint();
    void BladnavnEditChange(const QString& text);
    void TextChange(GrenTekst which, const QString& text);
    void NotatMemoChange();
    /// Stores a photo that came through the crop dialog.
    void StorePhoto(const std::optional<Pixels24>& photo);
    /// Fills the fields from the person without storing anything.
    void FillFields();
    void EnableFields();
    /// The page bitmap holds layout "gren".
    bool EnsureBackground();
    /// A design rectangle in page coordinates, the design centred between
    /// the column and the right edge of a page wider than the design.
    QRect P(double x, double y, double w, double h) const;
    /// Where a page rectangle lies in the page bitmap.
    QRect inBitmap(const QRect& pageRect) const;
    tElev* Elev() const;

    std::unique_ptr<PhotoService> ownPhotos_;
    PhotoService* photos_ = nullptr;
    int gren_ = -1;
    bool filling_ = false;   // the fields are being filled, not edited
    bool backgroundValid_ = false;
    qint64 backgroundKey_ = 0;
    GrenFotoView foto_;
    // The leaf preview: its background, the leaf drawn once, and the name's font.
    QImage blad_;
    QImage leaf_;
    const void* leafPicture_ = nullptr;
    QFont bladFont_;
    int bladFontCell_ = -1;
    std::string bladBytes_;   // the name drawn last, as stored
    QString bladName_;
    // The lime pane: background, lime and their blend, made again only when
    // the background or the pane's place changes.
    QImage kasseB_, kasseL_, kasseO_;
    qint64 kasseKey_ = 0;
    QRect kasseRect_;
    int previewDraws_ = 0;
};
