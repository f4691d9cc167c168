// Draws every picture of the program at its real size and four times enlarged, each list in its
// own rows (eleven pictures to a row, so the sheet fits a screen), on a chequerboard that shows
// transparency: the sheet to look at when the artwork changes. Writes the PNG named by its
// argument (contact-sheet.png by default). Run offscreen: QT_QPA_PLATFORM=offscreen.
#include "widgets/ImageList.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Zoom = 4;
constexpr int Gap = 4;
constexpr int PerRow = 11;

struct Row {
    std::vector<QPixmap> pictures;
    int size;
};

void AddRows(std::vector<Row>& rows, const std::vector<QPixmap>& pictures, int size) {
    for (std::size_t first = 0; first < pictures.size(); first += PerRow) {
        const auto begin = pictures.begin() + static_cast<std::ptrdiff_t>(first);
        const auto end = pictures.begin() +
                         static_cast<std::ptrdiff_t>(std::min(first + PerRow, pictures.size()));
        rows.push_back({{begin, end}, size});
    }
}

void Chequer(QPainter& painter, const QRect& area) {
    for (int y = area.top(); y <= area.bottom(); y += 4)
        for (int x = area.left(); x <= area.right(); x += 4)
            painter.fillRect(QRect(x, y, 4, 4) & area,
                             ((x + y) / 4) % 2 ? QColor(200, 200, 200) : QColor(236, 236, 236));
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString path =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("contact-sheet.png");

    std::vector<Row> rows;
    for (const TImageList* list : {&ilMain(), &ilInformers(), &ImageList1()}) {
        std::vector<QPixmap> pictures;
        for (int index = 0; index < list->Count(); ++index)
            pictures.push_back(list->Pixmap(index));
        AddRows(rows, pictures, list->Size().width());
    }
    std::vector<QPixmap> buttons;
    for (const char* name : {"sbInfoMan", "sbInfoWoman", "sbTodayDateDay", "spHelp"})
        buttons.push_back(ButtonIcon(QString::fromLatin1(name)).pixmap(16));
    buttons.push_back(ButtonIcon(QStringLiteral("spHelp")).pixmap(QSize(16, 16), QIcon::Disabled));
    AddRows(rows, buttons, 16);
    AddRows(rows, {ProgramIcon().pixmap(16), ProgramIcon().pixmap(32)}, 32);

    const int width = Gap + PerRow * (32 * Zoom + Gap);
    int height = Gap;
    for (const Row& row : rows)
        height += row.size + Gap + row.size * Zoom + 3 * Gap;
    QImage sheet(width, height, QImage::Format_ARGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    int y = Gap;
    for (const Row& row : rows) {
        int x = Gap;
        for (const QPixmap& picture : row.pictures) {
            const QImage image = picture.toImage();
            const QRect real(x, y, image.width(), image.height());
            const QRect large(x, y + row.size + Gap, image.width() * Zoom, image.height() * Zoom);
            Chequer(painter, real);
            painter.drawImage(real.topLeft(), image);
            Chequer(painter, large);
            painter.drawImage(large, image); // unsmoothed: each pixel a block
            x += row.size * Zoom + Gap;
        }
        y += row.size + Gap + row.size * Zoom + 3 * Gap;
    }
    painter.end();
    if (!sheet.save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return 1;
    }
    return 0;
}
