// The clickable paint box.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "clickbox.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

ClickBox::ClickBox(QWidget* parent, Handler onPaint) : PaintBox(parent, std::move(onPaint))
{
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
}

void ClickBox::mousePressEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton) {
        PaintBox::mousePressEvent(e);
        return;
    }
    pressed_ = true;
    if (keyCue_) {
        keyCue_ = false;
        emit FocusFrameChanged();
    }
    emit MouseDown(e->position().toPoint());
}

void ClickBox::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton || !pressed_) {
        PaintBox::mouseReleaseEvent(e);
        return;
    }
    pressed_ = false;
    // A press dragged off the box and let go elsewhere is no click.
    if (rect().contains(e->position().toPoint()))
        emit Click();
}

void ClickBox::keyPressEvent(QKeyEvent* e)
{
    if (onKey_ && onKey_(e)) {
        e->accept();
        if (!keyCue_) {
            keyCue_ = true;
            emit FocusFrameChanged();
        }
        return;
    }
    PaintBox::keyPressEvent(e);
}

void ClickBox::focusInEvent(QFocusEvent* e)
{
    PaintBox::focusInEvent(e);
    // Reached with Tab the keys are in use; a click or the page switch
    // brings the focus too, and then the frame waits for the first key.
    keyCue_ = e->reason() == Qt::TabFocusReason || e->reason() == Qt::BacktabFocusReason;
    emit FocusFrameChanged();
}

void ClickBox::focusOutEvent(QFocusEvent* e)
{
    PaintBox::focusOutEvent(e);
    pressed_ = false;
    emit FocusFrameChanged();
}

void ClickBox::DrawFocusFrame(QPainter& p, const QRect& cell, int width)
{
    const int w = std::max(1, width);
    const QRect outer = cell.adjusted(1, 1, -1, -1);
    const QRect inner = outer.adjusted(w, w, -w, -w);
    if (inner.width() <= 2 * w || inner.height() <= 2 * w)
        return;
    for (const auto& [r, colour] : {std::pair{outer, QColor(Qt::black)}, std::pair{inner, QColor(Qt::white)}}) {
        p.fillRect(r.left(), r.top(), r.width(), w, colour);
        p.fillRect(r.left(), r.bottom() - w + 1, r.width(), w, colour);
        p.fillRect(r.left(), r.top(), w, r.height(), colour);
        p.fillRect(r.right() - w + 1, r.top(), w, r.height(), colour);
    }
}
