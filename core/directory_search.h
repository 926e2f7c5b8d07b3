#pragma once

#include <dirent.h>

#include <string>

#include "core/text.h"

namespace quemira::core {

enum class EntryFilter { folders, non_folders };

// One search handle: a pattern such as "/some/dir/*.jpg" starts a search,
// the empty pattern goes on with it. Names come bare, "." and ".." included,
// in the file system's own order; the empty text means no entry is left, and
// the search is then closed. Matching ignores letter case and "*" is any run.
class DirectorySearch {
 public:
  DirectorySearch() = default;
  DirectorySearch(const DirectorySearch&) = delete;
  DirectorySearch& operator=(const DirectorySearch&) = delete;
  ~DirectorySearch() { close(); }

  Text next(const Text& pattern, EntryFilter filter);
  void close();
  bool is_open() const { return directory_ != nullptr; }

 private:
  DIR* directory_ = nullptr;
  std::string wildcard_utf8_;
};

// Whether an entry of an open folder is itself a folder; a link counts as
// what it leads to.
bool is_folder(DIR* directory, const dirent& entry);

// "*" for any run (none included), "?" for one character, ASCII letters in
// either case; "*.*" matches every name, also one without a dot.
bool wildcard_matches(std::string_view wildcard, std::string_view name);

}  // namespace quemira::core
