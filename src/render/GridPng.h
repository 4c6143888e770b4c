#pragma once

#include <QByteArray>
#include <vector>

#include "engine/DotPlotGrid.h"
#include "engine/Palette.h"

namespace duvanet::render {

/// The PNG file of a grid, one pixel per bin: a count has the colour colours[count], a count
/// beyond the table the last colour (the table must not be empty). Up to 256 distinct colours
/// give a palette image of 1, 2, 4 or 8 bits per pixel, more an 8-bit RGB image. Returns an
/// empty array when memory runs out or the grid is empty.
QByteArray gridPng(const engine::DotPlotGrid& grid, const std::vector<engine::Rgb>& colours);

}  // namespace duvanet::render
