// The shape list.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "partlist.h"

#include "canvas.h"
#include "drawing.h"

#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace {

// Every item is a picture the page drew; Qt's own selection look stays out.
class PartDelegate final : public QStyledItemDelegate {
public:
    explicit PartDelegate(PartListBox* list) : QStyledItemDelegate(list), list_(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const bool selected = option.state & QStyle::State_Selected;
        const QImage& pic = list_->ItemPicture(index.row(), selected, option.rect.size());
        if (pic.isNull())
            painter->fillRect(option.rect, selected ? QColor(255, 255, 255) : QColor(0xA6, 0xCA, 0xF0));
        else
            painter->drawImage(option.rect.topLeft(), pic);
    }

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        return QSize(list_->viewport()->width(), list_->ItemHeight());
    }

private:
    PartListBox* list_;
};

} // namespace

PartListBox::PartListBox(QWidget* parent) : QListWidget(parent)
{
    setItemDelegate(new PartDelegate(this));
    setFrameShape(QFrame::NoFrame);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setUniformItemSizes(true);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setMouseTracking(false);
    QPalette pal = palette();
    pal.setColor(QPalette::Base, QColor(0xA6, 0xCA, 0xF0));   // clSkyBlue
    setPalette(pal);
    connect(this, &QListWidget::currentRowChanged, this, [this](int) {
        if (!settingIndex_)
            emit Click();
    });
    // A click on the item that is already chosen is a choice too (the hair
    // list shows item 0 for a style it does not offer).
    connect(this, &QListWidget::itemClicked, this, [this](QListWidgetItem*) { emit Click(); });
}

void PartListBox::SetDrawItem(DrawItemHandler h)
{
    drawItem_ = std::move(h);
    Invalidate();
}

void PartListBox::SetItems(int count)
{
    settingIndex_ = true;
    clear();
    for (int i = 0; i < count; ++i) {
        auto* item = new QListWidgetItem(QString::number(i), this);
        item->setSizeHint(QSize(1, itemHeight_));
    }
    settingIndex_ = false;
    Invalidate();
}

void PartListBox::SetItemIndex(int i)
{
    settingIndex_ = true;
    if (i >= 0 && i < count()) {
        setCurrentRow(i);
        scrollToItem(item(i));
    } else {
        setCurrentRow(-1);
        clearSelection();
    }
    settingIndex_ = false;
}

void PartListBox::SetItemHeight(int h)
{
    h = std::max(1, h);
    if (h == itemHeight_)
        return;
    itemHeight_ = h;
    for (int i = 0; i < count(); ++i)
        item(i)->setSizeHint(QSize(1, h));
    Invalidate();
    doItemsLayout();
}

int PartListBox::ClientWidthFor(int h) const
{
    if (count() * h > height())
        return std::max(1, width() - verticalScrollBar()->sizeHint().width());
    return width();
}

void PartListBox::Invalidate()
{
    pictures_.assign(std::size_t(std::max(0, count())) * 2, QImage());
    viewport()->update();
}

const QImage& PartListBox::ItemPicture(int index, bool selected, QSize size)
{
    static const QImage none;
    if (index < 0 || std::size_t(index) * 2 + 1 >= pictures_.size() || !drawItem_ || size.isEmpty())
        return none;
    // The pictures come from the archive, which the first page paint loads.
    if (Drawing().PageBitmap.isNull())
        return none;
    QImage& pic = pictures_[std::size_t(index) * 2 + (selected ? 1 : 0)];
    if (pic.size() != size) {
        pic = QImage(size, QImage::Format_RGB32);
        Canvas c(&pic);
        drawItem_(c, index, IntRect{0, 0, size.width(), size.height()}, selected);
    }
    return pic;
}

void PartListBox::focusInEvent(QFocusEvent* e)
{
    // A list without a chosen item makes its first item current when it
    // gets the focus; that is not the pupil's choice.
    const bool none = currentRow() < 0;
    settingIndex_ = true;
    QListWidget::focusInEvent(e);
    if (none)
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    settingIndex_ = false;
}

void PartListBox::resizeEvent(QResizeEvent* e)
{
    QListWidget::resizeEvent(e);
    Invalidate();
}
