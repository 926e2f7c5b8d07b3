#pragma once

#include <optional>

#include "core/list.h"
#include "core/text.h"
#include "ui/main_window.h"

namespace quemira::library {

// The full paths of the folders directly under root, in the file system's
// order; dot-names are folders like any other. Window events are handled
// after every entry, so a refresh clicked meanwhile runs nested here; when one
// of them closed the window, the listing gives nothing.
std::optional<core::List<core::Text>> list_picture_folders(const core::Text& root,
                                                           const ui::MainWindow& window);

}  // namespace quemira::library
