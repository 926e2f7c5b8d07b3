#pragma once

#include <dirent.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/encoding.h"
#include "core/text.h"

namespace quemira::library {

// A fresh folder under /tmp for one test, removed with everything in it
// afterwards. Names are texts, created under their UTF-8 form as the file
// system holds them; paths are relative to the tree's top.
class TemporaryTree {
 public:
  TemporaryTree() {
    char pattern[] = "/tmp/quemira-library-XXXXXX";
    top_ = mkdtemp(pattern);
  }
  ~TemporaryTree() { std::filesystem::remove_all(top_); }
  TemporaryTree(const TemporaryTree&) = delete;
  TemporaryTree& operator=(const TemporaryTree&) = delete;

  core::Text path(const core::Text& relative) const {
    return core::concat(*core::text_from_utf8(top_), "/", relative);
  }
  std::filesystem::path on_disk(const core::Text& relative) const {
    return std::filesystem::path(top_) / core::utf8_from_text(relative);
  }

  void make_folder(const core::Text& relative) const {
    std::filesystem::create_directories(on_disk(relative));
  }
  // The file's bytes default to its own relative path, so that a cell shows
  // which file it got.
  void make_file(const core::Text& relative) const { make_file(relative, relative); }
  void make_file(const core::Text& relative, const std::string& bytes) const {
    std::filesystem::create_directories(on_disk(relative).parent_path());
    std::ofstream(on_disk(relative), std::ios::binary) << bytes;
  }
  void make_link(const core::Text& relative, const core::Text& target) const {
    std::filesystem::create_symlink(core::utf8_from_text(target), on_disk(relative));
  }

  // The given names of one folder in the order the file system enumerates
  // them, which is the order the game must keep.
  std::vector<core::Text> enumeration_order(const core::Text& folder,
                                            const std::vector<core::Text>& names) const {
    std::vector<core::Text> order;
    DIR* directory = opendir(on_disk(folder).c_str());
    while (const dirent* entry = readdir(directory)) {
      const core::Text name = *core::text_from_utf8(entry->d_name);
      if (std::find(names.begin(), names.end(), name) != names.end()) order.push_back(name);
    }
    closedir(directory);
    return order;
  }

 private:
  std::string top_;
};

}  // namespace quemira::library
