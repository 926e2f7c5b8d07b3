#pragma once

#include <cstdint>

#include "core/list.h"
#include "core/text.h"

namespace quemira::library {

// The first `wanted` image files of a picture folder's tree, as full paths in
// the order the board takes them: every "*.jpg" of the whole tree, then every
// "*.bmp", "*.png", "*.jpeg" and "*.gif" (letter case ignored). Within one
// pattern a folder's own files come before its subfolders, each subfolder
// with its whole subtree, all in the file system's order. Subfolders whose
// names begin with a dot are not entered, the folder itself is whatever its
// name; a folder whose name looks like an image is entered, not collected.
//
// The tree is read once, and no further than needed: it stops as soon as
// `wanted` "*.jpg" files are known, since nothing after them can reach the
// board. A link that leads back to a folder on the way down is not followed,
// so a looping tree still ends. The empty text names no folder and gives
// nothing.
core::List<core::Text> collect_images(const core::Text& folder, std::int32_t wanted);

}  // namespace quemira::library
