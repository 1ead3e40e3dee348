// The branch page.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "bladform.h"

#include "canvas.h"
#include "chrome.h"
#include "dialogs.h"
#include "drawing.h"
#include "fotoklipdlg.h"
#include "pagehost.h"
#include "portrait.h"
#include "qansi.h"
#include "stamdraw.h"
#include "stamform.h"
#include "textinput.h"

#include <QClipboard>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>
#include <QTimer>
#include <QUrl>

#include <algorithm>

namespace {

constexpr Colour kLime = 0x00FF00;
constexpr Colour kGreen = 0x008000;

const char* const kFotoHint = "Klik for at vælge et billede";

QLabel* captionLabel(const char* text, bool shadow, QWidget* parent)
{
    auto* l = new QLabel(QString::fromUtf8(text), parent);
    l->setAlignment(Qt::AlignRight | Qt::AlignTop);
    l->setAttribute(Qt::WA_TransparentForMouseEvents);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, shadow ? pal.color(QPalette::Active, QPalette::WindowText) : ToQColor(kLime));
    l->setPalette(pal);
    return l;
}

// Lime fields with green text and no border. A field without a person to
// edit keeps its colour, a little paler.
void limeColours(QWidget* w)
{
    QPalette pal = w->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(group, QPalette::Base, ToQColor(kLime));
        pal.setColor(group, QPalette::Text, ToQColor(kGreen));
    }
    pal.setColor(QPalette::Disabled, QPalette::Base, QColor(128, 230, 128));
    pal.setColor(QPalette::Disabled, QPalette::Text, ToQColor(kGreen));
    w->setPalette(pal);
}

QLineEdit* limeEdit(QWidget* parent)
{
    auto* e = new QLineEdit(parent);
    e->setFrame(false);
    limeColours(e);
    GuardAnsiInput(e);
    return e;
}

// The first local file a drop or the clipboard names.
QString localFile(const QMimeData* data)
{
    if (!data || !data->hasUrls())
        return {};
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            return url.toLocalFile();
    return {};
}

// A file whose ending names a picture format read here.
bool isPictureFile(const QString& path)
{
    const int dot = path.lastIndexOf(QLatin1Char('.'));
    if (path.isEmpty() || dot < 0)
        return false;
    return photo::ReadableFormats().contains(path.mid(dot + 1).toLower().toLatin1());
}

} // namespace

TBladForm::TBladForm(PageHost& host, QWidget* parent) : Page(host, 15, parent)
{
    ownPhotos_ = std::make_unique<QtPhotoService>();
    photos_ = ownPhotos_.get();

    Panel2 = new SidePanel(this);
    BackSpeed = new SpeedButton("back", QStringLiteral("Tilbage til stamtræet"), Panel2);

    GrenPaintBox = new PaintBox(this, [this](QPaintEvent*) { GrenPaintBoxPaint(); });
    BladPaintBox = new PaintBox(this, [this](QPaintEvent*) { BladPaintBoxPaint(); });

    FotoPanel = new QFrame(this);
    FotoPanel->setFrameStyle(QFrame::Box | QFrame::Plain);
    FotoPanel->setLineWidth(1);
    FotoPanel->setAutoFillBackground(true);
    QPalette white = FotoPanel->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    FotoPanel->setPalette(white);
    FotoPanel->setAcceptDrops(true);
    FotoPanel->installEventFilter(this);
    FotoPaintBox = new PaintBox(FotoPanel, [this](QPaintEvent*) { FotoPaintBoxPaint(); });
    FotoPaintBox->setToolTip(QString::fromUtf8(kFotoHint));
    FotoPaintBox->installEventFilter(this);
    OpenSpeed = new SpeedButton("open", QString::fromUtf8(kFotoHint), FotoPanel);
    SletSpeed = new SpeedButton("delete", QStringLiteral("Fjern billedet"), FotoPanel);

    KassePaintBox = new PaintBox(this, [this](QPaintEvent*) { KassePaintBoxPaint(); });

    // Shadows first, so that each caption lies on its own shadow.
    BladnavnLabelSkygge = captionLabel("Blad-navn:", true, this);
    BladNavnLabel = captionLabel("Blad-navn:", false, this);
    FuldeNavnLabelSkygge = captionLabel("Hele navnet:", true, this);
    FuldeNavnLabel = captionLabel("Hele navnet:", false, this);
    ErMinLabelSkygge = captionLabel("Er min:", true, this);
    ErMinLabel = captionLabel("Er min:", false, this);
    GiftMedLabelSkygge = captionLabel("Gift med:", true, this);
    GiftMedLabel = captionLabel("Gift med:", false, this);
    AfkomLabelSkygge = captionLabel("Børn:", true, this);
    AfkomLabel = captionLabel("Børn:", false, this);
    AndetLabelSkygge = captionLabel("Andet:", true, this);
    AndetLabel = captionLabel("Andet:", false, this);

    BladnavnEdit = limeEdit(this);
    FuldeNavnEdit = limeEdit(this);
    ErMinEdit = limeEdit(this);
    GiftMedEdit = limeEdit(this);
    AfkomEdit = limeEdit(this);
    NotatMemo = new AnsiMemo(this);
    NotatMemo->setFrameShape(QFrame::NoFrame);
    NotatMemo->SetMaxLength(kNotatMax);
    limeColours(NotatMemo);
    // The leaf's name is where the pupil starts.
    setFocusProxy(BladnavnEdit);

    for (QWidget* w : {static_cast<QWidget*>(BladnavnEdit), static_cast<QWidget*>(FuldeNavnEdit),
                       static_cast<QWidget*>(ErMinEdit), static_cast<QWidget*>(GiftMedEdit),
                       static_cast<QWidget*>(AfkomEdit), static_cast<QWidget*>(NotatMemo)})
        w->installEventFilter(this);

    connect(BackSpeed, &QToolButton::clicked, this, &TBladForm::BackSpeedClick);
    connect(OpenSpeed, &QToolButton::clicked, this, &TBladForm::FotoPaintBoxClick);
    connect(SletSpeed, &QToolButton::clicked, this, &TBladForm::SletSpeedClick);
    connect(BladnavnEdit, &QLineEdit::textChanged, this, &TBladForm::BladnavnEditChange);
    connect(FuldeNavnEdit, &QLineEdit::textChanged, this,
            [this](const QString& t) { TextChange(GrenTekst::FuldeNavn, t); });
    connect(ErMinEdit, &QLineEdit::textChanged, this, [this](const QString& t) { TextChange(GrenTekst::ErMin, t); });
    connect(GiftMedEdit, &QLineEdit::textChanged, this,
            [this](const QString& t) { TextChange(GrenTekst::GiftMed, t); });
    connect(AfkomEdit, &QLineEdit::textChanged, this, [this](const QString& t) { TextChange(GrenTekst::Afkom, t); });
    connect(NotatMemo, &AnsiMemo::edited, this, &TBladForm::NotatMemoChange);

    // Ctrl+V anywhere on the page but in a field holding text to paste.
    auto* paste = new QShortcut(QKeySequence::Paste, this);
    paste->setContext(Qt::WidgetWithChildrenShortcut);
    connect(paste, &QShortcut::activated, this, [this] { PastePicture(); });

    EnableFields();
}

TBladForm::~TBladForm() = default;

tElev* TBladForm::Elev() const
{
    return host().AktivElev();
}

void TBladForm::SetPhotoService(PhotoService* photos)
{
    photos_ = photos ? photos : ownPhotos_.get();
}

// ---- layout ----

QRect TBladForm::P(double x, double y, double w, double h) const
{
    const int dx = std::max(0, (DrawingWidth() - S(kDesignWidth - kColumnWidth)) / 2);
    return B(x, y, w, h).translated(dx, 0);
}

QRect TBladForm::inBitmap(const QRect& pageRect) const
{
    return pageRect.translated(-S(kColumnWidth), -BoxTop());
}

void TBladForm::layoutPage()
{
    const int col = S(kColumnWidth);
    Panel2->setGeometry(0, 0, col, height());
    BackSpeed->place(B(8, 8, 73, 73));
    GrenPaintBox->setGeometry(col, 0, std::max(0, width() - col), height());
    BladPaintBox->setGeometry(P(440, 8, 200, 100));
    FotoPanel->setGeometry(P(98, 16, 115, 173));
    FotoPaintBox->setGeometry(D(4, 4, 105, 140));
    OpenSpeed->place(D(4, 146, 21, 21));
    SletSpeed->place(D(88, 146, 21, 21));
    KassePaintBox->setGeometry(P(98, 304, 521, 129));

    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(std::max(7, S(13)));
    struct Caption {
        QLabel* shadow;
        QLabel* label;
        double x, y;
    };
    for (const Caption& c : {Caption{BladnavnLabelSkygge, BladNavnLabel, 105, 311},
                             Caption{FuldeNavnLabelSkygge, FuldeNavnLabel, 105, 335},
                             Caption{ErMinLabelSkygge, ErMinLabel, 105, 359},
                             Caption{GiftMedLabelSkygge, GiftMedLabel, 105, 383},
                             Caption{AfkomLabelSkygge, AfkomLabel, 105, 407},
                             Caption{AndetLabelSkygge, AndetLabel, 322, 311}}) {
        c.label->setFont(f);
        c.shadow->setFont(f);
        c.label->setGeometry(P(c.x, c.y, 81, 18));
        // One design unit down and right, however large the page.
        const QRect at = c.label->geometry();
        const int step = std::max(1, S(1));
        c.shadow->setGeometry(at.translated(step, step));
    }
    struct Field {
        QWidget* edit;
        double x, y, w, h;
    };
    for (const Field& fl : {Field{BladnavnEdit, 194, 312, 81, 21}, Field{FuldeNavnEdit, 194, 336, 167, 21},
                            Field{ErMinEdit, 194, 360, 81, 21}, Field{GiftMedEdit, 194, 384, 129, 21},
                            Field{AfkomEdit, 194, 408, 169, 21}, Field{NotatMemo, 410, 312, 201, 113}}) {
        fl.edit->setFont(f);
        fl.edit->setGeometry(P(fl.x, fl.y, fl.w, fl.h));
    }
    backgroundValid_ = false;
}

QRect TBladForm::PrintArea() const
{
    return QRect(S(kColumnWidth), 0, std::max(0, DrawingWidth()), height());
}

// ---- showing ----

void TBladForm::pageShown()
{
    gren_ = -1;
    if (const tElev* e = Elev()) {
        const int i = e->LastValgtGren();
        // The fresh leaf waiting in the strip is nobody yet.
        if (i >= 0 && TStamForm::ShownArt(e->GrenArt(i)) != 0)
            gren_ = i;
    }
    FillFields();
    EnableFields();
    backgroundValid_ = false;
    update();
}

void TBladForm::pageHidden()
{
    gren_ = -1;
}

void TBladForm::FillFields()
{
    const tElev* e = Elev();
    auto text = [&](GrenTekst which) {
        return gren_ >= 0 && e ? ansi::ToQString(e->GrenTekstOf(gren_, which)) : QString();
    };
    filling_ = true;
    // A longer text from a file is shown whole; it only may not grow.
    auto fill = [&](QLineEdit* edit, GrenTekst which, int bound) {
        const QString t = text(which);
        edit->setMaxLength(std::max(bound, int(t.size())));
        edit->setText(t);
        edit->setCursorPosition(int(t.size()));
    };
    fill(BladnavnEdit, GrenTekst::Bladnavn, kBladnavnMax);
    fill(FuldeNavnEdit, GrenTekst::FuldeNavn, kNavnMax);
    fill(ErMinEdit, GrenTekst::ErMin, kErMinMax);
    fill(GiftMedEdit, GrenTekst::GiftMed, kNavnMax);
    fill(AfkomEdit, GrenTekst::Afkom, kAfkomMax);
    NotatMemo->SetStoredText(gren_ >= 0 && e ? std::string_view(e->GrenTekstOf(gren_, GrenTekst::Notat))
                                             : std::string_view());
    filling_ = false;

    // Married and children only above the pupil's own generation.
    const bool older = gren_ >= 0 && e && e->GrenRaekke(gren_) > 0;
    for (QWidget* w : {static_cast<QWidget*>(GiftMedEdit), static_cast<QWidget*>(AfkomEdit),
                       static_cast<QWidget*>(GiftMedLabel), static_cast<QWidget*>(GiftMedLabelSkygge),
                       static_cast<QWidget*>(AfkomLabel), static_cast<QWidget*>(AfkomLabelSkygge)})
        w->setVisible(older);
}

void TBladForm::EnableFields()
{
    const tElev* e = Elev();
    const bool on = gren_ >= 0 && e;
    for (QWidget* w : {static_cast<QWidget*>(BladnavnEdit), static_cast<QWidget*>(FuldeNavnEdit),
                       static_cast<QWidget*>(ErMinEdit), static_cast<QWidget*>(GiftMedEdit),
                       static_cast<QWidget*>(AfkomEdit), static_cast<QWidget*>(NotatMemo),
                       static_cast<QWidget*>(OpenSpeed)})
        w->setEnabled(on);
    SletSpeed->setEnabled(on && e->GrenHarFoto(gren_));
    if (on) {
        FotoPaintBox->setCursor(Qt::PointingHandCursor);
        FotoPaintBox->setToolTip(QString::fromUtf8(kFotoHint));
    } else {
        FotoPaintBox->unsetCursor();
        FotoPaintBox->setToolTip(QString());
    }
}

// ---- editing ----

void TBladForm::TextChange(GrenTekst which, const QString& text)
{
    tElev* e = Elev();
    if (filling_ || gren_ < 0 || !e)
        return;
    // The fields refuse what the file cannot hold, so this always converts.
    if (const std::optional<std::string> a = ansi::FromQString(text))
        (void)e->SetGrenTekst(gren_, which, *a);
}

void TBladForm::BladnavnEditChange(const QString& text)
{
    TextChange(GrenTekst::Bladnavn, text);
    if (!filling_)
        BladPaintBox->repaint();
}

void TBladForm::NotatMemoChange()
{
    tElev* e = Elev();
    if (filling_ || gren_ < 0 || !e)
        return;
    if (const std::optional<std::string> a = NoteFromEditor(NotatMemo->document()->toRawText()))
        (void)e->SetGrenTekst(gren_, GrenTekst::Notat, *a);
}

void TBladForm::BackSpeedClick()
{
    SaveIfChanged();
    host().ShowPage(14);
}

// ---- the photo ----

void TBladForm::StorePhoto(const std::optional<Pixels24>& photo)
{
    tElev* e = Elev();
    if (photo && gren_ >= 0 && e)
        (void)e->SetGrenFoto(gren_, *photo);
    EnableFields();
    FotoPaintBox->update();
}

void TBladForm::FotoPaintBoxClick()
{
    if (gren_ < 0 || !Elev())
        return;
    const QString file = ChoosePhotoFile(this, host().Dialogs());
    if (file.isEmpty())
        return;
    StorePhoto(PhotoFromFile(this, file, *photos_, host().Dialogs()));
}

void TBladForm::SletSpeedClick()
{
    tElev* e = Elev();
    if (gren_ >= 0 && e && e->GrenHarFoto(gren_))
        e->ClearGrenFoto(gren_);
    EnableFields();
    FotoPaintBox->update();
}

bool TBladForm::AcceptsPicture(const QMimeData* data) const
{
    return gren_ >= 0 && data && (!localFile(data).isEmpty() || data->hasImage());
}

bool TBladForm::PastePicture()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!AcceptsPicture(data))
        return false;
    // A copied picture file is better than its copy in the clipboard: all
    // its pixels and its orientation.
    const QString file = localFile(data);
    if (!data->hasImage() || isPictureFile(file)) {
        StorePhoto(PhotoFromFile(this, file, *photos_, host().Dialogs()));
    } else {
        const QImage image = qvariant_cast<QImage>(data->imageData());
        StorePhoto(PhotoFromImage(this, image, QStringLiteral("Udklipsholderen"), *photos_, host().Dialogs()));
    }
    return true;
}

bool TBladForm::DropPicture(const QMimeData* data)
{
    if (!AcceptsPicture(data))
        return false;
    // The crop dialog runs once the drop is over: the file manager that
    // dragged the file is not kept waiting for it.
    const QString file = localFile(data);
    const QImage image = file.isEmpty() ? qvariant_cast<QImage>(data->imageData()) : QImage();
    const int gren = gren_;
    QTimer::singleShot(0, this, [this, file, image, gren] {
        if (gren_ != gren || gren_ < 0 || !isVisible())
            return;
        if (!file.isEmpty())
            StorePhoto(PhotoFromFile(this, file, *photos_, host().Dialogs()));
        else
            StorePhoto(PhotoFromImage(this, image, QStringLiteral("Det trukne billede"), *photos_, host().Dialogs()));
    });
    return true;
}

bool TBladForm::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonRelease:
        if (watched == FotoPaintBox) {
            auto* m = static_cast<QMouseEvent*>(event);
            if (m->button() == Qt::LeftButton && FotoPaintBox->rect().contains(m->position().toPoint()))
                FotoPaintBoxClick();
            return true;
        }
        break;
    case QEvent::DragEnter:
    case QEvent::DragMove:
        if (watched == FotoPanel) {
            auto* d = static_cast<QDropEvent*>(event);
            if (AcceptsPicture(d->mimeData()))
                d->acceptProposedAction();
            else
                d->ignore();
            return true;
        }
        break;
    case QEvent::Drop:
        if (watched == FotoPanel) {
            auto* d = static_cast<QDropEvent*>(event);
            if (DropPicture(d->mimeData()))
                d->acceptProposedAction();
            else
                d->ignore();
            return true;
        }
        break;
    case QEvent::KeyPress: {
        // In a field, Ctrl+V pastes text when there is text to paste; a
        // picture, or a copied picture file, goes to the photo.
        auto* k = static_cast<QKeyEvent*>(event);
        if (k->matches(QKeySequence::Paste)) {
            const QMimeData* data = QGuiApplication::clipboard()->mimeData();
            const bool pictureFile = data && isPictureFile(localFile(data));
            const bool text = data && data->hasFormat(QStringLiteral("text/plain")) && !pictureFile;
            if (data && !text && (pictureFile || data->hasImage()) && PastePicture())
                return true;
        }
        break;
    }
    default:
        break;
    }
    return Page::eventFilter(watched, event);
}

// ---- painting ----

bool TBladForm::EnsureBackground()
{
    if (!EnsureDrawing())
        return false;
    QImage& page = Drawing().PageBitmap;
    // The page bitmap is shared: drawn again when another page drew on it.
    if (!backgroundValid_ || page.cacheKey() != backgroundKey_) {
        {
            Canvas c(&page);
            DrawPageLayout(c, "gren");
        }
        backgroundKey_ = page.cacheKey();
        backgroundValid_ = true;
    }
    return true;
}

void TBladForm::GrenPaintBoxPaint()
{
    QPainter p(GrenPaintBox);
    if (!EnsureBackground()) {
        p.fillRect(GrenPaintBox->rect(), ToQColor(0x669933));
        return;
    }
    ShowPageBitmap(p, GrenPaintBox, GrenPaintBox->width());
}

void TBladForm::BladPaintBoxPaint()
{
    QPainter p(BladPaintBox);
    const QRect box = BladPaintBox->rect();
    if (!EnsureBackground()) {
        p.fillRect(box, ToQColor(0x669933));
        return;
    }
    // The background under the box first, so that no letter of an older
    // name stays.
    const QImage& page = Drawing().PageBitmap;
    p.drawImage(QPoint(0, 0), page, inBitmap(BladPaintBox->geometry()));

    const Picture* picture = FindPicture(std::string_view(LeafPictureName(2)));
    if (leaf_.size() != box.size() || leafPicture_ != picture) {
        leaf_ = QImage(box.size(), QImage::Format_ARGB32_Premultiplied);
        leaf_.fill(Qt::transparent);
        Canvas c(&leaf_);
        DrawLeaf(c, 2, {0, 0, box.width(), box.height()});
        leafPicture_ = picture;
    }
    p.drawImage(QPoint(0, 0), leaf_);

    // The name is converted only when it changed, not on every repaint.
    const tElev* e = Elev();
    static const std::string none;
    const std::string& stored = gren_ >= 0 && e ? e->GrenTekstOf(gren_, GrenTekst::Bladnavn) : none;
    if (stored != bladBytes_) {
        bladBytes_ = stored;
        bladName_ = ansi::ToQString(stored);
    }
    const QString& name = bladName_;
    if (!name.isEmpty()) {
        const int cell = Drawing().PageHeight / 12;
        if (bladFontCell_ != cell) {
            FitCellFont(bladFont_, std::max(1, cell));
            bladFontCell_ = cell;
        }
        p.setFont(bladFont_);
        const int flags = Qt::AlignCenter | Qt::TextSingleLine;
        p.setPen(Qt::black);
        p.drawText(box, flags, name);
        p.setPen(ToQColor(kGreen));
        p.drawText(box.translated(-1, -1), flags, name);
    }
    ++previewDraws_;
}

void TBladForm::KassePaintBoxPaint()
{
    QPainter p(KassePaintBox);
    const QRect box = KassePaintBox->rect();
    if (!EnsureBackground()) {
        p.fillRect(box, ToQColor(0x669933));
        return;
    }
    // The blend changes only with the background or the pane's place.
    const QRect where = KassePaintBox->geometry();
    if (kasseKey_ != backgroundKey_ || kasseRect_ != where || kasseO_.size() != box.size()) {
        if (kasseB_.size() != box.size()) {
            kasseB_ = QImage(box.size(), QImage::Format_RGB888);
            kasseL_ = QImage(box.size(), QImage::Format_RGB888);
            kasseL_.fill(ToQColor(kLime));
        }
        kasseB_.fill(Qt::white);
        {
            QPainter b(&kasseB_);
            b.drawImage(QPoint(0, 0), Drawing().PageBitmap, inBitmap(where));
        }
        BlendBitmaps(kasseL_, kasseB_, kasseO_, 4);
        kasseKey_ = backgroundKey_;
        kasseRect_ = where;
    }
    p.drawImage(QPoint(0, 0), kasseO_);
    // Shape1: the lime outline round the pane.
    p.setPen(QPen(ToQColor(kLime), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(box.adjusted(0, 0, -1, -1));
}

void TBladForm::FotoPaintBoxPaint()
{
    {
        QPainter p(FotoPaintBox);
        p.fillRect(FotoPaintBox->rect(), Qt::white);
    }
    const tElev* e = Elev();
    if (gren_ < 0 || !e || !EnsureDrawing())
        return;
    foto_.Paint(FotoPaintBox, *e, gren_);
}
