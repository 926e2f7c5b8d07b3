#include "library/folder_listing.h"

#include "core/directory_search.h"
#include "core/platform.h"

namespace quemira::library {

std::optional<core::List<core::Text>> list_picture_folders(const core::Text& root,
                                                           const ui::MainWindow& window) {
  core::Text directory = root;
  if (core::text_right(directory, 1) != "/") directory += "/";
  core::List<core::Text> folders;
  core::DirectorySearch search;
  for (core::Text name = search.next(core::concat(directory, "*.*"), core::EntryFilter::folders);
       !name.empty(); name = search.next("", core::EntryFilter::folders)) {
    if (name != "." && name != "..") folders.append(core::concat(directory, name));
    core::process_pending_events();
    if (window.closed()) return std::nullopt;
  }
  return folders;
}

}  // namespace quemira::library
