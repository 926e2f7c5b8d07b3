#pragma once

#include <FL/Fl_RGB_Image.H>

#include <array>
#include <cstdint>
#include <vector>

namespace quemira::ui {

// The program's icon drawn at a size: a blue tile holding a two-by-two board
// of little pictures, the last one picked out in gold. RGBA, rows top down.
std::vector<std::uint8_t> app_icon_pixels(int size);

// The icon at the sizes a desktop asks for, large first.
std::array<const Fl_RGB_Image*, 3>& app_icons();

}  // namespace quemira::ui
