#include "mainwindow/button_strip.h"

#include <initializer_list>

namespace tw {

namespace {

// The symbols are drawn as shapes: the symbol font that would hold them is not
// installed everywhere, and a missing font would show letters instead.
// Shapes are placed in the character cell whose top-left corner is three
// columns into the button and one row above the surface, where the font's
// glyph would stand; the cell's column 5 and row 9 are the centre of a face.
class GlyphPen {
  public:
    GlyphPen(platform::Canvas& canvas, const StripButton& button)
        : canvas_(canvas), originX_(button.left + 3), originY_(-1) {}

    // One column of the cell, rows first to last inclusive: a box, so that
    // at a higher scale it is as wide as a design pixel there.
    void Column(int dx, int first, int last) {
        const auto x = static_cast<float>(originX_ + dx);
        canvas_.Box(x, static_cast<float>(originY_ + first), x, static_cast<float>(originY_ + last),
                    true);
    }

    // Nine rows tall, five columns wide, the point at the column given.
    void TriangleLeft(int tipColumn) {
        for (int k = 0; k < 5; ++k) {
            Column(tipColumn + k, 9 - k, 9 + k);
        }
    }
    void TriangleRight(int baseColumn) {
        for (int k = 0; k < 5; ++k) {
            Column(baseColumn + k, 5 + k, 13 - k);
        }
    }

  private:
    platform::Canvas& canvas_;
    int originX_;
    int originY_;
};

void DrawGlyph(platform::Canvas& canvas, const StripButton& button) {
    GlyphPen pen(canvas, button);
    switch (button.glyph) {
        case StripGlyph::Previous:
            pen.TriangleLeft(0);
            pen.TriangleLeft(5);
            break;
        case StripGlyph::Play:
            pen.TriangleRight(3);
            break;
        case StripGlyph::Pause:
            for (const int dx : {2, 3, 7, 8}) {
                pen.Column(dx, 5, 13);
            }
            break;
        case StripGlyph::Stop:
            for (int dx = 2; dx <= 8; ++dx) {
                pen.Column(dx, 6, 12);
            }
            break;
        case StripGlyph::Next:
            pen.TriangleRight(0);
            pen.TriangleRight(5);
            pen.Column(10, 5, 13);
            break;
        case StripGlyph::Info:
            // A serif "i": the dot, then the stem with its foot.
            pen.Column(4, 5, 6);
            pen.Column(5, 5, 6);
            pen.Column(3, 8, 8);
            pen.Column(3, 13, 13);
            pen.Column(4, 8, 13);
            pen.Column(5, 8, 13);
            pen.Column(6, 13, 13);
            break;
    }
}

}  // namespace

// A design pixel covers [n, n + 1): the edge columns and rows are whole ones.
bool OnStripButton(const StripButton& button, float x, float y) {
    return static_cast<float>(button.left) <= x && x < static_cast<float>(button.right + 1) &&
           static_cast<float>(kStripTopRow) <= y && y < static_cast<float>(kStripBottomRow + 1);
}

void DrawStripButton(platform::Canvas& canvas, const StripButton& button,
                     const platform::Units& units) {
    constexpr auto kDesign = platform::ScaleUnit::Pixels;
    const auto l = static_cast<float>(button.left);
    const auto r = static_cast<float>(button.right);
    constexpr auto top = static_cast<float>(kStripTopRow);
    constexpr auto bottom = static_cast<float>(kStripBottomRow);
    // The edges are one device pixel wide at every scale: the last device
    // pixel inside the right column and the bottom row.
    const float rightEdge = units.XFromPixels(units.XToPixels(r + 1, kDesign) - 1, kDesign);
    const float bottomEdge = units.YFromPixels(units.YToPixels(bottom + 1, kDesign) - 1, kDesign);

    canvas.SetDrawColour(platform::colours::kLightGrey);
    canvas.Box(l, top, r, bottom, true);
    // The white edges go on last, over the black ones where they meet.
    canvas.SetDrawColour(platform::colours::kBlack);
    canvas.Line(l, bottomEdge, r + 1, bottomEdge);
    canvas.Line(rightEdge, top, rightEdge, bottomEdge);
    canvas.SetDrawColour(platform::colours::kWhite);
    canvas.Line(l, top, l, bottomEdge);
    canvas.Line(l, top, rightEdge, top);

    canvas.SetDrawColour(platform::colours::kWindowText);
    DrawGlyph(canvas, button);
}

}  // namespace tw
