#include "busy_indicator.h"

#include <QPainter>

namespace {
constexpr int spokes = 8;
constexpr int stepIntervalMs = 100;
} // namespace

BusyIndicator::BusyIndicator(QWidget* parent) : QWidget(parent) {
    timer_.setInterval(stepIntervalMs);
    connect(&timer_, &QTimer::timeout, this, [this] {
        step_ = (step_ + 1) % spokes;
        update();
    });
}

void BusyIndicator::showEvent(QShowEvent*) {
    timer_.start();
}

void BusyIndicator::hideEvent(QHideEvent*) {
    timer_.stop();
}

void BusyIndicator::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(width() / 2.0, height() / 2.0);
    const qreal radius = std::min(width(), height()) / 2.0 - 1;
    QColor colour = palette().color(QPalette::WindowText);
    for (int i = 0; i < spokes; ++i) {
        // The spoke at the current step is darkest; the ones behind it fade out.
        colour.setAlphaF(1.0 - ((i - step_ + spokes) % spokes) / double(spokes));
        painter.setPen(QPen(colour, 2, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(0, -radius * 0.45), QPointF(0, -radius));
        painter.rotate(-360.0 / spokes);
    }
}
