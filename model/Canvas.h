#pragma once

#include "model/DateTime.h"

#include <string>

enum class TPenStyle { Solid, Dot };

struct TPen {
    TColor Color = clBlack;
    int Width = 1;
    TPenStyle Style = TPenStyle::Solid;
};

struct TBrush {
    TColor Color = clWhite;
};

struct TFont {
    std::string Name;
    int Size = 8; // points
    TColor Color = clBlack;
    bool Bold = false;
};

// A raster canvas as the chart drawing sees it. Pen, brush and font keep their state from one
// operation to the next. Conventions:
// - Rectangle(x1, y1, x2, y2) covers columns x1..x2-1 and rows y1..y2-1, filled with the brush
//   and outlined with the pen;
// - LineTo draws from the current point to the given one, leaving out the given end point,
//   which becomes the current point;
// - a dotted pen wider than one pixel draws solid;
// - TextOut puts the top-left corner of the text's cell at the point, in the font's colour on
//   an opaque background of the brush colour;
// - TextWidth and TextHeight measure in the current font, bold included.
class TCanvas {
public:
    virtual ~TCanvas() = default;

    virtual int Width() const = 0;
    virtual int Height() const = 0;

    virtual void Rectangle(int x1, int y1, int x2, int y2) = 0;
    void MoveTo(int x, int y) {
        penX_ = x;
        penY_ = y;
    }
    void LineTo(int x, int y) {
        DrawLine(penX_, penY_, x, y);
        MoveTo(x, y);
    }
    virtual void TextOut(int x, int y, const std::string& utf8) = 0;
    virtual int TextWidth(const std::string& utf8) = 0;
    virtual int TextHeight(const std::string& utf8) = 0;

    TPen Pen;
    TBrush Brush;
    TFont Font;

protected:
    // A line from (x1, y1) to (x2, y2) without its end point, in the current pen.
    virtual void DrawLine(int x1, int y1, int x2, int y2) = 0;

private:
    int penX_ = 0;
    int penY_ = 0;
};
