#include "ui/message_box.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <string>

#include "core/encoding.h"
#include "ui/colours.h"
#include "ui/fonts.h"

namespace quemira::ui {

namespace {

constexpr int margin = 24;
constexpr int icon_size = 32;
constexpr int button_width = 88;
constexpr int button_height = 26;
constexpr int button_strip = button_height + 2 * 12;
constexpr int least_width = 260;

// A red disc with a white cross: the stop sign of a fatal error.
class StopIcon : public Fl_Widget {
 public:
  StopIcon(int x, int y) : Fl_Widget(x, y, icon_size, icon_size) {}

 protected:
  void draw() override {
    fl_color(colours::red);
    fl_pie(x(), y(), w(), h(), 0, 360);
    fl_color(colours::white);
    fl_line_style(FL_SOLID | FL_CAP_ROUND, 4);
    fl_line(x() + 10, y() + 10, x() + 22, y() + 22);
    fl_line(x() + 22, y() + 10, x() + 10, y() + 22);
    fl_line_style(0);
  }
};

}  // namespace

void show_message_box(const core::Text& title, const core::Text& text, core::BoxIcon icon) {
  std::string message = core::utf8_from_text(text);
  std::erase(message, '\r');
  const std::string caption = core::utf8_from_text(title);

  fl_font(fonts().default_face, default_gui_font_size);
  int text_width = 0, text_height = 0;
  fl_measure(message.c_str(), text_width, text_height, 0);
  const int icon_room = icon == core::BoxIcon::stop ? icon_size + margin / 2 : 0;
  const int width = std::max(margin + icon_room + text_width + margin, least_width);
  const int body_height = std::max(text_height, icon_room > 0 ? icon_size : 0) + 2 * margin;
  const int height = body_height + button_strip;

  // The message on white above, the OK button on the face colour below.
  Fl_Window box(width, height);
  box.copy_label(caption.c_str());
  box.color(colours::button_face);
  auto* body = new Fl_Box(FL_FLAT_BOX, 0, 0, width, body_height, nullptr);
  body->color(colours::white);
  if (icon == core::BoxIcon::stop) new StopIcon(margin, (body_height - icon_size) / 2);
  auto* message_box = new Fl_Box(margin + icon_room, margin, text_width, body_height - 2 * margin);
  message_box->copy_label(message.c_str());
  message_box->labelfont(fonts().default_face);
  message_box->labelsize(default_gui_font_size);
  message_box->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
  auto* ok = new Fl_Button(width - margin / 2 - button_width, body_height + 12, button_width,
                           button_height);
  ok->copy_label(core::utf8_from_text("确定").c_str());
  ok->labelfont(fonts().default_face);
  ok->labelsize(default_gui_font_size);
  ok->shortcut(FL_Enter);
  ok->callback([](Fl_Widget*, void* window) { static_cast<Fl_Window*>(window)->hide(); }, &box);
  box.end();
  box.set_modal();
  int x, y, w, h;
  Fl::screen_xywh(x, y, w, h, 0);
  box.position(x + (w - width) / 2, y + (h - height) / 2);
  box.show();
  while (box.shown()) Fl::wait();
}

}  // namespace quemira::ui
