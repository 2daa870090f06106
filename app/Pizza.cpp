#include "Pizza.h"

#include <QPainter>

namespace zandoval {

Pizza::Pizza(QWidget* parent)
    : QWidget(parent)
{
    setMinimumSize(120, 120);
}

void Pizza::setMinimum(int v)
{
    m_minimo = v;
    update();
}

void Pizza::setMaximum(int v)
{
    m_maximo = v;
    update();
}

void Pizza::setProgress(int v)
{
    m_progresso = v;
    update();
}

int Pizza::percent() const
{
    if (m_maximo <= m_minimo) {
        return 0;
    }
    const int p = (m_progresso - m_minimo) * 100 / (m_maximo - m_minimo);
    return std::clamp(p, 0, 100);
}

void Pizza::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int lado = std::min(width(), height()) - 8;
    const QRectF r((width() - lado) / 2.0, (height() - lado) / 2.0, lado, lado);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawEllipse(r);
    p.setBrush(QColor(0, 0, 128));
    // Angles in 1/16 degree, counter-clockwise from three o'clock: start at
    // twelve and go clockwise.
    p.drawPie(r, 90 * 16, -percent() * 360 * 16 / 100);
    p.setPen(percent() > 50 ? Qt::white : QColor(0, 0, 128));
    QFont f = font();
    f.setBold(true);
    p.setFont(f);
    p.drawText(r, Qt::AlignCenter, QString::number(percent()) + QStringLiteral(" %"));
}

} // namespace zandoval
