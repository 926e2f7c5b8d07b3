#pragma once

#include <FL/Enumerations.H>

#include "ui/picture_box.h"

namespace quemira::ui::colours {

inline Fl_Color of(Rgb rgb) { return fl_rgb_color(rgb.red, rgb.green, rgb.blue); }

inline const Fl_Color button_face = of(ui::button_face);
inline const Fl_Color picture_frame = fl_rgb_color(100, 100, 100);
inline const Fl_Color blue = fl_rgb_color(0, 0, 255);
inline const Fl_Color red = fl_rgb_color(255, 0, 0);
inline const Fl_Color magenta = fl_rgb_color(255, 0, 255);
inline const Fl_Color dark_green = fl_rgb_color(0, 128, 0);
inline const Fl_Color black = fl_rgb_color(0, 0, 0);
inline const Fl_Color white = fl_rgb_color(255, 255, 255);

}  // namespace quemira::ui::colours
