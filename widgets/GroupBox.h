#pragma once

#include <QGroupBox>

// A group box drawn the classic way: an etched frame whose top line runs through the middle of
// the caption. The windows lay their controls out in pixels from the box's top-left corner, and
// this keeps those controls clear of the frame whatever the style.
class TGroupBox : public QGroupBox {
public:
    explicit TGroupBox(const QString& caption, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
