// Whole books as one PDF.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "bookpdf.h"

#include "bladform.h"
#include "bogform.h"
#include "dialogs.h"
#include "drawing.h"
#include "elev.h"
#include "elevform.h"
#include "hobbyform.h"
#include "klasse.h"
#include "klasseform.h"
#include "maalform.h"
#include "page.h"
#include "pagehost.h"
#include "pagepicture.h"
#include "qansi.h"
#include "stamform.h"
#include "statdata.h"
#include "statform.h"

#include <QApplication>
#include <QDate>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <tuple>

namespace {

// The statistics a class book shows: hobbies, number of hobbies, birth
// month, height.
constexpr std::array<int, 4> kBookStatistics = {1, 2, 3, 4};

bool hasText(const tElev& e, int i)
{
    for (GrenTekst t : {GrenTekst::FuldeNavn, GrenTekst::Bladnavn, GrenTekst::ErMin, GrenTekst::GiftMed,
                        GrenTekst::Afkom, GrenTekst::Notat})
        if (!e.GrenTekstOf(i, t).empty())
            return true;
    return false;
}

QString classCaption(const tKlasse& k)
{
    QStringList parts;
    for (const std::string* s : {&k.Klasse(), &k.Skole()})
        if (!s->empty())
            parts << ansi::ToQString(*s);
    return parts.isEmpty() ? QStringLiteral("Klassen") : parts.join(QStringLiteral(", "));
}

int mmToPixels(double mm, int dpi)
{
    return int(std::lround(mm * dpi / 25.4));
}

} // namespace

// ---- which pages ----

std::vector<BookPage> PupilBookPages(const tKlasse& k, int elev)
{
    const tElev* e = k.GetElev(elev);
    if (!e || e->LaesFejl())
        return {};
    std::vector<BookPage> pages;
    const auto add = [&](int side, int gren = -1) { pages.push_back({BookPage::Elevside, side, elev, gren, 0}); };
    add(3);
    add(11);
    add(13);
    add(14);
    // The relatives as the tree shows them, the youngest generation at the
    // top; the pupil's own leaf and the fresh one waiting are nobody's page.
    std::vector<std::tuple<int, double, int>> relatives;
    for (int i = 0; i < e->GrenCount(); ++i) {
        const int art = TStamForm::ShownArt(e->GrenArt(i));
        if (art == 2 && (e->GrenHarFoto(i) || hasText(*e, i)))
            relatives.emplace_back(TStamForm::ShownRow(art, e->GrenRaekke(i)), e->GrenXpos(i), i);
    }
    std::stable_sort(relatives.begin(), relatives.end());
    for (const auto& r : relatives)
        add(15, std::get<2>(r));
    add(16);
    return pages;
}

std::vector<int> ClassBookStatistics(const tKlasse& k)
{
    bool anyone = false;
    for (int i = 0; i < k.ElevCount() && !anyone; ++i)
        anyone = !k.ElevLaesFejl(i);
    std::vector<int> shown;
    for (int n : kBookStatistics)
        if (anyone && StatAvailable(k, n))
            shown.push_back(n);
    return shown;
}

std::vector<BookPage> ClassBookPages(const tKlasse& k)
{
    std::vector<BookPage> pages{{BookPage::Forside, 1, -1, -1, 0}};
    for (int i = 0; i < k.ElevCount(); ++i) {
        const auto book = PupilBookPages(k, i);
        pages.insert(pages.end(), book.begin(), book.end());
    }
    for (int n : ClassBookStatistics(k))
        pages.push_back({BookPage::Statistik, 18, -1, -1, n});
    return pages;
}

QString BookFooterName(const tKlasse& k, const BookPage& page)
{
    switch (page.kind) {
    case BookPage::Elevside:
        if (const tElev* e = k.GetElev(page.elev)) {
            if (!e->FuldeNavn().empty())
                return ansi::ToQString(e->FuldeNavn());
            if (!e->Kaldenavn().empty())
                return ansi::ToQString(e->Kaldenavn());
        }
        return QStringLiteral("Elev");
    case BookPage::Statistik:
        return classCaption(k) + QStringLiteral(" – ") + TStatForm::StatName(page.statistik);
    case BookPage::Forside:
        break;
    }
    return classCaption(k);
}

// ---- drawing the pages ----

// The program around the book's pages: the copy of the class, the pupil
// whose page is drawn, and a page switch of their own.
class BookRenderer::Host final : public PageHost {
public:
    explicit Host(const tKlasse& k) : klasse_(k.Clone())
    {
        // The copy is the book as the program holds it now: the overview
        // must not read newer files from the disk into it.
        klasse_->SetTidspunkt(std::numeric_limits<DateTime>::max());
        window_.setAttribute(Qt::WA_DontShowOnScreen);
        window_.resize(1920, 1080);
        window_.show();
    }

    tKlasse& AktivKlasse() override { return *klasse_; }
    tElev* AktivElev() override
    {
        tElev* e = klasse_->GetElev(elev_);
        return e && !e->LaesFejl() ? e : nullptr;
    }
    void SetAktivElev(int index) override { elev_ = index; }
    int AktivSide() const override { return side_; }
    void DiscardClass() override {}
    void ShowPage(int n) override
    {
        if (side_ >= 1 && side_ <= 18 && pages_[std::size_t(side_)])
            pages_[std::size_t(side_)]->hide();
        side_ = 0;
        Page* p = page(n);
        if (!p)
            return;
        side_ = n;
        p->setGeometry(window_.rect());
        p->show();
        p->raise();
    }
    void LukClick() override {}
    void CloseRequest() override {}
    void SetBookLocked(bool) override {}
    void ShowHelpPage(const QString&) override {}
    int AskCode(const std::string&) override { return 2; }
    DialogService& Dialogs() override { return dialogs_; }

    // The page of number n, made the first time it is wanted: a pupil's
    // book needs neither the overview nor the statistics.
    Page* page(int n)
    {
        if (n < 1 || n > 18)
            return nullptr;
        Page*& p = pages_[std::size_t(n)];
        if (p)
            return p;
        QWidget* parent = &window_;
        switch (n) {
        case 1: p = new TKlasseForm(*this, parent); break;
        case 3: {
            auto* elev = new TElevForm(*this, parent);
            elev->SetClassMode(true);
            p = elev;
            break;
        }
        case 11: p = new TMaalForm(*this, parent); break;
        case 13: p = new THobbyForm(*this, parent); break;
        case 14: p = new TStamForm(*this, parent); break;
        case 15: p = new TBladForm(*this, parent); break;
        case 16: p = new TBogForm(*this, parent); break;
        case 18: p = new TStatForm(*this, static_cast<TKlasseForm*>(page(1)), parent); break;
        default: return nullptr;
        }
        p->setGeometry(window_.rect());
        return p;
    }

    void resize(QSize size)
    {
        window_.resize(size);
        for (Page* p : pages_)
            if (p)
                p->setGeometry(window_.rect());
    }
    QSize size() const { return window_.size(); }

    // The page's printed area, painted into a picture of one pixel a pixel
    // whatever the screen's device pixels.
    QImage draw(Page& p)
    {
        // What the page put off until its events run; the user's keys and
        // clicks wait.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        // A picture of the page, not of someone typing in it: no text cursor.
        if (QWidget* focus = window_.focusWidget())
            focus->clearFocus();
        const QRect area = p.PrintArea();
        if (area.isEmpty())
            return {};
        QImage picture(area.size(), QImage::Format_RGB32);
        picture.setDevicePixelRatio(1);
        picture.fill(Qt::white);
        p.render(&picture, QPoint(), QRegion(area), QWidget::DrawChildren);
        if (Drawing().PageBitmap.isNull())
            return {};   // the drawing archive could not be read
        return picture;
    }

private:
    std::unique_ptr<tKlasse> klasse_;
    SilentDialogs dialogs_;   // nobody waits for a book: no question is asked
    QWidget window_;
    std::array<Page*, 19> pages_{};
    int elev_ = -1;
    int side_ = 0;
};

BookRenderer::BookRenderer(const tKlasse& klasse) : host_(std::make_unique<Host>(klasse)) {}

BookRenderer::~BookRenderer() = default;

void BookRenderer::SetPageSize(QSize size)
{
    host_->resize(size);
}

QSize BookRenderer::PageSize() const
{
    return host_->size();
}

const tKlasse& BookRenderer::Klasse() const
{
    return host_->AktivKlasse();
}

QSize BookRenderer::PageSizeFor(QSize area)
{
    // The column is 89 design units, scaled as Page::S scales: by the
    // smaller of height / 450 and width / 640.
    const int h = std::max(1, area.height());
    int w = area.width();
    for (int round = 0; round < 4; ++round) {
        const double scale = std::min(h / double(Page::kDesignHeight), w / double(Page::kDesignWidth));
        const int next = area.width() + int(std::lround(Page::kColumnWidth * scale));
        if (next == w)
            break;
        w = next;
    }
    return QSize(w, h);
}

QImage BookRenderer::Render(const BookPage& bp)
{
    Host& h = *host_;
    Page* shown = nullptr;
    switch (bp.kind) {
    case BookPage::Forside:
        h.SetAktivElev(-1);
        h.ShowPage(1);
        shown = h.page(1);
        break;
    case BookPage::Elevside: {
        static constexpr std::array<int, 6> kPupilPages = {3, 11, 13, 14, 15, 16};
        const tElev* e = h.AktivKlasse().GetElev(bp.elev);
        if (!e || e->LaesFejl() || std::find(kPupilPages.begin(), kPupilPages.end(), bp.side) == kPupilPages.end())
            return {};
        h.SetAktivElev(bp.elev);
        if (bp.side == 15) {
            // As the program opens a branch page: the leaf selected on the
            // tree, then the tree's edit button.
            h.ShowPage(14);
            auto* stam = static_cast<TStamForm*>(h.page(14));
            stam->SelectGren(bp.gren);
            if (bp.gren < 0 || stam->Selected() != bp.gren)
                return {};
            stam->RedigerSpeedClick();
            if (h.AktivSide() != 15 || static_cast<TBladForm*>(h.page(15))->Gren() != bp.gren)
                return {};
        } else {
            h.ShowPage(bp.side);
        }
        shown = h.page(bp.side);
        break;
    }
    case BookPage::Statistik: {
        if (bp.statistik < 1 || bp.statistik > kStatCount)
            return {};
        h.SetAktivElev(-1);
        h.ShowPage(18);
        auto* stat = static_cast<TStatForm*>(h.page(18));
        // Boys and girls in their colours, not hidden under their faces.
        stat->ChooseDiagramType(TStatForm::BothColours);
        stat->SetFaces(false);
        if (!stat->ChooseStatistic(bp.statistik) && stat->Statistic() != bp.statistik)
            return {};
        shown = stat;
        break;
    }
    }
    return shown && h.AktivSide() == shown->number() ? h.draw(*shown) : QImage();
}

// ---- the PDF ----

namespace {

struct PaperText {
    QString text;
    double points;
    bool bold;
    QColor colour;
};

// The cover's lines, the class first; lines without a text are left out.
std::vector<PaperText> coverLines(const tKlasse& k, int year)
{
    std::vector<PaperText> lines;
    const QColor blue(0x00, 0x00, 0x80), ink(0x20, 0x20, 0x20);
    if (!k.Klasse().empty())
        lines.push_back({ansi::ToQString(k.Klasse()), 40, true, blue});
    if (!k.Skole().empty())
        lines.push_back({ansi::ToQString(k.Skole()), 24, false, ink});
    if (!k.Laerer().empty())
        lines.push_back({QStringLiteral("Lærer: ") + ansi::ToQString(k.Laerer()), 16, false, ink});
    lines.push_back({QString::number(year), 16, false, ink});
    return lines;
}

} // namespace

namespace {

QPageLayout bookLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(10, 10, 10, 10),
                       QPageLayout::Millimeter);
}

} // namespace

BookPaper BookPaperAt(int dpi)
{
    BookPaper paper;
    paper.dpi = std::clamp(dpi, 20, 1200);
    // The painter's origin is the printable area's corner; the footer takes
    // the bottom of it, the page's picture the rest.
    const QRect printable = bookLayout().paintRectPixels(paper.dpi);
    const int footerHeight = mmToPixels(7, paper.dpi);
    paper.picture = QRect(0, 0, printable.width(), printable.height() - footerHeight);
    paper.footer = QRect(0, paper.picture.bottom() + 1, printable.width(), footerHeight);
    paper.pageSize = BookRenderer::PageSizeFor(paper.picture.size());
    return paper;
}

BookResult WriteBookPdf(const tKlasse& klasse, const std::vector<BookPage>& pages, const QString& file,
                        const BookOptions& options, const BookProgress& progress, QString* why)
{
    const auto fail = [why](const QString& reason) {
        if (why)
            *why = reason;
        return BookResult::Failed;
    };
    const int n = int(pages.size());
    if (n == 0)
        return fail(QStringLiteral("the book has no pages"));
    const BookPaper paper = BookPaperAt(options.dpi);

    // Written under a temporary name, put in place by commit() only when the
    // whole book is there; anything else removes it.
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return fail(out.errorString());
    QPdfWriter pdf(&out);
    pdf.setCreator(QStringLiteral("Tinkeli"));
    pdf.setTitle(options.title.isEmpty() ? QFileInfo(file).completeBaseName() : options.title);
    pdf.setResolution(paper.dpi);
    if (!pdf.setPageLayout(bookLayout()))
        return fail(QStringLiteral("the paper cannot be set up"));
    const QRect& box = paper.picture;
    const QRect& footer = paper.footer;

    BookRenderer renderer(klasse);
    renderer.SetPageSize(paper.pageSize);
    const int year = options.year > 0 ? options.year : QDate::currentDate().year();

    QFont footerFont = QApplication::font();
    footerFont.setPointSizeF(9);
    QPainter p;
    for (int k = 0; k < n; ++k) {
        if (progress && !progress(k, n))
            return BookResult::Cancelled;
        const BookPage& page = pages[std::size_t(k)];
        const QImage picture = renderer.Render(page);
        if (picture.isNull())
            return fail(QStringLiteral("page %1 of %2 could not be drawn").arg(k + 1).arg(n));
        if (k == 0 ? !p.begin(&pdf) : !pdf.newPage())
            return fail(out.errorString().isEmpty() ? QStringLiteral("the PDF cannot be written") : out.errorString());
        p.setRenderHint(QPainter::SmoothPixmapTransform);

        QRect pictureBox = box;
        if (page.kind == BookPage::Forside) {
            int y = 0;
            for (const PaperText& line : coverLines(klasse, year)) {
                QFont f = QApplication::font();
                f.setPointSizeF(line.points);
                f.setBold(line.bold);
                p.setFont(f);
                p.setPen(line.colour);
                const int h = QFontMetrics(f, &pdf).height();
                p.drawText(QRect(0, y, box.width(), h), Qt::AlignCenter, line.text);
                y += h;
            }
            y += mmToPixels(5, paper.dpi);
            pictureBox = QRect(0, y, box.width(), std::max(1, box.height() - y));
        }
        p.drawImage(FitToPage(picture.size(), pictureBox.size()).translated(pictureBox.topLeft()), picture);

        p.setFont(footerFont);
        p.setPen(QColor(0x40, 0x40, 0x40));
        p.drawText(footer, Qt::AlignLeft | Qt::AlignBottom, BookFooterName(klasse, page));
        p.drawText(footer, Qt::AlignRight | Qt::AlignBottom, QStringLiteral("Side %1 af %2").arg(k + 1).arg(n));
    }
    if (progress && !progress(n, n))
        return BookResult::Cancelled;
    if (!p.end())
        return fail(QStringLiteral("the PDF cannot be written"));
    if (!out.commit())
        return fail(out.errorString());
    return BookResult::Written;
}
