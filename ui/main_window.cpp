#include "ui/main_window.h"

namespace quemira::ui {

std::array<PictureBox*, 16> MainWindow::cells() {
  return {&图片框1,  &图片框2,  &图片框3,  &图片框4,  &图片框5,  &图片框6,
          &图片框7,  &图片框8,  &图片框9,  &图片框10, &图片框11, &图片框12,
          &图片框13, &图片框14, &图片框15, &图片框16};
}

std::array<Label*, 8> MainWindow::selectors() {
  return {&标签选择1, &标签选择2, &标签选择3, &标签选择4,
          &标签选择5, &标签选择6, &标签选择7, &标签选择8};
}

}  // namespace quemira::ui
