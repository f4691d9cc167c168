#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

// A fixed-size list of pictures found by index, like the image lists the windows use.
// Pictures are SVG resources at ":/pictures/<name>/<index>.svg", rasterised once, on first use.
class TImageList {
public:
    TImageList(QString name, int count, int size);

    const QString& Name() const { return name_; }
    int Count() const { return count_; }
    QSize Size() const { return {size_, size_}; }

    // The picture at the list's size; a null pixmap for an index outside 0..Count()-1.
    QPixmap Pixmap(int index) const;
    // The picture as an icon (a command's picture); an empty icon outside the list.
    QIcon Icon(int index) const;

private:
    QString name_;
    int count_;
    int size_;
};

// The main window's commands: 10 pictures of 16 by 16.
const TImageList& ilMain();
// The person panels: 21 pictures of 32 by 32 (zodiac signs 1..12, results 13..16, elements 17..20).
const TImageList& ilInformers();
// The information viewer's commands: 7 pictures of 16 by 16.
const TImageList& ImageList1();

// The picture of a speed button: "sbInfoMan", "sbInfoWoman", "sbTodayDateDay" (16 by 16) or
// "spHelp" (16 by 16, with its grey picture for the disabled state).
QIcon ButtonIcon(const QString& name);

// The program icon "MAINICON", at every size.
QIcon ProgramIcon();
