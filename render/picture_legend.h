// The legend under the picture: a sample of every mark and what it stands for.
#pragma once

#include "svg/svg_writer.h"

// The height the legend takes in a strip `width` wide.
double legend_height(double width, bool with_plan);

// Draws the legend in the strip from `left` to `left + width` below `top`; returns its bottom.
double draw_legend(svg_writer& svg, double left, double top, double width, bool with_plan);
