#pragma once

#include <FL/Fl_Double_Window.H>

#include "ui/main_window.h"

namespace quemira::ui {

// The main window on screen: its frame, caption and the widgets of its 34
// controls. Closing it (close box or Esc) marks the window state closed.
class MainWindowView : public Fl_Double_Window {
 public:
  explicit MainWindowView(MainWindow& window);
  ~MainWindowView() override;

 private:
  void create_controls();

  MainWindow& window_;
};

}  // namespace quemira::ui
