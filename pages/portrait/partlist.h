// The owner-drawn shape list of the face editor pages: items of one fixed
// height whose pictures a page draws ("...ListBoxDrawItem").
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "elev.h"   // IntRect

#include <QImage>
#include <QListWidget>

#include <functional>
#include <vector>

class Canvas;

class PartListBox : public QListWidget {
    Q_OBJECT
public:
    /// Draws item \a index into \a rect of \a canvas (selected: white).
    using DrawItemHandler = std::function<void(Canvas& canvas, int index, const IntRect& rect, bool selected)>;

    explicit PartListBox(QWidget* parent);

    void SetDrawItem(DrawItemHandler h);
    /// Makes the items "0" .. count - 1 (their text is never shown).
    void SetItems(int count);
    /// The chosen item; -1 when none.
    int ItemIndex() const { return currentRow(); }
    /// Chooses an item without reporting it as the user's choice; an index
    /// outside the list leaves no item chosen.
    void SetItemIndex(int i);
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int h);
    /// The width the items get for \a count items of height \a h: the list
    /// less a scroll bar when they do not fit.
    int ClientWidthFor(int h) const;
    /// Forgets the drawn pictures (the items now stand for other shapes).
    void Invalidate();

    /// The picture of one item, drawn on first use and kept; null while
    /// the drawing tables are not ready.
    const QImage& ItemPicture(int index, bool selected, QSize size);

signals:
    /// An item was chosen with the mouse or the keys ("...ListBoxClick").
    void Click();

protected:
    void resizeEvent(QResizeEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;

private:
    DrawItemHandler drawItem_;
    int itemHeight_ = 16;
    bool settingIndex_ = false;
    std::vector<QImage> pictures_;   // 2 per item: plain, selected
};
