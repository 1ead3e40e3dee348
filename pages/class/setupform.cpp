// The class setup.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "setupform.h"

#include "canvas.h"
#include "chrome.h"
#include "dialogs.h"
#include "drawing.h"
#include "elevliste.h"
#include "gemklasse.h"
#include "klasse.h"
#include "pagehost.h"
#include "qansi.h"
#include "textinput.h"

#include <QEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTimer>

#include <cmath>

const char* const TSetupForm::kTitles[kColumns] = {"Kaldenavn", "Fulde navn", "Fødselsdag", "Køn", "Elevkode",
                                                   "Sidst ændret"};

namespace {

const QColor kSkyBlue(0xA6, 0xCA, 0xF0);
const char* const kListFilter = "Elevliste|*.csv;*.txt|Alle filer|*";
constexpr int kCellInset = 2;   // free pixels left and right of a cell's text

// The grid decides itself which cell may be entered: a refused click or
// key leaves the cursor where it was.
class SetupGrid : public QTableWidget {
public:
    SetupGrid(int rows, int cols, QWidget* parent, TSetupForm* form)
        : QTableWidget(rows, cols, parent), form_(form)
    {
    }
    using QTableWidget::edit;

    /// Moves to the cell as a key does: the form's rules first, then the
    /// cursor and the editor. A refused cell still takes the cursor (not the
    /// editor), so that the next Tab goes on from there.
    void keyTo(const QModelIndex& target)
    {
        const bool entered = form_->ElevGridSelectCell(target.column(), target.row());
        if (entered)
            setFocus();
        setCurrentIndex(target);
        if (entered)
            QTimer::singleShot(0, this, [this, target] {
                if (currentIndex() == target && state() != EditingState)
                    edit(target);
            });
    }

protected:
    void mousePressEvent(QMouseEvent* e) override
    {
        const QModelIndex idx = indexAt(e->position().toPoint());
        if (!idx.isValid())
            return;
        enter(idx);
    }
    void mouseDoubleClickEvent(QMouseEvent*) override {}

    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override
    {
        const QModelIndex target = action == MoveNext       ? tabTarget(true)
                                   : action == MovePrevious ? tabTarget(false)
                                                            : QTableWidget::moveCursor(action, modifiers);
        if (!target.isValid() || target == currentIndex())
            return target;
        keyTo(target);
        // The move is made; no index for the view to act on. With the old
        // cell's index it would reopen that cell's editor with its text
        // selected, and the next keys would overwrite it.
        return QModelIndex();
    }

    bool focusNextPrevChild(bool next) override
    {
        // Tab stays in the grid, also on a cell the rules refuse, until it
        // runs past the first or the last cell.
        if (tabKeyNavigation() && isVisible()) {
            const QModelIndex target = tabTarget(next);
            if (target.isValid()) {
                keyTo(target);
                return true;
            }
        }
        return QAbstractScrollArea::focusNextPrevChild(next);
    }

    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override
    {
        // Typing on the cursor's cell opens its editor only where the rules
        // allow one: never on the gender, never on a given nickname.
        if ((trigger == AnyKeyPressed || trigger == EditKeyPressed)
            && !form_->CellEditable(index.column(), index.row()))
            return false;
        return QTableWidget::edit(index, trigger, event);
    }

    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override
    {
        // Esc: every keystroke went into the class at once, so the value the
        // cell had when the editor opened is written back.
        if (hint == QAbstractItemDelegate::RevertModelCache && editor && editor->property("col").isValid()) {
            const int col = editor->property("col").toInt(), row = editor->property("row").toInt();
            const QString original = editor->property("original").toString();
            if (form_->ElevGridGetEditText(col, row) != original)
                form_->ElevGridSetEditText(col, row, original);
        }
        QTableWidget::closeEditor(editor, hint);
    }

private:
    void enter(const QModelIndex& idx)
    {
        if (!form_->ElevGridSelectCell(idx.column(), idx.row()))
            return;
        // The focus first: taken from an open editor it would close it again.
        setFocus();
        setCurrentIndex(idx);
        edit(idx);
    }

    // The next cell Tab (or Shift+Tab) offers: reading order, past the
    // column that is never typed in and past nicknames already given.
    // Invalid beyond the first and the last cell.
    QModelIndex tabTarget(bool forward) const
    {
        const QModelIndex cur = currentIndex();
        int i = cur.isValid() ? cur.row() * columnCount() + cur.column() : (forward ? -1 : 0);
        const int last = rowCount() * columnCount() - 1;
        for (;;) {
            i += forward ? 1 : -1;
            if (i < 0 || i > last)
                return {};
            const int row = i / columnCount(), col = i % columnCount();
            if (col == 5 || (col == 0 && !form_->CellText(0, row).isEmpty()))
                continue;
            return model()->index(row, col);
        }
    }

    TSetupForm* form_;
};

class SetupDelegate : public QStyledItemDelegate {
public:
    explicit SetupDelegate(TSetupForm* form) : QStyledItemDelegate(form), form_(form) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override
    {
        auto* edit = new QLineEdit(parent);
        edit->setFrame(false);
        GuardAnsiInput(edit);
        const int col = index.column(), row = index.row();
        // The text keeps its size when the editor opens and closes.
        edit->setFont(form_->CellFont(col));
        // Yellow as the cell with the focus, not the panel's sky blue.
        edit->setStyleSheet(QStringLiteral("QLineEdit { background: #FFFF00; color: black; }"));
        edit->setProperty("col", col);
        edit->setProperty("row", row);
        edit->setProperty("original", form_->ElevGridGetEditText(col, row));
        connect(edit, &QLineEdit::textEdited, form_,
                [this, col, row](const QString& text) { form_->ElevGridSetEditText(col, row, text); });
        return edit;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        static_cast<QLineEdit*>(editor)->setText(form_->ElevGridGetEditText(index.column(), index.row()));
    }
    void setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const override
    {
        // Every keystroke is already stored in the class.
    }
    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const bool focus = option.state.testFlag(QStyle::State_HasFocus);
        p->fillRect(option.rect, focus ? QColor(255, 255, 0) : QColor(Qt::white));
        const int row = index.row(), col = index.column();
        const bool red = col == 2 && !form_->host().AktivKlasse().ElevDatoOk(row);
        const bool unreadable = form_->host().AktivKlasse().ElevLaesFejl(row);
        p->setPen(red ? QColor(255, 0, 0) : unreadable ? QColor(0x80, 0x80, 0x80) : QColor(Qt::black));
        p->setFont(form_->CellFont(col));
        p->drawText(option.rect.adjusted(kCellInset, 0, -kCellInset, 0),
                    Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, form_->CellText(col, row));
    }

private:
    TSetupForm* form_;
};

class MarkDelegate : public QStyledItemDelegate {
public:
    explicit MarkDelegate(TSetupForm* form) : QStyledItemDelegate(form), form_(form) {}
    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        p->fillRect(option.rect, kSkyBlue);
        QRect r = option.rect.adjusted(2, 2, -2, -2);
        r.setWidth(r.height());
        r.moveLeft(option.rect.left() + (option.rect.width() - r.width()) / 2);
        p->setPen(QColor(0, 0, 255));
        p->drawLine(r.topLeft(), r.topRight());
        p->drawLine(r.topLeft(), r.bottomLeft());
        p->setPen(Qt::white);
        p->drawLine(r.bottomLeft(), r.bottomRight());
        p->drawLine(r.topRight(), r.bottomRight());
        if (form_->host().AktivKlasse().GetMarkeret(index.row())) {
            const QRect in = r.adjusted(2, 2, -2, -2);
            p->setPen(QPen(QColor(0, 0, 0x80), 2));
            p->drawLine(in.topLeft(), in.bottomRight());
            p->drawLine(in.topRight(), in.bottomLeft());
        }
    }

private:
    TSetupForm* form_;
};

QLabel* titleBar(QWidget* parent, const QString& text)
{
    auto* l = new QLabel(text, parent);
    l->setAlignment(Qt::AlignCenter);
    l->setStyleSheet(QStringLiteral("QLabel { background: #0000FF; color: white; font-family: Arial; font-weight: bold; }"));
    return l;
}

QTableWidget* plainGrid(QTableWidget* g)
{
    g->horizontalHeader()->hide();
    g->verticalHeader()->hide();
    g->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    g->setSelectionMode(QAbstractItemView::SingleSelection);
    g->verticalHeader()->setMinimumSectionSize(1);
    return g;
}

} // namespace

ListPrintLayout ComputeListLayout(int pageWidth, int pageHeight, int ppi, int textHeightOfA, int pupils, int screenPpi)
{
    ListPrintLayout l;
    l.ppi = ppi;
    l.lineHeight = std::max(1, int(std::lround(1.5 * textHeightOfA)));
    l.marginX = int(std::lround(0.75 * ppi));
    l.marginY = ppi;
    l.width = pageWidth - 2 * l.marginX;
    l.height = pageHeight - 2 * l.marginY;
    l.rowsPerPage = std::max(1, l.height / l.lineHeight);
    l.rows = pupils + 1;
    l.pages = std::max(1, (l.rows + l.rowsPerPage - 1) / l.rowsPerPage);
    l.inset = std::max(1, int(std::lround(double(ppi) / (2.0 * std::max(1, screenPpi)))));
    return l;
}

TSetupForm::TSetupForm(PageHost& host, QWidget* parent) : Page(host, 2, parent)
{
    Panel2 = new SidePanel(this);
    BackSpeed = new SpeedButton("back", QStringLiteral("Gem og gå til klasse-forsiden"), Panel2);
    HobbySpeed = new SpeedButton("hobby", QStringLiteral("Planlæg elevernes hobby-valg"), Panel2);
    HelpSpeed = new SpeedButton("help", QStringLiteral("Hjælp"), Panel2);
    SetupImage = new PaintBox(this, [this](QPaintEvent*) { SetupImagePaint(); });

    KlassePanel = new QWidget(this);
    KlassePanel->setAutoFillBackground(true);
    KlassePanel->setStyleSheet(QStringLiteral("background: #A6CAF0;"));
    KlasseTopPanel = titleBar(KlassePanel, QStringLiteral("Klasse"));
    auto edit = [this](QWidget* parent) {
        auto* e = new QLineEdit(parent);
        e->setStyleSheet(QStringLiteral("background: white;"));
        GuardAnsiInput(e);
        return e;
    };
    SkoleEdit = edit(KlassePanel);
    KlasseEdit = edit(KlassePanel);
    LaererEdit = edit(KlassePanel);
    KodeEdit = edit(KlassePanel);
    for (auto [text, name] : {std::pair{"Skole", "Label1"}, {"Klasse", "Label2"}, {"Lærer", "Label3"},
                              {"Kode", "Label4"}}) {
        auto* l = new QLabel(QString::fromUtf8(text), KlassePanel);
        l->setObjectName(QLatin1String(name));
    }

    ElevPanel = new QWidget(this);
    ElevPanel->setAutoFillBackground(true);
    ElevPanel->setStyleSheet(QStringLiteral("background: #A6CAF0;"));
    ElevTopPanel = titleBar(ElevPanel, QStringLiteral("Elever"));
    SletSpeed = new SpeedButton("delete", QStringLiteral("Slet de markerede elever"), ElevPanel);
    TopGrid = new PaintBox(ElevPanel, [this](QPaintEvent*) { TopGridPaint(); });
    TopGrid->setEnabled(false);

    LeftGrid = plainGrid(new QTableWidget(kRows, 1, ElevPanel));
    LeftGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    LeftGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    LeftGrid->setSelectionMode(QAbstractItemView::NoSelection);
    LeftGrid->setFocusPolicy(Qt::NoFocus);
    LeftGrid->setShowGrid(false);
    LeftGrid->setItemDelegate(new MarkDelegate(this));
    LeftGrid->setStyleSheet(QStringLiteral("QTableWidget { background: #A6CAF0; border: none; }"));

    ElevGrid = plainGrid(new SetupGrid(kRows, kColumns, ElevPanel, this));
    ElevGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ElevGrid->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed);
    ElevGrid->setTabKeyNavigation(true);
    ElevGrid->setItemDelegate(new SetupDelegate(this));
    ElevGrid->setStyleSheet(QStringLiteral("QTableWidget { background: white; gridline-color: #808080; }"));

    GenderBox = new QComboBox(this);
    GenderBox->addItems({QStringLiteral("dreng"), QStringLiteral("pige")});
    GenderBox->hide();
    GenderBox->installEventFilter(this);

    // The mark boxes scroll with the pupils; the pupils never scroll sideways.
    connect(ElevGrid->verticalScrollBar(), &QScrollBar::valueChanged, LeftGrid->verticalScrollBar(),
            &QScrollBar::setValue);
    connect(ElevGrid->horizontalScrollBar(), &QScrollBar::valueChanged, this,
            [this](int v) { if (v != 0) ElevGrid->horizontalScrollBar()->setValue(0); });
    connect(LeftGrid, &QTableWidget::cellClicked, this, [this](int row, int) { LeftGridClick(row); });

    connect(SkoleEdit, &QLineEdit::textEdited, this, [this](const QString& t) {
        (void)this->host().AktivKlasse().SetSkole(ansi::FromQString(t).value_or(std::string()));
    });
    connect(LaererEdit, &QLineEdit::textEdited, this, [this](const QString& t) {
        (void)this->host().AktivKlasse().SetLaerer(ansi::FromQString(t).value_or(std::string()));
    });
    connect(KodeEdit, &QLineEdit::textEdited, this, [this](const QString& t) {
        (void)this->host().AktivKlasse().SetKode(ansi::FromQString(t).value_or(std::string()));
    });
    connect(KlasseEdit, &QLineEdit::textEdited, this, [this](const QString& t) {
        (void)this->host().AktivKlasse().SetKlasse(ansi::FromQString(t).value_or(std::string()));
    });
    connect(GenderBox, &QComboBox::activated, this, [this](int) {
        ElevGridSetEditText(3, GenderBox->property("row").toInt(), GenderBox->currentText());
    });
    connect(SletSpeed, &QToolButton::clicked, this, &TSetupForm::SletSpeedClick);
    connect(BackSpeed, &QToolButton::clicked, this, &TSetupForm::BackBmBtnClick);
    connect(HobbySpeed, &QToolButton::clicked, this, &TSetupForm::HobbySpeedClick);
    connect(HelpSpeed, &QToolButton::clicked, this, &TSetupForm::HelpSpeedClick);
}

std::array<int, TSetupForm::kColumns> TSetupForm::ColumnWidths(int w)
{
    const int g = w / 16;
    const int n = int(std::lround((w - g) * 2 / 7.0));
    const int c = (w - g) / 6;
    return {c, n, c, g, c, std::max(1, w - n - 3 * c - g)};
}

void TSetupForm::setColumnWidths()
{
    // The scroll bar is always there; measure without it even before the
    // grid has laid itself out.
    const int client = ElevGrid->width() - 2 * ElevGrid->frameWidth()
        - ElevGrid->verticalScrollBar()->sizeHint().width();
    const auto widths = ColumnWidths(std::max(6, client));
    for (int i = 0; i < kColumns; ++i)
        ElevGrid->setColumnWidth(i, widths[i]);
    LeftGrid->setColumnWidth(0, LeftGrid->width() - 2);
    // One size per column: a cell that shrank its own text alone would draw
    // "dreng" smaller than "pige".
    static const char* const kWidest[kColumns] = {nullptr, nullptr, "00-00-0000", nullptr, nullptr,
                                                  "00-00-0000 00:00:00"};
    const QFont grid = ElevGrid->font();
    for (int c = 0; c < kColumns; ++c) {
        QFont f = grid;
        const int room = std::max(1, widths[c] - 2 * kCellInset);
        auto need = [&f, c] {
            const QFontMetrics fm(f);
            if (c == 3)
                return std::max(fm.horizontalAdvance(QStringLiteral("dreng")),
                                fm.horizontalAdvance(QStringLiteral("pige")));
            return kWidest[c] ? fm.horizontalAdvance(QLatin1String(kWidest[c])) : 0;
        };
        while (f.pixelSize() > 6 && need() > room)
            f.setPixelSize(f.pixelSize() - 1);
        columnFonts_[std::size_t(c)] = f;
    }
    const int rowHeight = std::max(8, S(20));
    ElevGrid->verticalHeader()->setDefaultSectionSize(rowHeight);
    LeftGrid->verticalHeader()->setDefaultSectionSize(rowHeight);
}

void TSetupForm::layoutPage()
{
    const int col = S(kColumnWidth);
    Panel2->setGeometry(0, 0, col, height());
    BackSpeed->place(B(8, 8, 73, 73));
    HobbySpeed->place(B(8, 80, 73, 73));
    HelpSpeed->place(B(8, 152, 73, 73));
    SetupImage->setGeometry(col, 0, std::max(0, width() - col), height());
    const int shift = col + (SetupImage->width() - S(505)) / 2 - S(108);   // centred on wide screens
    KlassePanel->setGeometry(B(108, 12, 505, 81).translated(shift, 0));
    ElevPanel->setGeometry(B(108, 108, 505, 333).translated(shift, 0));
    KlasseTopPanel->setGeometry(0, 0, KlassePanel->width(), S(21));
    ElevTopPanel->setGeometry(0, 0, ElevPanel->width(), S(21));
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(std::max(8, S(13)));
    QFont bold = f;
    bold.setBold(true);
    KlasseTopPanel->setFont(bold);
    ElevTopPanel->setFont(bold);
    for (QLabel* l : KlassePanel->findChildren<QLabel*>())
        if (l != KlasseTopPanel)
            l->setFont(f);
    KlassePanel->findChild<QLabel*>("Label1")->setGeometry(D(12, 28, 36, 21));
    SkoleEdit->setGeometry(D(48, 28, 329, 21));
    KlassePanel->findChild<QLabel*>("Label2")->setGeometry(D(390, 28, 42, 21));
    KlasseEdit->setGeometry(D(432, 28, 61, 21));
    KlassePanel->findChild<QLabel*>("Label3")->setGeometry(D(12, 52, 36, 21));
    LaererEdit->setGeometry(D(48, 52, 329, 21));
    KlassePanel->findChild<QLabel*>("Label4")->setGeometry(D(390, 52, 42, 21));
    KodeEdit->setGeometry(D(432, 52, 61, 21));
    for (QLineEdit* e : {SkoleEdit, KlasseEdit, LaererEdit, KodeEdit})
        e->setFont(f);
    SletSpeed->place(D(12, 31, 20, 21));
    TopGrid->setGeometry(D(32, 31, 461, 22));
    // The grids use the page's small font, as the columns were measured for it.
    QFont small(QStringLiteral("Arial"));
    small.setPixelSize(std::max(7, S(10)));
    QFont smallBold = small;
    smallBold.setBold(true);
    TopGrid->setFont(smallBold);
    LeftGrid->setGeometry(D(12, 52, 21, 269));
    ElevGrid->setGeometry(D(32, 52, 461, 269));
    ElevGrid->setFont(small);
    GenderBox->setFont(small);
    setColumnWidths();
}

void TSetupForm::pageShown()
{
    tKlasse& k = host().AktivKlasse();
    setColumnWidths();
    SkoleEdit->setText(ansi::ToQString(k.Skole()));
    KlasseEdit->setText(ansi::ToQString(k.Klasse()));
    LaererEdit->setText(ansi::ToQString(k.Laerer()));
    KodeEdit->setText(ansi::ToQString(k.Kode()));
    if (k.Klasse().empty())
        KlasseEdit->setFocus();
    else if (k.Skole().empty())
        SkoleEdit->setFocus();
    else if (k.Laerer().empty())
        LaererEdit->setFocus();
    GenderBox->hide();
    if (QWidget* editor = ElevGrid->indexWidget(ElevGrid->currentIndex()))
        editor->close();
    ElevGrid->setCurrentCell(-1, -1);
    ElevGrid->clearSelection();
    // Another class must not open on the rows where the last one was left.
    ElevGrid->scrollToTop();
    LeftGrid->scrollToTop();
    k.SetAllMarkeret(false);
    updateButtons();
    ElevGrid->viewport()->update();
    LeftGrid->viewport()->update();
}

void TSetupForm::updateButtons()
{
    const tKlasse& k = host().AktivKlasse();
    KlasseEdit->setEnabled(k.IngenElever());
    HobbySpeed->setEnabled(!k.IngenElever());
    // Nothing marked, nothing to delete (also after pupils at the end went).
    SletSpeed->setEnabled(k.AnyMarkeret());
}

void TSetupForm::info(int message)
{
    static const char* const kCaption[5] = {nullptr, "Kaldenavn mangler", "Skrivebeskyttet kaldenavn",
                                            "Klassebetegnelse mangler", "Drenge/pige-hår er valgt"};
    static const char* const kText[5] = {
        nullptr, "Du skal først give eleven et kaldenavn!",
        "Kaldenavnet kan ikke ændres da det\nbruges som navn på elevens data!",
        "Giv klassen et navn\ninden du taster eleverne ind!",
        "Der kan ikke skiftes køn når der er valgt\net pige- eller drengehår i elev-delen!"};
    host().Dialogs().Message(this, QString::fromUtf8(kText[message]), QString::fromUtf8(kCaption[message]),
                             DialogService::Icon::Information);
}

bool TSetupForm::ElevGridSelectCell(int col, int row)
{
    GenderBox->hide();
    tKlasse& k = host().AktivKlasse();
    if (k.ElevLaesFejl(row))
        return false;   // a pupil whose file could not be read is not edited
    if (k.Klasse().empty()) {
        info(3);
        KlasseEdit->setFocus();
        return false;
    }
    const bool named = !k.ElevKaldenavn(row).empty();
    switch (col) {
    case 0:
        if (named) {
            info(2);
            return false;
        }
        return true;
    case 1:
    case 2:
    case 4:
        if (!named) {
            info(1);
            return false;
        }
        return true;
    case 3: {
        if (!named) {
            info(1);
            return false;
        }
        if (k.HarValgtHaar(row)) {
            info(4);
            return false;
        }
        const QRect cell = ElevGrid->visualRect(ElevGrid->model()->index(row, col));
        // Over the cell; wider where the narrow column would cut "dreng"
        // beside the box's arrow.
        QRect box(ElevGrid->viewport()->mapTo(this, cell.topLeft()), cell.size());
        box.setWidth(std::max(box.width(), GenderBox->sizeHint().width()));
        GenderBox->setGeometry(box);
        GenderBox->setCurrentIndex(k.ElevKoen(row) == "dreng" ? 0 : 1);
        GenderBox->setProperty("row", row);
        GenderBox->setProperty("original", CellText(3, row));
        GenderBox->show();
        GenderBox->raise();
        GenderBox->setFocus();
        return false;
    }
    default:
        return false;
    }
}

bool TSetupForm::CellEditable(int col, int row) const
{
    const tKlasse& k = host().AktivKlasse();
    if (k.Klasse().empty() || k.ElevLaesFejl(row))
        return false;
    const bool named = !k.ElevKaldenavn(row).empty();
    return col == 0 ? !named : (col == 1 || col == 2 || col == 4) && named;
}

QString TSetupForm::CellText(int col, int row) const
{
    const tKlasse& k = host().AktivKlasse();
    if (k.ElevLaesFejl(row) && col < 5)
        return col == 0 ? QFileInfo(QString::fromStdString(k.ElevFilNavn(row))).fileName() : QString();
    switch (col) {
    case 0: return ansi::ToQString(k.ElevKaldenavn(row));
    case 1: return ansi::ToQString(k.ElevFuldeNavn(row));
    case 2: return ansi::ToQString(k.ElevFoedselsdag(row));
    case 3: return ansi::ToQString(k.ElevKoen(row));
    case 4: return ansi::ToQString(k.ElevElevkode(row));
    case 5: return ansi::ToQString(k.SidstAendret(row));
    default: return {};
    }
}

QString TSetupForm::ElevGridGetEditText(int col, int row) const
{
    return col <= 4 ? CellText(col, row) : QString();
}

void TSetupForm::ElevGridSetEditText(int col, int row, const QString& text)
{
    tKlasse& k = host().AktivKlasse();
    const auto ansiText = ansi::FromQString(text);
    if (!ansiText)
        return;   // the field's guard refused it already
    bool removed = false;
    switch (col) {
    case 0: removed = k.SetElevKaldenavn(row, *ansiText); break;
    case 1: removed = k.SetElevFuldeNavn(row, *ansiText); break;
    case 2: removed = k.SetElevFoedselsdag(row, *ansiText); break;
    case 3: removed = k.SetElevKoen(row, *ansiText); break;
    case 4: removed = k.SetElevElevkode(row, *ansiText); break;
    default: return;
    }
    if (removed) {
        ElevGrid->viewport()->update();
        LeftGrid->viewport()->update();
    } else {
        ElevGrid->viewport()->update(ElevGrid->visualRect(ElevGrid->model()->index(row, 5)));
        ElevGrid->viewport()->update(ElevGrid->visualRect(ElevGrid->model()->index(row, col)));
        LeftGrid->viewport()->update(LeftGrid->visualRect(LeftGrid->model()->index(row, 0)));
    }
    updateButtons();
}

void TSetupForm::LeftGridClick(int row)
{
    tKlasse& k = host().AktivKlasse();
    k.ToggleMarkeret(row);
    LeftGrid->viewport()->update(LeftGrid->visualRect(LeftGrid->model()->index(row, 0)));
    SletSpeed->setEnabled(k.AnyMarkeret());
}

void TSetupForm::SletSpeedClick()
{
    tKlasse& k = host().AktivKlasse();
    const int n = k.CountMarkeret();
    if (n == 0) {
        SletSpeed->setEnabled(false);
        return;
    }
    const QString question = n == 1 ? QStringLiteral("Skal denne elev slettes fra listen?")
                                    : QStringLiteral("Skal disse %1 elever slettes fra listen?").arg(n);
    const auto answer = host().Dialogs().Message(this, question, QStringLiteral("Sletning"),
                                                 DialogService::Icon::Question,
                                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer == QMessageBox::Yes) {
        k.DeleteMarkeret();
        ElevGrid->viewport()->update();
    } else {
        k.SetAllMarkeret(false);
    }
    LeftGrid->viewport()->update();
    updateButtons();
}

void TSetupForm::EksporterElevliste()
{
    const tKlasse& k = host().AktivKlasse();
    const QString klasse = SafeFileName(ansi::ToQString(k.Klasse()));
    const QString offered = (klasse.isEmpty() ? QStringLiteral("Klasse") : klasse) + QStringLiteral("_elevliste.csv");
    const QString file = host().Dialogs().SaveFileName(this, QStringLiteral("Eksportér elevliste"),
                                                       QString::fromUtf8(kListFilter), offered, QStringLiteral("csv"));
    if (file.isEmpty())
        return;
    if (!GemElevliste(k, file.toStdString()))
        host().Dialogs().Fejl(this, QStringLiteral("Elevlisten kunne ikke gemmes i \"%1\"").arg(file));
}

void TSetupForm::ImporterElevliste()
{
    tKlasse& k = host().AktivKlasse();
    if (k.Klasse().empty()) {
        info(3);
        KlasseEdit->setFocus();
        return;
    }
    const QString file = host().Dialogs().OpenFileName(this, QStringLiteral("Importér elevliste"),
                                                       QString::fromUtf8(kListFilter), QStringLiteral("csv"));
    if (file.isEmpty())
        return;
    // An open editor or gender box would write its cell back over the list.
    GenderBox->hide();
    if (QWidget* editor = ElevGrid->indexWidget(ElevGrid->currentIndex()))
        editor->close();
    ElevGrid->setCurrentCell(-1, -1);
    const int first = k.ElevCount();
    const ElevlisteImport r = ImportElevlisteFil(k, file.toStdString());
    switch (r.status) {
    case ElevlisteImport::Status::Ulaeselig:
        host().Dialogs().Fejl(this, QStringLiteral("Det var ikke muligt at åbne \"%1\"").arg(file));
        return;
    case ElevlisteImport::Status::IngenKaldenavn:
        host().Dialogs().Fejl(this, QStringLiteral("\"%1\" er ikke en elevliste: den har ingen kolonne "
                                                   "\"Kaldenavn\"").arg(file));
        return;
    case ElevlisteImport::Status::KlasseMangler:
        info(3);
        return;
    case ElevlisteImport::Status::Ok:
        break;
    }
    ElevGrid->viewport()->update();
    LeftGrid->viewport()->update();
    updateButtons();
    if (r.taget > 0)
        ElevGrid->scrollTo(ElevGrid->model()->index(first, 0), QAbstractItemView::PositionAtTop);
    if (!r.afvist.empty())
        host().Dialogs().Message(this, QString::fromStdString(AfvisteRaekkerTekst(r.afvist)),
                                 QStringLiteral("Importér elevliste"), DialogService::Icon::Information);
}

bool TSetupForm::SaveWork()
{
    return !host().AktivKlasse().Aendret() || GemKlasse(host(), this) == KlasseGemt::Gemt;
}

void TSetupForm::BackBmBtnClick()
{
    if (host().AktivKlasse().Aendret())
        GemKlasse(host(), this);
    host().ShowPage(1);
}

void TSetupForm::HobbySpeedClick()
{
    if (host().AktivKlasse().Aendret())
        GemKlasse(host(), this);
    host().ShowPage(host().AktivKlasse().FilNavn().empty() ? 2 : 12);
}

void TSetupForm::HelpSpeedClick()
{
    host().ShowHelpPage(QStringLiteral("setup.html"));
}

void TSetupForm::closeGenderBox(bool restore)
{
    const int row = GenderBox->property("row").toInt();
    const QString original = GenderBox->property("original").toString();
    if (restore && CellText(3, row) != original)
        ElevGridSetEditText(3, row, original);
    GenderBox->hide();
}

bool TSetupForm::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == GenderBox && e->type() == QEvent::KeyPress && GenderBox->isVisible()) {
        const auto* key = static_cast<QKeyEvent*>(e);
        const int row = GenderBox->property("row").toInt();
        const bool back = key->key() == Qt::Key_Backtab
            || (key->key() == Qt::Key_Tab && key->modifiers().testFlag(Qt::ShiftModifier));
        if (key->key() == Qt::Key_Escape) {
            // As in the other cells: Esc gives back the value the box opened on.
            closeGenderBox(true);
            ElevGrid->setFocus();
            return true;
        }
        if (key->key() == Qt::Key_Tab || back) {
            // On along the row, as from any other cell.
            closeGenderBox(false);
            static_cast<SetupGrid*>(ElevGrid)->keyTo(ElevGrid->model()->index(row, back ? 2 : 4));
            return true;
        }
    }
    if (watched == GenderBox && e->type() == QEvent::FocusOut && !GenderBox->view()->isVisible())
        GenderBox->hide();
    return Page::eventFilter(watched, e);
}

void TSetupForm::SetupImagePaint()
{
    QPainter screen(SetupImage);
    if (!EnsureDrawing()) {
        screen.fillRect(SetupImage->rect(), kSkyBlue);
        return;
    }
    QImage& page = Drawing().PageBitmap;
    {
        Canvas c(&page);
        DrawPageLayout(c, "setup");
    }
    ShowPageBitmap(screen, SetupImage, SetupImage->width());
}

void TSetupForm::TopGridPaint()
{
    QPainter p(TopGrid);
    p.fillRect(TopGrid->rect(), kSkyBlue);
    p.setFont(TopGrid->font());
    p.setPen(Qt::black);
    // The titles line up with the pupil grid's columns.
    int x = 0;
    for (int c = 0; c < kColumns; ++c) {
        const int w = ElevGrid->columnWidth(c);
        const QRect cell(x, 0, c == kColumns - 1 ? TopGrid->width() - x : w, TopGrid->height());
        p.drawText(cell, Qt::AlignCenter | Qt::TextSingleLine, QString::fromUtf8(kTitles[c]));
        p.setPen(QColor(0x80, 0x80, 0x80));
        p.drawLine(cell.topRight(), cell.bottomRight());
        p.setPen(Qt::black);
        x += w;
    }
}

void TSetupForm::PrintKlasseListe()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Dokument uden navn"));
    QFont font(QStringLiteral("Arial"), 8);
    const QFontMetrics fm(font, &printer);
    const QRect paper = printer.pageLayout().paintRectPixels(printer.resolution());
    const ListPrintLayout l =
        ComputeListLayout(paper.width(), paper.height(), printer.resolution(), fm.height(),
                          host().AktivKlasse().ElevCount(), std::max(1, logicalDpiY()));
    if (!host().Dialogs().PrintSetup(this, printer, l.pages))
        return;
    if (!PrintKlasseListeTo(printer, printer.fromPage(), printer.toPage()))
        host().Dialogs().Fejl(this, QStringLiteral("Elevlisten kunne ikke udskrives."));
}

bool TSetupForm::PrintKlasseListeTo(QPrinter& printer, int from, int to)
{
    const tKlasse& k = host().AktivKlasse();
    QPainter p;
    if (!p.begin(&printer))
        return false;
    QFont font(QStringLiteral("Arial"), 8);
    p.setFont(font);
    const QFontMetrics fm(font, &printer);
    const QRect paper = printer.pageLayout().paintRectPixels(printer.resolution());
    const ListPrintLayout l = ComputeListLayout(paper.width(), paper.height(), printer.resolution(), fm.height(),
                                                k.ElevCount(), std::max(1, logicalDpiY()));
    if (from <= 0 || to <= 0) {
        from = 1;
        to = l.pages;
    }
    from = std::max(1, from);
    to = std::min(l.pages, to);
    const int gridWidth = std::max(1, ElevGrid->viewport()->width());
    std::array<int, kColumns> widths{};
    const auto screenWidths = ColumnWidths(gridWidth);
    for (int c = 0; c < kColumns; ++c)
        widths[c] = int(std::lround(double(screenWidths[c]) * l.width / gridWidth));
    p.setPen(QPen(Qt::black, l.inset));
    bool first = true;
    for (int q = from; q <= to; ++q) {
        if (!first)
            printer.newPage();
        first = false;
        int x = l.marginX;
        for (int c = 0; c < kColumns; ++c) {
            for (int slot = 0; slot < l.rowsPerPage; ++slot) {
                const int i = (q - 1) * l.rowsPerPage + slot;
                if (i > k.ElevCount())
                    break;
                const QRect cell(x, l.marginY + slot * l.lineHeight, widths[c], l.lineHeight);
                const QRect inner = cell.adjusted(l.inset, l.inset, -l.inset, -l.inset);
                if (i == 0) {
                    p.fillRect(cell.adjusted(0, 0, 1, 1), QColor(0xC0, 0xC0, 0xC0));
                    p.drawRect(cell.adjusted(0, 0, 1, 1));
                    p.drawText(inner, Qt::AlignCenter | Qt::TextSingleLine, QString::fromUtf8(kTitles[c]));
                } else {
                    p.drawRect(cell);
                    p.drawText(inner, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                               QStringLiteral(" ") + CellText(c, i - 1));
                }
            }
            x += widths[c];
        }
        const QString heading = ansi::ToQString(k.Klasse()) + QStringLiteral(", ") + ansi::ToQString(k.Skole());
        p.drawText(QRect(0, l.marginY / 2 - l.lineHeight / 2, paper.width() - l.marginX, l.lineHeight),
                   Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, heading);
        p.drawText(QRect(0, paper.height() - l.lineHeight, paper.width(), l.lineHeight),
                   Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, QString::number(q));
    }
    return p.end();
}
