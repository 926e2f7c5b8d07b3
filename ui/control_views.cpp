#include "ui/control_views.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include <string>
#include <vector>

#include "core/encoding.h"
#include "ui/colours.h"

namespace quemira::ui {

namespace {

// Keeps a widget's visibility in step with its control and repaints it on
// every change of the control's state.
void follow(core::Control& control, Fl_Widget& widget) {
  const auto sync = [&control, &widget] {
    if (control.visible() != (widget.visible() != 0)) {
      control.visible() ? widget.show() : widget.hide();
    }
    widget.redraw();
  };
  control.on_change(sync);
  if (!control.visible()) widget.hide();
}

std::string without_line_breaks(std::string text) {
  std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
  return text;
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  lines.push_back(text.substr(start));
  return lines;
}

// Greedy word wrap of one line to a width; a word wider than the width keeps
// a row of its own.
std::vector<std::string> wrapped(const std::string& line, int width) {
  std::vector<std::string> rows;
  std::string row;
  std::size_t start = 0;
  while (start <= line.size()) {
    std::size_t end = line.find(' ', start);
    if (end == std::string::npos) end = line.size();
    const std::string word = line.substr(start, end - start);
    const std::string longer = row.empty() ? word : row + " " + word;
    if (!row.empty() && fl_width(longer.c_str()) > width) {
      rows.push_back(row);
      row = word;
    } else {
      row = longer;
    }
    start = end + 1;
  }
  rows.push_back(row);
  return rows;
}

// Text in several lines from the top, one character height apart, as the
// captions were laid out for: line breaks count even when the line is empty.
void draw_lines_from_top(const std::string& text, int x, int y, int w, const TextLook& look) {
  // The baseline of a CJK face sits at about 86% of its character height.
  const int baseline = look.size * 86 / 100;
  int row_top = y;
  for (const std::string& line : lines_of(text)) {
    for (const std::string& row : wrapped(line, w)) {
      const int width = static_cast<int>(fl_width(row.c_str()));
      const int left = look.alignment == FL_ALIGN_CENTER ? x + (w - width) / 2 : x;
      fl_draw(row.c_str(), left, row_top + baseline);
      row_top += look.size;
    }
  }
}

void draw_one_line(const std::string& text, int x, int y, int w, int h, const TextLook& look) {
  fl_draw(without_line_breaks(text).c_str(), x, y, w, h,
          look.alignment | FL_ALIGN_INSIDE | FL_ALIGN_CLIP, nullptr, 0);
}

}  // namespace

LabelView::LabelView(Label& label, int x, int y, int w, int h, TextLook look, Lines lines)
    : Fl_Widget(x, y, w, h), label_(label), look_(look), lines_(lines) {
  clear_visible_focus();
  follow(label_, *this);
}

LabelView::~LabelView() { label_.on_change(nullptr); }

void LabelView::draw() {
  fl_rectf(x(), y(), w(), h(), colours::button_face);
  if (label_.caption().empty()) return;
  fl_font(look_.font, look_.size);
  fl_color(look_.colour);
  const std::string caption = core::utf8_from_text(label_.caption());
  fl_push_clip(x(), y(), w(), h());
  if (lines_ == Lines::one) {
    draw_one_line(caption, x(), y(), w(), h(), look_);
  } else {
    draw_lines_from_top(caption, x(), y(), w(), look_);
  }
  fl_pop_clip();
}

int LabelView::handle(int event) {
  if (event != FL_PUSH) return Fl_Widget::handle(event);
  // Only the second press of a double-click on the same label counts; a third
  // press starts over, as a fresh click would.
  static const LabelView* last_pressed = nullptr;
  const bool double_click = Fl::event_button() == FL_LEFT_MOUSE && Fl::event_clicks() % 2 == 1 &&
                            last_pressed == this;
  last_pressed = this;
  if (double_click && label_.double_clicked) label_.double_clicked();
  return 1;
}

ButtonView::ButtonView(Button& button, int x, int y, int w, int h, Fl_Font font, Fl_Fontsize size)
    : Fl_Button(x, y, w, h), button_(button) {
  copy_label(core::utf8_from_text(button_.caption()).c_str());
  labelfont(font);
  labelsize(size);
  align(FL_ALIGN_CENTER | FL_ALIGN_WRAP | FL_ALIGN_INSIDE);
  callback([](Fl_Widget*, void* data) {
    auto& model = *static_cast<Button*>(data);
    if (model.clicked) model.clicked();
  }, &button_);
  follow(button_, *this);
}

ButtonView::~ButtonView() { button_.on_change(nullptr); }

EditBoxView::EditBoxView(core::EditBox& box, int x, int y, int w, int h, Look look)
    : Fl_Widget(x, y, w, h), box_(box), look_(look) {
  follow(box_, *this);
}

EditBoxView::~EditBoxView() { box_.on_change(nullptr); }

void EditBoxView::draw() {
  fl_draw_box(look_.sunken_edge ? FL_DOWN_BOX : FL_FLAT_BOX, x(), y(), w(), h(), look_.background);
  const int inset = look_.sunken_edge ? Fl::box_dx(FL_DOWN_BOX) + 1 : 1;
  fl_font(look_.text.font, look_.text.size);
  fl_color(look_.text.colour);
  const std::string text = core::utf8_from_text(box_.text());
  fl_push_clip(x() + inset, y() + inset, w() - 2 * inset, h() - 2 * inset);
  if (look_.lines == Lines::one) {
    draw_one_line(text, x() + inset, y(), w() - 2 * inset, h(), look_.text);
  } else {
    draw_lines_from_top(text, x() + inset, y() + inset, w() - 2 * inset, look_.text);
  }
  fl_pop_clip();
}

int EditBoxView::handle(int event) {
  switch (event) {
    case FL_FOCUS:
    case FL_UNFOCUS:
      return 1;  // a tab stop, though the player cannot type into it
    case FL_PUSH:
      take_focus();
      return 1;
    default:
      return Fl_Widget::handle(event);
  }
}

PictureBoxView::PictureBoxView(PictureBox& box, int x, int y)
    : Fl_Widget(x, y, box.inner_width() + 2, box.inner_height() + 2), box_(box) {
  clear_visible_focus();
  follow(box_, *this);
}

PictureBoxView::~PictureBoxView() { box_.on_change(nullptr); }

void PictureBoxView::draw() {
  fl_color(colours::picture_frame);
  fl_rect(x(), y(), w(), h());
  const Surface& surface = box_.paint();
  fl_draw_image(surface.rgb.data(), x() + 1, y() + 1, surface.width, surface.height, 3, 0);
}

}  // namespace quemira::ui
