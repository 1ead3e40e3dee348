// The paintable strip.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "board.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

TBoard::TBoard(QWidget* parent) : QWidget(parent)
{
    // The board paints every pixel of the area it is asked for.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setGeometry(10, 10, 65, 65);
}

void TBoard::SetColor(const QColor& c)
{
    if (c == color_)
        return;
    color_ = c;
    update();
}

bool TBoard::event(QEvent* e)
{
    if (e->type() == QEvent::ToolTip && OnHint) {
        auto* help = static_cast<QHelpEvent*>(e);
        QRect area;
        const QString hint = OnHint(help->pos(), &area);
        if (hint.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), hint, this, area);
        return true;
    }
    return QWidget::event(e);
}

void TBoard::paintEvent(QPaintEvent* e)
{
    updateRect_ = e->rect();
    {
        QPainter p(this);
        p.fillRect(e->rect(), color_);
    }
    if (OnPaint)
        OnPaint();
    updateRect_ = QRect();
}

void TBoard::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    emit OnResize();
}

void TBoard::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        pressed_ = true;
    emit OnMouseDown(e->button(), e->modifiers(), e->position().toPoint());
}

void TBoard::mouseMoveEvent(QMouseEvent* e)
{
    emit OnMouseMove(e->modifiers(), e->position().toPoint());
}

void TBoard::mouseReleaseEvent(QMouseEvent* e)
{
    const QPoint at = e->position().toPoint();
    emit OnMouseUp(e->button(), e->modifiers(), at);
    // A click is a left press and release on the board, as on a button.
    if (e->button() == Qt::LeftButton && pressed_) {
        pressed_ = false;
        if (rect().contains(at))
            emit OnClick();
    }
}

void TBoard::mouseDoubleClickEvent(QMouseEvent* e)
{
    // The second press of a double click is no new click.
    if (e->button() == Qt::LeftButton) {
        pressed_ = false;
        emit OnDblClick();
    }
    emit OnMouseDown(e->button(), e->modifiers(), e->position().toPoint());
}
