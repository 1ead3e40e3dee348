// Whole books as one PDF: a pupil's book, or the class book (a cover, every
// pupil's book and the class statistics). Every page is drawn afresh at the
// paper's resolution by the program's own page widgets, never on screen, from
// a copy of the class, so that making a book can change nothing the user has.
// The menu's "Gem bogen som PDF..." and "Gem klassebogen som PDF..." use it,
// and so does tinkeli-tool book.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class tKlasse;

/// One page of a book.
struct BookPage {
    enum Kind { Forside, Elevside, Statistik };
    Kind kind = Elevside;
    int side = 0;        ///< the program's page: 1 for the cover, 18 for a statistic
    int elev = -1;       ///< the pupil's place in the class (pupil pages)
    int gren = -1;       ///< the branch page's leaf (page 15)
    int statistik = 0;   ///< the statistic shown (page 18)
    bool operator==(const BookPage&) const = default;
};

/// Pupil \a elev's book: the student page, the measurements, the hobbies, the
/// family tree, a branch page for each relative with a photo or any text (by
/// generation from the top of the tree, left to right), the poetry book.
/// Empty for a pupil who is not there or whose file could not be read.
std::vector<BookPage> PupilBookPages(const tKlasse& k, int elev);

/// The statistics in a class book: hobbies, number of hobbies, birth month
/// and height, those the class can show. None without a pupil to count.
std::vector<int> ClassBookStatistics(const tKlasse& k);

/// The class book: the cover, every pupil's book in class order (pupils whose
/// file could not be read are left out), then ClassBookStatistics.
std::vector<BookPage> ClassBookPages(const tKlasse& k);

/// The footer's name: the pupil's full name (or nickname) on a pupil's
/// pages, the class and school elsewhere, a statistic's name after them.
QString BookFooterName(const tKlasse& k, const BookPage& page);

/// Draws book pages with a set of the program's page widgets of its own,
/// in a window that is never on screen, from a copy of the class taken when
/// it is made. Nothing it does reaches the class it was given, the program's
/// pages or their state. It draws with the drawing tables the program's main
/// window sets up.
class BookRenderer {
public:
    explicit BookRenderer(const tKlasse& klasse);
    ~BookRenderer();
    BookRenderer(const BookRenderer&) = delete;
    BookRenderer& operator=(const BookRenderer&) = delete;

    /// The size of the window every page is drawn in, in pixels. One size for
    /// the whole book: a new size reads the drawing archive again.
    void SetPageSize(QSize size);
    QSize PageSize() const;
    /// The page size at which a page with one side column has a printed area
    /// of exactly \a area (the picture then lies on paper pixel for pixel).
    static QSize PageSizeFor(QSize area);

    /// The page's printed area, drawn at PageSize() one pixel a pixel (also
    /// on a screen of more device pixels than points). Null when the page
    /// cannot be drawn: the archive is missing, or the page, pupil, leaf or
    /// statistic is not there.
    QImage Render(const BookPage& page);

    /// The copy of the class the pages are drawn from.
    const tKlasse& Klasse() const;

private:
    class Host;
    std::unique_ptr<Host> host_;
};

/// The resolution books are drawn at: sharp on paper at arm's length, and a
/// class book of some 280 pages stays below 100 MB.
inline constexpr int kBookDpi = 200;

/// A book's paper at \a dpi: A4 landscape with 10 mm margins; in the
/// printable area's pixels the box the pages' pictures are fitted into and
/// the footer band below it; the page size that gives a page with one side
/// column a picture of exactly the box (BookRenderer::PageSizeFor).
struct BookPaper {
    int dpi = kBookDpi;
    QRect picture;
    QRect footer;
    QSize pageSize;
};
BookPaper BookPaperAt(int dpi);

struct BookOptions {
    int dpi = kBookDpi;   ///< the resolution the pages are drawn at
    int year = 0;         ///< on the cover; 0: this year
    QString title;        ///< the document's title
};

enum class BookResult { Written, Cancelled, Failed };

/// Called before each page is drawn with the pages done so far and the
/// total, and once more at the end (total, total). Returning false stops the
/// book.
using BookProgress = std::function<bool(int done, int total)>;

/// Writes \a pages of \a klasse into \a file as one PDF: each page drawn
/// afresh at the paper's resolution, fitted and centred on A4 landscape, with
/// a footer of BookFooterName and "Side k af n". The cover has the school,
/// class, teacher and year over the class overview. The file is written under
/// a temporary name and put in place only when the whole book is done: a
/// book that is cancelled or fails leaves an old file as it was and no new
/// one. \a why gets the reason of a failure.
BookResult WriteBookPdf(const tKlasse& klasse, const std::vector<BookPage>& pages, const QString& file,
                        const BookOptions& options = {}, const BookProgress& progress = {},
                        QString* why = nullptr);
