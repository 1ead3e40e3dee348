// TBoard: a plain paintable strip with its own events, for pictures that a
// page draws itself (the statistics page's row of subject buttons).
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QRect>
#include <QString>
#include <QWidget>

#include <functional>

class TBoard : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QColor Color READ Color WRITE SetColor)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
public:
    /// White, at (10, 10), 65 x 65.
    explicit TBoard(QWidget* parent = nullptr);

    QColor Color() const { return color_; }
    void SetColor(const QColor& c);
    QString Caption() const { return caption_; }
    void SetCaption(const QString& s) { caption_ = s; }

    /// The area being repainted while OnPaint runs; empty at any other time.
    const QRect& UpdateRect() const { return updateRect_; }

    /// Called from the paint event after the board is cleared to its colour;
    /// the handler paints on the board (a QPainter or Canvas on it).
    std::function<void()> OnPaint;
    /// The hint for a point of the board (per-area tooltips); an empty text
    /// shows none. The rectangle it fills in is where that hint holds.
    std::function<QString(QPoint, QRect*)> OnHint;

signals:
    void OnClick();
    void OnDblClick();
    void OnMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint at);
    void OnMouseMove(Qt::KeyboardModifiers modifiers, QPoint at);
    void OnMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint at);
    void OnResize();

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    QColor color_ = Qt::white;
    QString caption_;
    QRect updateRect_;
    bool pressed_ = false;
};
