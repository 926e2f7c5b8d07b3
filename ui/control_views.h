#pragma once

#include <FL/Fl_Button.H>
#include <FL/Fl_Widget.H>

#include "core/edit_box.h"
#include "ui/controls.h"
#include "ui/picture_box.h"

// Toolkit widgets that draw the controls' state and report the player's
// clicks into it. The state objects outlive the widgets.
namespace quemira::ui {

struct TextLook {
  Fl_Font font;
  Fl_Fontsize size;
  Fl_Color colour;
  Fl_Align alignment;  // FL_ALIGN_LEFT or FL_ALIGN_CENTER
};

class LabelView : public Fl_Widget {
 public:
  // A one-line label centres its caption vertically; a multi-line one breaks
  // it at line breaks and wraps long lines, from the top.
  enum class Lines { one, several };
  LabelView(Label& label, int x, int y, int w, int h, TextLook look, Lines lines);
  ~LabelView() override;

 protected:
  void draw() override;
  int handle(int event) override;

 private:
  Label& label_;
  TextLook look_;
  Lines lines_;
};

class ButtonView : public Fl_Button {
 public:
  ButtonView(Button& button, int x, int y, int w, int h, Fl_Font font, Fl_Fontsize size);
  ~ButtonView() override;

 private:
  Button& button_;
};

class EditBoxView : public Fl_Widget {
 public:
  enum class Lines { one, several };
  struct Look {
    TextLook text;
    Fl_Color background;
    bool sunken_edge;
    Lines lines;
  };
  EditBoxView(core::EditBox& box, int x, int y, int w, int h, Look look);
  ~EditBoxView() override;

 protected:
  void draw() override;
  int handle(int event) override;

 private:
  core::EditBox& box_;
  Look look_;
};

class PictureBoxView : public Fl_Widget {
 public:
  PictureBoxView(PictureBox& box, int x, int y);
  ~PictureBoxView() override;

 protected:
  void draw() override;

 private:
  PictureBox& box_;
};

}  // namespace quemira::ui
