// The branch page, opened from the family tree as the pupil opens it: what
// the fields show and store, the leaf preview, the photo from a file, a
// drop and the clipboard, and what showing the page must leave alone.
#include "../../support/scripted_dialogs.h"
#include "../../support/scripted_photos.h"
#include "../../support/tempdir.h"
#include "../../support/test_main.h"
#include "bladform.h"
#include "canvas.h"
#include "chrome.h"
#include "datefmt.h"
#include "drawing.h"
#include "elev.h"
#include "mainwindow.h"
#include "portrait.h"
#include "qansi.h"
#include "stamform.h"
#include "textinput.h"

#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QPainter>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

#include <functional>

namespace {

std::string cp1252(const char* utf8)
{
    return ansi::FromQString(QString::fromUtf8(utf8)).value();
}

QByteArray bytesOf(const std::string& path)
{
    QFile f(QString::fromStdString(path));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

Pixels24 solidPhoto(std::uint8_t b, std::uint8_t g, std::uint8_t r)
{
    Pixels24 p(kPhotoWidth, kPhotoHeight);
    for (std::size_t k = 0; k < p.data.size(); k += 3) {
        p.data[k] = b;
        p.data[k + 1] = g;
        p.data[k + 2] = r;
    }
    return p;
}

// What a photo box shows without a photo: white, and the "foto" frame fitted
// to its width at 3:4.
QImage emptyPhotoBox(QSize size)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::white);
    Canvas c(&img);
    DrawPhotoFrame(c, {0, 0, size.width(), MulDiv(size.width(), 4, 3)});
    return img;
}

// Typing characters beyond ASCII, as a keyboard layout sends them.
void typeText(QWidget* w, const QString& text)
{
    for (QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(w, &release);
    }
}

QImage grabbed(QWidget* w)
{
    return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// A picture file of \a w x \a h in one colour.
QString pictureFile(const TempDir& dir, const char* name, int w, int h, QColor colour)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(colour);
    const QString path = QString::fromStdString(dir.file(name));
    EXPECT_TRUE(img.save(path));
    return path;
}

struct BladPage : ::testing::Test {
    void SetUp() override { SetShortDateFormat(DateFormat::Danish()); }

    // The pupil "Ida" with her own leaf, a fresh leaf and the relatives that
    // \a build adds, written to a file.
    std::string makePupil(const std::function<void(tElev&)>& build = {})
    {
        tElev e;
        (void)e.SetKaldenavn("Ida");
        (void)e.SetFuldeNavn("Ida Jensen");
        e.AddGren(1);
        e.AddGren(0);
        if (build)
            build(e);
        e.SetAendret();
        path = dir.file("4a_Ida.ele");
        EXPECT_TRUE(e.SaveToFile(path));
        return path;
    }

    std::unique_ptr<TMain> open(const std::string& ele, QSize size = {1000, 700})
    {
        TMain::Options o = TestMainOptions(dialogs, ele);
        o.saveIntervalMs = 3600000;
        auto w = StartTestMain(o, size);
        EXPECT_EQ(w->AktivSide(), 3);
        return w;
    }

    // The family tree, leaf \a i clicked and RedigerSpeed pressed, as the
    // pupil gets here; -1 shows the branch page with nobody selected.
    TBladForm* edit(TMain& w, int i)
    {
        w.ShowPage(14);
        QApplication::processEvents();
        auto* stam = static_cast<TStamForm*>(w.PageAt(14));
        stam->StamPaintBox->grab();
        auto* f = static_cast<TBladForm*>(w.PageAt(15));
        f->SetPhotoService(&photos);
        if (i >= 0)
            stam->SelectGren(i);
        // The button is off for the fresh leaf; the selection still reaches
        // the page (printing shows it so).
        if (stam->RedigerSpeed->isEnabled())
            stam->RedigerSpeed->click();
        else
            w.ShowPage(15);
        QApplication::processEvents();
        EXPECT_EQ(w.AktivSide(), 15);
        f->grab();   // painted once, as on screen
        return f;
    }

    ScriptedDialogs dialogs;
    ScriptedPhotos photos;
    TempDir dir;
    std::string path;
};

// A relative in row \a row with every text filled in.
int addRelative(tElev& e, int row, const char* bladnavn)
{
    const int g = e.AddGren(2);
    e.SetGrenRaekke(g, std::uint8_t(row));
    (void)e.SetGrenTekst(g, GrenTekst::Bladnavn, cp1252(bladnavn));
    (void)e.SetGrenTekst(g, GrenTekst::FuldeNavn, cp1252("Grethe Sørensen"));
    (void)e.SetGrenTekst(g, GrenTekst::ErMin, "Mormor");
    (void)e.SetGrenTekst(g, GrenTekst::GiftMed, "Poul");
    (void)e.SetGrenTekst(g, GrenTekst::Afkom, "Hanne og Bo");
    (void)e.SetGrenTekst(g, GrenTekst::Notat, "Bor i Ribe.\r\nHar en hund.");
    return g;
}

} // namespace

TEST_F(BladPage, TheFieldsShowThePersonAndMarriageAndChildrenOnlyAboveThePupilsGeneration)
{
    makePupil([](tElev& e) {
        addRelative(e, 2, "Mormor");   // 2
        addRelative(e, 0, "Bror");     // 3
    });
    auto w = open(path);
    TBladForm* f = edit(*w, 2);
    EXPECT_EQ(f->Gren(), 2);
    EXPECT_EQ(f->BladnavnEdit->text(), "Mormor");
    EXPECT_EQ(f->FuldeNavnEdit->text(), QString::fromUtf8("Grethe Sørensen"));
    EXPECT_EQ(f->ErMinEdit->text(), "Mormor");
    EXPECT_EQ(f->GiftMedEdit->text(), "Poul");
    EXPECT_EQ(f->AfkomEdit->text(), "Hanne og Bo");
    EXPECT_EQ(f->NotatMemo->toPlainText(), "Bor i Ribe.\nHar en hund.");
    for (QWidget* x : {static_cast<QWidget*>(f->GiftMedEdit), static_cast<QWidget*>(f->AfkomEdit),
                       static_cast<QWidget*>(f->GiftMedLabel), static_cast<QWidget*>(f->GiftMedLabelSkygge),
                       static_cast<QWidget*>(f->AfkomLabel), static_cast<QWidget*>(f->AfkomLabelSkygge)})
        EXPECT_TRUE(x->isVisible()) << x->metaObject()->className();
    EXPECT_TRUE(f->BladnavnEdit->hasFocus());

    // The pupil's own generation: no "Gift med:" and no "Børn:".
    f->BackSpeed->click();
    f = edit(*w, 3);
    EXPECT_EQ(f->Gren(), 3);
    EXPECT_EQ(f->BladnavnEdit->text(), "Bror");
    for (QWidget* x : {static_cast<QWidget*>(f->GiftMedEdit), static_cast<QWidget*>(f->AfkomEdit),
                       static_cast<QWidget*>(f->GiftMedLabel), static_cast<QWidget*>(f->GiftMedLabelSkygge),
                       static_cast<QWidget*>(f->AfkomLabel), static_cast<QWidget*>(f->AfkomLabelSkygge)})
        EXPECT_FALSE(x->isVisible()) << x->metaObject()->className();
    for (QWidget* x : {static_cast<QWidget*>(f->BladNavnLabel), static_cast<QWidget*>(f->AndetLabel),
                       static_cast<QWidget*>(f->NotatMemo), static_cast<QWidget*>(f->ErMinEdit)})
        EXPECT_TRUE(x->isVisible());

    // The captions, each on its shadow one step down and right.
    EXPECT_EQ(f->GiftMedLabel->text(), "Gift med:");
    EXPECT_EQ(f->AfkomLabel->text(), QString::fromUtf8("Børn:"));
    EXPECT_EQ(f->AndetLabelSkygge->text(), "Andet:");
    const QPoint step = f->FuldeNavnLabelSkygge->pos() - f->FuldeNavnLabel->pos();
    EXPECT_GT(step.x(), 0);
    EXPECT_EQ(step.x(), step.y());
    EXPECT_EQ(f->BladNavnLabel->palette().color(QPalette::WindowText), QColor(0, 255, 0));
}

TEST_F(BladPage, ShowingThePageAndLeavingItUntouchedChangesNothing)
{
    // Texts a careless page would change: a note with CRLF and a lone LF, a
    // no-break space, letters beyond Latin-1, names longer than the fields take.
    const std::string longName(50, 'x');
    const std::string note = cp1252("Første linje\r\nAnden\nTredje\xC2\xA0med €");
    makePupil([&](tElev& e) {
        const int g = addRelative(e, 1, "Onkel");
        (void)e.SetGrenTekst(g, GrenTekst::Bladnavn, longName);
        (void)e.SetGrenTekst(g, GrenTekst::Notat, note);
        EXPECT_TRUE(e.SetGrenFoto(g, solidPhoto(1, 2, 3)));
    });
    const QByteArray before = bytesOf(path);
    auto w = open(path);
    tElev& e = *w->AktivElev();
    TBladForm* f = edit(*w, 2);
    EXPECT_FALSE(e.Aendret());
    EXPECT_EQ(f->BladnavnEdit->text().toStdString(), longName);   // shown whole
    EXPECT_EQ(e.GrenTekstOf(2, GrenTekst::Notat), note);
    EXPECT_EQ(f->NotatMemo->toPlainText().count('\n'), 2);

    f->BackSpeed->click();
    EXPECT_EQ(w->AktivSide(), 14);
    EXPECT_FALSE(e.Aendret());
    EXPECT_EQ(bytesOf(path), before);

    // A long name may be shortened but not grow.
    f = edit(*w, 2);
    f->BladnavnEdit->setFocus();
    QTest::keyClick(f->BladnavnEdit, Qt::Key_Backspace);
    EXPECT_EQ(e.GrenTekstOf(2, GrenTekst::Bladnavn), std::string(49, 'x'));
    QTest::keyClicks(f->BladnavnEdit, "yz");
    EXPECT_EQ(e.GrenTekstOf(2, GrenTekst::Bladnavn), std::string(49, 'x') + "y");
}

TEST_F(BladPage, EveryKeystrokeIsStoredAtOnceAndBackSavesAndShowsTheTree)
{
    makePupil([](tElev& e) {
        const int g = e.AddGren(2);
        e.SetGrenRaekke(g, 1);
    });
    auto w = open(path);
    tElev& e = *w->AktivElev();
    TBladForm* f = edit(*w, 2);
    struct Typed {
        QWidget* field;
        GrenTekst which;
        const char* text;
    };
    for (const Typed& t : {Typed{f->BladnavnEdit, GrenTekst::Bladnavn, "Mor"},
                           Typed{f->FuldeNavnEdit, GrenTekst::FuldeNavn, "Hanne Jensen"},
                           Typed{f->ErMinEdit, GrenTekst::ErMin, "mor"},
                           Typed{f->GiftMedEdit, GrenTekst::GiftMed, "Poul"},
                           Typed{f->AfkomEdit, GrenTekst::Afkom, "Ida og Bo"},
                           Typed{f->NotatMemo, GrenTekst::Notat, "Glad"}}) {
        t.field->setFocus();
        const QString text = QString::fromUtf8(t.text);
        for (int k = 1; k <= text.size(); ++k) {
            QTest::keyClick(t.field, text.at(k - 1).toLatin1());
            EXPECT_EQ(e.GrenTekstOf(2, t.which), text.left(k).toStdString());
        }
    }
    EXPECT_TRUE(e.Aendret());
    f->BackSpeed->click();
    EXPECT_EQ(w->AktivSide(), 14);
    EXPECT_FALSE(e.Aendret());
    const auto back = tElev::LoadFromFile(path);
    ASSERT_FALSE(back->LaesFejl());
    EXPECT_EQ(back->GrenTekstOf(2, GrenTekst::Bladnavn), "Mor");
    EXPECT_EQ(back->GrenTekstOf(2, GrenTekst::Afkom), "Ida og Bo");
    EXPECT_EQ(back->GrenTekstOf(2, GrenTekst::Notat), "Glad");
    EXPECT_TRUE(dialogs.messages.empty());
    // The tree shows the new name on its leaf (and the selection is gone).
    EXPECT_EQ(e.LastValgtGren(), -1);
}

TEST_F(BladPage, NotesKeepTheirLineBreaksThroughAShowAnEditAndASave)
{
    makePupil([](tElev& e) {
        const int g = e.AddGren(2);
        e.SetGrenRaekke(g, 2);
        (void)e.SetGrenTekst(g, GrenTekst::Notat, "Linje 1\r\nLinje 2\r\n\r\nLinje 4");
    });
    auto w = open(path);
    tElev& e = *w->AktivElev();
    TBladForm* f = edit(*w, 2);
    EXPECT_EQ(f->NotatMemo->toPlainText(), "Linje 1\nLinje 2\n\nLinje 4");
    EXPECT_FALSE(e.Aendret());

    f->NotatMemo->setFocus();
    f->NotatMemo->moveCursor(QTextCursor::End);
    QTest::keyClick(f->NotatMemo, Qt::Key_Return);
    QTest::keyClicks(f->NotatMemo, "Slut");
    EXPECT_EQ(e.GrenTekstOf(2, GrenTekst::Notat), "Linje 1\r\nLinje 2\r\n\r\nLinje 4\r\nSlut");
    f->BackSpeed->click();
    const auto back = tElev::LoadFromFile(path);
    EXPECT_EQ(back->GrenTekstOf(2, GrenTekst::Notat), "Linje 1\r\nLinje 2\r\n\r\nLinje 4\r\nSlut");

    // Shown again from the file: the same lines.
    f = edit(*w, 2);
    EXPECT_EQ(f->NotatMemo->toPlainText(), "Linje 1\nLinje 2\n\nLinje 4\nSlut");
}

TEST(NoteText, LineBreaksBothWaysAndNothingLost)
{
    EXPECT_EQ(NoteToEditor("a\r\nb\rc\nd"), "a\nb\nc\nd");
    EXPECT_EQ(NoteFromEditor("a\nb"), "a\r\nb");
    // The document's own separators, and a no-break space kept as it is.
    EXPECT_EQ(NoteFromEditor(QString("a") + QChar::ParagraphSeparator + "b" + QChar::LineSeparator + "c"),
              "a\r\nb\r\nc");
    EXPECT_EQ(NoteFromEditor(QString::fromUtf8("x\xC2\xA0y")), std::string("x\xA0y"));
    EXPECT_EQ(NoteFromEditor(QString::fromUtf8("€")), std::string("\x80"));
    EXPECT_FALSE(NoteFromEditor(QString::fromUtf8("Łódź")).has_value());
    EXPECT_EQ(NoteFromEditor(NoteToEditor("\r\n\r\n")), "\r\n\r\n");
}

TEST_F(BladPage, FieldsRefuseWhatTheFileCannotHoldAndKeepToTheirLength)
{
    makePupil([](tElev& e) {
        const int g = e.AddGren(2);
        e.SetGrenRaekke(g, 1);
    });
    auto w = open(path);
    tElev& e = *w->AktivElev();
    TBladForm* f = edit(*w, 2);

    // Typed: the euro sign is Windows-1252, the Polish letter is not.
    f->NotatMemo->setFocus();
    typeText(f->NotatMemo, QString::fromUtf8("5 €l"));
    typeText(f->NotatMemo, QString::fromUtf8("ł"));
    EXPECT_EQ(e.GrenTekstOf(2, GrenTekst::Notat), "5 \x80l");
    f->BladnavnEdit->setFocus();
    typeText(f->BladnavnEdit, QString::fromUtf8("ł"));
    EXPECT_EQ(f->BladnavnEdit->text(), "");
    EXPECT_EQ(e.GrenTekstOf(2, GrenTekst::Bladnavn), "");

    // Pasted and dropped text alike.
    QApplication::clipboard()->setText(QString::fromUtf8(" Łódź"));
    f->NotatMemo->setFocus();
    QTest::keyClick(f->NotatMemo, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(e.GrenTekstOf(2, GrenTekst::Notat), "5 \x80l");
    auto dropText = [&](const QString& text) {
        QMimeData dropped;
        dropped.setText(text);
        QWidget* target = f->NotatMemo->viewport();
        const QPoint at = target->rect().bottomRight() - QPoint(4, 4);
        QDragEnterEvent enter(at, Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QDragMoveEvent move(at, Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &move);
        QDropEvent drop(at, Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
    };
    dropText(QString::fromUtf8("Ωmega"));
    EXPECT_EQ(e.GrenTekstOf(2, GrenTekst::Notat), "5 \x80l");
    dropText(QStringLiteral("!"));
    EXPECT_EQ(e.GrenTekstOf(2, GrenTekst::Notat), "5 \x80l!");
    EXPECT_TRUE(photos.sources.empty());

    // Lengths: a field takes its most, a long paste into the note what fits.
    f->BladnavnEdit->setFocus();
    QTest::keyClicks(f->BladnavnEdit, QString(40, 'a'));
    EXPECT_EQ(e.GrenTekstOf(2, GrenTekst::Bladnavn), std::string(TBladForm::kBladnavnMax, 'a'));
    f->NotatMemo->setFocus();
    QApplication::clipboard()->setText(QString(3000, 'b'));
    QTest::keyClick(f->NotatMemo, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(f->NotatMemo->Length(), TBladForm::kNotatMax);
    EXPECT_EQ(e.GrenTekstOf(2, GrenTekst::Notat).size(), std::size_t(TBladForm::kNotatMax));
    QTest::keyClick(f->NotatMemo, Qt::Key_Return);
    QTest::keyClick(f->NotatMemo, Qt::Key_C);
    EXPECT_EQ(f->NotatMemo->Length(), TBladForm::kNotatMax);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(BladPage, TheLeafPreviewFollowsEveryKeystrokeOfTheName)
{
    makePupil([](tElev& e) {
        const int g = e.AddGren(2);
        e.SetGrenRaekke(g, 1);
    });
    auto w = open(path);
    TBladForm* f = edit(*w, 2);
    const QImage empty = grabbed(f->BladPaintBox);
    f->BladnavnEdit->setFocus();
    const int draws = f->PreviewDraws();
    QTest::keyClick(f->BladnavnEdit, Qt::Key_M, Qt::ShiftModifier);
    EXPECT_GT(f->PreviewDraws(), draws);   // drawn again at once, not later
    const QImage m = grabbed(f->BladPaintBox);
    EXPECT_NE(m, empty);
    // The name in green in the middle of the leaf.
    int green = 0;
    for (int y = 0; y < m.height(); ++y)
        for (int x = 0; x < m.width(); ++x)
            green += QColor(m.pixel(x, y)) == QColor(0, 128, 0);
    EXPECT_GT(green, 10);
    QTest::keyClicks(f->BladnavnEdit, "or");
    const QImage mor = grabbed(f->BladPaintBox);
    EXPECT_NE(mor, m);
    // Rubbed out again: the background comes back, no letter stays.
    for (int k = 0; k < 3; ++k)
        QTest::keyClick(f->BladnavnEdit, Qt::Key_Backspace);
    EXPECT_EQ(grabbed(f->BladPaintBox), empty);
}

TEST_F(BladPage, APhotoFromAFileIsStoredAndRemovingItShowsTheFrameHereAndOnTheTree)
{
    makePupil([](tElev& e) {
        const int g = e.AddGren(2);
        e.SetGrenRaekke(g, 2);
    });
    auto w = open(path);
    tElev& e = *w->AktivElev();
    TBladForm* f = edit(*w, 2);
    const QImage frame = emptyPhotoBox(f->FotoPaintBox->size());
    EXPECT_EQ(grabbed(f->FotoPaintBox), frame);
    EXPECT_FALSE(f->SletSpeed->isEnabled());   // nothing to remove yet

    // Cancelled open dialog, cancelled crop: nothing changes.
    f->OpenSpeed->click();
    EXPECT_TRUE(photos.loaded.empty());
    const QString red = pictureFile(dir, "rød.png", 100, 100, QColor(220, 20, 30));
    dialogs.files = {red};
    photos.cancel = true;
    QTest::mouseClick(f->FotoPaintBox, Qt::LeftButton);
    ASSERT_EQ(photos.sources.size(), 1u);
    EXPECT_EQ(photos.sources[0].size(), QSize(240, 240));   // enlarged before the crop
    EXPECT_FALSE(e.GrenHarFoto(2));
    EXPECT_FALSE(e.Aendret());

    // Cropped: stored, shown, removable.
    photos.cancel = false;
    dialogs.files = {red};
    QTest::mouseClick(f->FotoPaintBox, Qt::LeftButton);
    ASSERT_TRUE(e.GrenHarFoto(2));
    EXPECT_TRUE(e.Aendret());
    Pixels24 stored;
    ASSERT_TRUE(e.GetGrenFoto(2, stored));
    EXPECT_EQ(stored.pixel(90, 120)[2], 220);
    const QImage shown = grabbed(f->FotoPaintBox);
    EXPECT_EQ(QColor(shown.pixel(shown.width() / 2, shown.width() / 2)), QColor(220, 20, 30));
    EXPECT_TRUE(f->SletSpeed->isEnabled());

    // A file that is no picture: said, and the photo stays.
    const std::string junk = dir.file("ikke.jpg");
    {
        QFile j(QString::fromStdString(junk));
        ASSERT_TRUE(j.open(QIODevice::WriteOnly));
        j.write("not a picture at all");
    }
    dialogs.files = {QString::fromStdString(junk)};
    f->OpenSpeed->click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].caption, "Fejl");
    EXPECT_EQ(dialogs.messages[0].text,
              QString::fromUtf8("Billedet kunne ikke åbnes:\n\"%1\"").arg(QString::fromStdString(junk)));
    EXPECT_TRUE(e.GrenHarFoto(2));

    // Removed: the frame here, and on the tree's data panel.
    f->SletSpeed->click();
    EXPECT_FALSE(e.GrenHarFoto(2));
    EXPECT_EQ(grabbed(f->FotoPaintBox), frame);
    EXPECT_FALSE(f->SletSpeed->isEnabled());
    f->BackSpeed->click();
    auto* stam = static_cast<TStamForm*>(w->PageAt(14));
    stam->SelectGren(2);
    QApplication::processEvents();
    ASSERT_TRUE(stam->DataPanel->isVisible());
    EXPECT_EQ(grabbed(stam->DataPaintBox), emptyPhotoBox(stam->DataPaintBox->size()));
    EXPECT_FALSE(tElev::LoadFromFile(path)->GrenHarFoto(2));
}

TEST_F(BladPage, ADroppedFileOrPictureAndAPastedOneGoToTheCropDialog)
{
    makePupil([](tElev& e) {
        const int g = e.AddGren(2);
        e.SetGrenRaekke(g, 1);
    });
    auto w = open(path);
    tElev& e = *w->AktivElev();
    TBladForm* f = edit(*w, 2);
    const QString blue = pictureFile(dir, "blå.png", 300, 400, QColor(10, 20, 200));

    // A file from the file manager, dropped on the photo.
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(blue)});
    const QPoint at = f->FotoPanel->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f->FotoPanel, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f->FotoPanel, &drop);
    EXPECT_TRUE(drop.isAccepted());
    QApplication::processEvents();   // the dialog runs once the drop is over
    ASSERT_EQ(photos.loaded.size(), 1u);
    EXPECT_EQ(photos.loaded[0], blue);
    ASSERT_EQ(photos.sources.size(), 1u);
    EXPECT_EQ(photos.sources[0].size(), QSize(300, 400));
    EXPECT_TRUE(e.GrenHarFoto(2));
    f->SletSpeed->click();

    // A picture dragged from a browser: the pixels themselves.
    QMimeData picture;
    QImage green(200, 300, QImage::Format_RGB32);
    green.fill(QColor(0, 200, 0));
    picture.setImageData(green);
    QDragEnterEvent enter2(at, Qt::CopyAction, &picture, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f->FotoPanel, &enter2);
    EXPECT_TRUE(enter2.isAccepted());
    QDropEvent drop2(at, Qt::CopyAction, &picture, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f->FotoPanel, &drop2);
    QApplication::processEvents();
    ASSERT_EQ(photos.sources.size(), 2u);
    EXPECT_EQ(photos.sources[1].size(), QSize(200, 300));
    ASSERT_TRUE(e.GrenHarFoto(2));
    f->SletSpeed->click();

    // Text is no picture: refused.
    QMimeData text;
    text.setText("hej");
    QDragEnterEvent enter3(at, Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f->FotoPanel, &enter3);
    EXPECT_FALSE(enter3.isAccepted());

    // Ctrl+V of a picture while the leaf's name field has the focus.
    QImage yellow(180, 240, QImage::Format_RGB32);
    yellow.fill(QColor(250, 250, 0));
    QApplication::clipboard()->setImage(yellow);
    f->BladnavnEdit->setFocus();
    QTest::keyClick(f->BladnavnEdit, Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(photos.sources.size(), 3u);
    EXPECT_EQ(photos.sources[2].size(), QSize(180, 240));
    ASSERT_TRUE(e.GrenHarFoto(2));
    Pixels24 stored;
    ASSERT_TRUE(e.GetGrenFoto(2, stored));
    EXPECT_EQ(stored.pixel(0, 0)[0], 0);   // blue
    EXPECT_EQ(stored.pixel(0, 0)[2], 250);   // red
    EXPECT_EQ(f->BladnavnEdit->text(), "");

    // Text on the clipboard pastes as text into a field.
    QApplication::clipboard()->setText("Moster");
    QTest::keyClick(f->BladnavnEdit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(e.GrenTekstOf(2, GrenTekst::Bladnavn), "Moster");
    EXPECT_EQ(photos.sources.size(), 3u);

    // A copied picture file, pasted where no field has the focus.
    QMimeData* copied = new QMimeData;
    copied->setUrls({QUrl::fromLocalFile(blue)});
    QApplication::clipboard()->setMimeData(copied);
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    f->SletSpeed->setFocus();
    ASSERT_TRUE(f->SletSpeed->hasFocus());
    QTest::keyClick(f->SletSpeed, Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(photos.sources.size(), 4u);
    EXPECT_EQ(photos.loaded.back(), blue);
}

TEST_F(BladPage, WithNobodySelectedNothingCanBeTypedOrTaken)
{
    makePupil([](tElev& e) { addRelative(e, 1, "Far"); });
    const QByteArray before = bytesOf(path);
    auto w = open(path);
    tElev& e = *w->AktivElev();
    // Straight to the page, as printing or the command line gets there.
    TBladForm* f = edit(*w, -1);
    EXPECT_EQ(f->Gren(), -1);
    for (QWidget* x : {static_cast<QWidget*>(f->BladnavnEdit), static_cast<QWidget*>(f->FuldeNavnEdit),
                       static_cast<QWidget*>(f->ErMinEdit), static_cast<QWidget*>(f->GiftMedEdit),
                       static_cast<QWidget*>(f->AfkomEdit), static_cast<QWidget*>(f->NotatMemo),
                       static_cast<QWidget*>(f->OpenSpeed), static_cast<QWidget*>(f->SletSpeed)})
        EXPECT_FALSE(x->isEnabled()) << x->metaObject()->className();
    EXPECT_EQ(f->BladnavnEdit->text(), "");
    dialogs.files = {pictureFile(dir, "x.png", 200, 300, Qt::red)};
    QTest::mouseClick(f->FotoPaintBox, Qt::LeftButton);
    EXPECT_EQ(dialogs.files.size(), 1u);   // no open dialog
    QImage img(200, 300, QImage::Format_RGB32);
    img.fill(Qt::red);
    QApplication::clipboard()->setImage(img);
    EXPECT_FALSE(f->PastePicture());
    QMimeData picture;
    picture.setImageData(img);
    EXPECT_FALSE(f->DropPicture(&picture));
    QApplication::processEvents();
    EXPECT_TRUE(photos.sources.empty());
    // The photo box stays white, the leaf has no name.
    const QImage box = grabbed(f->FotoPaintBox);
    EXPECT_EQ(box.pixel(box.width() / 2, box.height() / 2), qRgb(255, 255, 255));

    // The fresh leaf is nobody either.
    f->BackSpeed->click();
    f = edit(*w, e.FindGren(0));
    EXPECT_EQ(f->Gren(), -1);
    EXPECT_FALSE(f->BladnavnEdit->isEnabled());
    f->BackSpeed->click();
    EXPECT_FALSE(e.Aendret());
    EXPECT_EQ(bytesOf(path), before);
}

TEST_F(BladPage, HintsAndTheFaintLimePaneOverTheBranch)
{
    makePupil([](tElev& e) { addRelative(e, 1, "Far"); });
    auto w = open(path);
    TBladForm* f = edit(*w, 2);
    EXPECT_EQ(f->BackSpeed->toolTip(), QString::fromUtf8("Tilbage til stamtræet"));
    EXPECT_EQ(f->FotoPaintBox->toolTip(), QString::fromUtf8("Klik for at vælge et billede"));
    EXPECT_EQ(f->OpenSpeed->toolTip(), QString::fromUtf8("Klik for at vælge et billede"));
    EXPECT_EQ(f->SletSpeed->toolTip(), "Fjern billedet");
    EXPECT_EQ(f->FotoPaintBox->cursor().shape(), Qt::PointingHandCursor);

    // The pane: a fifth lime over four fifths of the branch's background,
    // inside a lime outline.
    const QImage pane = grabbed(f->KassePaintBox);
    const QImage& page = Drawing().PageBitmap;
    const QPoint at = f->KassePaintBox->geometry().topLeft() - QPoint(f->S(89), f->BoxTop());
    for (QPoint p : {QPoint(5, 5), QPoint(pane.width() / 2, pane.height() / 2), QPoint(pane.width() - 3, 7)}) {
        const QColor under(page.pixel(at + p));
        const QColor expected(MulDiv(under.red(), 4, 5), 51 + MulDiv(under.green(), 4, 5), MulDiv(under.blue(), 4, 5));
        EXPECT_EQ(QColor(pane.pixel(p)), expected) << p.x() << "," << p.y();
    }
    EXPECT_EQ(QColor(pane.pixel(0, 0)), QColor(0, 255, 0));
    EXPECT_EQ(QColor(pane.pixel(pane.width() - 1, pane.height() / 2)), QColor(0, 255, 0));
    // The branch's background right of the column is the layout "gren".
    QImage gren(page.size(), QImage::Format_RGB32);
    {
        Canvas c(&gren);
        DrawPageLayout(c, "gren");
    }
    EXPECT_EQ(page.pixel(at + QPoint(5, 5)), gren.pixel(at + QPoint(5, 5)));
}
