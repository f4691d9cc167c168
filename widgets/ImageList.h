#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

// A fixed-size list of pictures found by index, like the image lists the windows use.
// Pictures are SVG resources at ":/pictures/<name>/<index>.svg", drawn on a pixel grid of the
// list's size; each is rasterised once per pixel size, on first use.
class TImageList {
public:
    TImageList(QString name, int count, int size);

    const QString& Name() const { return name_; }
    int Count() const { return count_; }
    QSize Size() const { return {size_, size_}; }

    // The picture at the list's size, rendered for the application's device pixel ratio (its
    // device-independent size is Size()); a null pixmap for an index outside 0..Count()-1.
    QPixmap Pixmap(int index) const;
    // The picture as an icon (a command's picture), sharp at pixel ratios 1 and 2; an empty
    // icon outside the list.
    QIcon Icon(int index) const;

private:
    QString Path(int index) const;

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
// "spHelp" (16 by 16, with its grey picture for the disabled state); an empty icon for any
// other name.
QIcon ButtonIcon(const QString& name);

// The program icon "MAINICON", at every size (with its own drawing for 16 by 16).
QIcon ProgramIcon();
