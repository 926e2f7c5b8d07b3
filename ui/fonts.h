#pragma once

#include <FL/Enumerations.H>

namespace quemira::ui {

// The faces the window uses, registered with the toolkit once at start-up.
struct Fonts {
  // "黑体" where the system has it, else a bold CJK sans whose Latin letters
  // and digits are half an em wide like its, so the header digits line up
  // with the columns.
  Fl_Font heiti_bold;
  // The face of controls that name none, regular and bold.
  Fl_Font default_face;
  Fl_Font default_face_bold;
};

inline constexpr Fl_Fontsize default_gui_font_size = 12;

const Fonts& fonts();

}  // namespace quemira::ui
