// The legend under the picture: a sample of every kind of mark the picture holds and what it
// stands for.
#pragma once

#include "render/picture_marks.h"
#include "svg/svg_writer.h"

// The height the legend of `marks` takes in a strip `width` wide; 0 when there are none.
double legend_height(double width, const picture_marks& marks);

// Draws the legend of `marks` in the strip from `left` to `left + width` below `top`; returns
// its bottom.
double draw_legend(svg_writer& svg, double left, double top, double width,
                   const picture_marks& marks);
