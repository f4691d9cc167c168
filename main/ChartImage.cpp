#include "main/ChartImage.h"

#include <QMouseEvent>
#include <QPainter>

TChartImage::TChartImage(const char* name, QWidget* parent)
    : QWidget(parent), image_(580, 80, QImage::Format_RGB32) {
    setObjectName(QLatin1String(name));
    image_.fill(Qt::white);
    setFixedSize(image_.size());
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TChartImage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, image_);
}

void TChartImage::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    if (onPress_) {
        const QPoint at = event->position().toPoint();
        onPress_(this, event->button(), at.x(), at.y());
    }
}
