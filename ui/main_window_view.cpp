#include "ui/main_window_view.h"

#include <FL/Fl.H>

#include "core/encoding.h"
#include "ui/app_icon.h"
#include "ui/colours.h"
#include "ui/control_views.h"
#include "ui/fonts.h"

namespace quemira::ui {

namespace {

// The window was designed as a 547 x 652 frame; with a usual frame of 8
// pixels at the sides and bottom and a 30-pixel caption bar, the area inside
// is 531 x 614. The controls need 511 x 608 of it.
constexpr int outer_width = 547;
constexpr int outer_height = 652;
constexpr int frame_side = 8;
constexpr int caption_bar = 30;
constexpr int client_width = outer_width - 2 * frame_side;
constexpr int client_height = outer_height - caption_bar - frame_side;
constexpr int least_client_width = 511;
constexpr int least_client_height = 608;

// Centred on the primary screen by the frame's outer size.
int centred_left() {
  int x, y, w, h;
  Fl::screen_xywh(x, y, w, h, 0);
  return x + (w - outer_width) / 2 + frame_side;
}

int centred_top() {
  int x, y, w, h;
  Fl::screen_xywh(x, y, w, h, 0);
  return y + (h - outer_height) / 2 + caption_bar;
}

}  // namespace

MainWindowView::MainWindowView(MainWindow& window)
    : Fl_Double_Window(centred_left(), centred_top(), client_width, client_height),
      window_(window) {
  copy_label(core::utf8_from_text(window_.caption()).c_str());
  color(colours::button_face);
  size_range(least_client_width, least_client_height);
  icons(app_icons().data(), static_cast<int>(app_icons().size()));
  callback([](Fl_Widget* widget, void* data) {
    static_cast<MainWindow*>(data)->mark_closed();
    widget->hide();
  }, &window_);
  window_.caption_changed = [this] {
    copy_label(core::utf8_from_text(window_.caption()).c_str());
  };
  create_controls();
  end();
  // Resizing shows more or less of the button face; no control moves.
  resizable(nullptr);
}

MainWindowView::~MainWindowView() { window_.caption_changed = nullptr; }

void MainWindowView::create_controls() {
  using Lines = LabelView::Lines;
  const Fonts& f = fonts();
  const TextLook row_letter{f.heiti_bold, 56, colours::blue, FL_ALIGN_CENTER};
  const TextLook column_digit{f.heiti_bold, 56, colours::red, FL_ALIGN_CENTER};
  const TextLook plain_text{f.default_face, default_gui_font_size, colours::black, FL_ALIGN_LEFT};
  const EditBoxView::Look store{plain_text, colours::white, true, EditBoxView::Lines::one};

  // Created in this order, the cell A1 first and the prompt last, so that
  // later controls lie above earlier ones and Tab visits them in this order.
  new PictureBoxView(window_.图片框1, 33, 31);
  new ButtonView(window_.按钮2, 167, 576, 80, 32, f.default_face, default_gui_font_size);
  const int columns[] = {33, 154, 275, 396};
  const int rows[] = {31, 167, 303, 441};
  const auto cells = window_.cells();
  for (int cell = 2; cell <= 16; ++cell)
    new PictureBoxView(*cells[cell - 1], columns[(cell - 1) % 4], rows[(cell - 1) / 4]);
  new ButtonView(window_.按钮1, 296, 576, 80, 32, f.default_face, default_gui_font_size);
  new EditBoxView(window_.编辑框1, 664, 384, 128, 120,
                  {plain_text, colours::white, true, EditBoxView::Lines::several});
  new LabelView(window_.标签1, 33, 5, 459, 21, {f.heiti_bold, 29, colours::red, FL_ALIGN_LEFT},
                Lines::one);
  new LabelView(window_.标签2, 0, 35, 32, 536,
                {f.heiti_bold, 29, colours::blue, FL_ALIGN_CENTER}, Lines::several);
  new PictureBoxView(window_.图片框17, 156, 48);
  new EditBoxView(window_.编辑框2, 680, 152, 80, 20, store);
  const int selector_lefts[] = {148, 217, 286, 356};
  const auto selectors = window_.selectors();
  for (int i = 0; i < 8; ++i)
    new LabelView(*selectors[i], selector_lefts[i % 4], 304, 45, 45,
                  i < 4 ? row_letter : column_digit, Lines::one);
  new EditBoxView(window_.编辑框3, 236, 373, 80, 68,
                  {{f.heiti_bold, 64, colours::dark_green, FL_ALIGN_CENTER}, colours::button_face,
                   false, EditBoxView::Lines::one});
  new ButtonView(window_.按钮3, 236, 452, 80, 32, f.default_face, 21);
  new LabelView(window_.标签3, 104, 1, 334, 44,
                {f.default_face_bold, 35, colours::magenta, FL_ALIGN_CENTER}, Lines::one);
}

}  // namespace quemira::ui
