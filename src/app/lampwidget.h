#pragma once

#include <QWidget>

#include <cstdint>

// A circle lamp: outline always, filled with a colour (0x00BBGGRR) unless the
// colour is 0xFF000000, which means no fill (the "off" state).
class LampWidget : public QWidget
{
    Q_OBJECT
public:
    static constexpr uint32_t NO_FILL = 0xFF000000;

    explicit LampWidget(QWidget *parent = nullptr);

    uint32_t fillColor() const { return m_fill; }
    void setFillColor(uint32_t color);

signals:
    void rightButtonReleased();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    uint32_t m_fill = NO_FILL;
};
