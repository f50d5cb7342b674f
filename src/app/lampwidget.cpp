#include "app/lampwidget.h"

#include <QMouseEvent>
#include <QPainter>

LampWidget::LampWidget(QWidget *parent)
    : QWidget(parent)
{
}

void LampWidget::setFillColor(uint32_t color)
{
    if (color == m_fill)
        return;
    m_fill = color;
    update();
}

void LampWidget::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(palette().color(QPalette::WindowText), 1));
    if (m_fill == NO_FILL)
        p.setBrush(Qt::NoBrush);
    else
        p.setBrush(QColor(m_fill & 0xFF, (m_fill >> 8) & 0xFF, (m_fill >> 16) & 0xFF));
    p.drawEllipse(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

void LampWidget::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton && rect().contains(event->position().toPoint()))
        emit rightButtonReleased();
    QWidget::mouseReleaseEvent(event);
}
