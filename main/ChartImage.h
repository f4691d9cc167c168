#pragma once

#include <QImage>
#include <QWidget>

#include <functional>

// A chart picture: owns its 580 by 80 image, paints it and reports mouse presses on it.
// A right click is left to the parent, which opens the window's pop-up menu.
class TChartImage : public QWidget {
public:
    using PressHandler = std::function<void(TChartImage*, Qt::MouseButton, int, int)>;

    TChartImage(const char* name, QWidget* parent);

    QImage& Image() { return image_; }
    const QImage& Image() const { return image_; }
    void SetPressHandler(PressHandler handler) { onPress_ = std::move(handler); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QImage image_;
    PressHandler onPress_;
};
