// A paint box that also takes the mouse and the keys: the grids of cells the
// pupil or the teacher clicks (the hobby pages).
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "page.h"

#include <functional>

class QKeyEvent;
class QPainter;

class ClickBox : public PaintBox {
    Q_OBJECT
public:
    /// Returns true when it used the key.
    using KeyHandler = std::function<bool(QKeyEvent*)>;

    explicit ClickBox(QWidget* parent, Handler onPaint = {});
    void setKeyHandler(KeyHandler h) { onKey_ = std::move(h); }

    /// Whether the page draws its focus frame: the box has the focus and the
    /// keys are in use (reached with Tab, or a key used since the focus came
    /// or the mouse was pressed). A mouse user sees no frame.
    bool ShowsFocusFrame() const { return hasFocus() && keyCue_; }
    /// The focus frame inside \a cell: black outside, white inside, each
    /// \a width pixels, so it shows on any colour.
    static void DrawFocusFrame(QPainter& p, const QRect& cell, int width);

signals:
    /// A button went down at \a p (box coordinates): the "...MouseDown".
    void MouseDown(QPoint p);
    /// The left button came up over the box after going down in it: the
    /// "...Click".
    void Click();
    /// ShowsFocusFrame() may have changed.
    void FocusFrameChanged();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    KeyHandler onKey_;
    bool pressed_ = false;
    bool keyCue_ = false;
};
