#pragma once

#include <array>
#include <functional>

#include "core/edit_box.h"
#include "core/text.h"
#include "ui/controls.h"
#include "ui/picture_box.h"

namespace quemira::ui {

inline constexpr int cell_inner_width = 113;
inline constexpr int cell_inner_height = 128;
inline constexpr int target_inner_width = 230;
inline constexpr int target_inner_height = 246;

// The game's one window as state: its caption and its 34 controls with the
// texts and visibility they have at launch. The toolkit view draws it and
// reports clicks into it; the handlers work on it alone.
class MainWindow {
 public:
  MainWindow() = default;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  const core::Text& caption() const { return caption_; }
  void set_caption(core::Text caption) {
    caption_ = std::move(caption);
    if (caption_changed) caption_changed();
  }
  std::function<void()> caption_changed;

  // Set once the player has closed the window; a handler running nested in
  // an event pump must then leave it alone.
  bool closed() const { return closed_; }
  void mark_closed() { closed_ = true; }

  // The sixteen cells, in cell order.
  std::array<PictureBox*, 16> cells();
  // 标签选择1 to 标签选择8.
  std::array<Label*, 8> selectors();

  PictureBox 图片框1{cell_inner_width, cell_inner_height, white, true};
  PictureBox 图片框2{cell_inner_width, cell_inner_height, white, true};
  PictureBox 图片框3{cell_inner_width, cell_inner_height, white, true};
  PictureBox 图片框4{cell_inner_width, cell_inner_height, white, true};
  PictureBox 图片框5{cell_inner_width, cell_inner_height, white, true};
  PictureBox 图片框6{cell_inner_width, cell_inner_height, white, true};
  PictureBox 图片框7{cell_inner_width, cell_inner_height, white, true};
  PictureBox 图片框8{cell_inner_width, cell_inner_height, white, true};
  PictureBox 图片框9{cell_inner_width, cell_inner_height, white, true};
  PictureBox 图片框10{cell_inner_width, cell_inner_height, white, true};
  PictureBox 图片框11{cell_inner_width, cell_inner_height, white, true};
  PictureBox 图片框12{cell_inner_width, cell_inner_height, white, true};
  PictureBox 图片框13{cell_inner_width, cell_inner_height, white, true};
  PictureBox 图片框14{cell_inner_width, cell_inner_height, white, true};
  PictureBox 图片框15{cell_inner_width, cell_inner_height, white, true};
  PictureBox 图片框16{cell_inner_width, cell_inner_height, white, true};
  PictureBox 图片框17{target_inner_width, target_inner_height, button_face, false};

  Button 按钮1{"开始猜图", false};
  Button 按钮2{"刷新图片", true};
  Button 按钮3{"确认", false};

  core::EditBox 编辑框1{"", false};
  core::EditBox 编辑框2{"", false};
  core::EditBox 编辑框3{"A4", false};

  Label 标签1{"   1       2      3       4", true};
  Label 标签2{"\r\n\r\nA\r\n\r\n\r\n\r\nB\r\n\r\n\r\n\r\n\r\nC\r\n\r\n\r\n\r\n\r\nD", true};
  Label 标签3{"猜出图片所在的位置", false};
  Label 标签选择1{"A", false};
  Label 标签选择2{"B", false};
  Label 标签选择3{"C", false};
  Label 标签选择4{"D", false};
  Label 标签选择5{"1", false};
  Label 标签选择6{"2", false};
  Label 标签选择7{"3", false};
  Label 标签选择8{"4", false};

 private:
  core::Text caption_ = "Quemira";
  bool closed_ = false;
};

}  // namespace quemira::ui
