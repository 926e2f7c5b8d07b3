#include "library/image_collection.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <compare>
#include <set>
#include <string_view>
#include <vector>

#include "core/directory_search.h"
#include "core/encoding.h"

namespace quemira::library {

namespace {

constexpr std::array<std::string_view, 5> image_patterns{"*.jpg", "*.bmp", "*.png", "*.jpeg",
                                                         "*.gif"};

struct FolderId {
  dev_t device;
  ino_t inode;
  auto operator<=>(const FolderId&) const = default;
};

// A folder on the way down, with the subfolders still to enter.
struct Frame {
  FolderId id;
  core::Text directory;  // ends with "/"
  std::vector<core::Text> subfolders;
  std::size_t next = 0;
};

// Depth-first with an explicit stack: a tree may be deeper than the call
// stack would allow.
class Walk {
 public:
  explicit Walk(std::int32_t wanted) : wanted_(static_cast<std::size_t>(std::max(wanted, 0))) {}

  void run(const core::Text& folder) {
    if (folder.empty()) return;
    enter(core::text_right(folder, 1) == "/" ? folder : core::concat(folder, "/"));
    while (!path_.empty() && !done()) {
      Frame& top = path_.back();
      if (top.next == top.subfolders.size()) {
        on_path_.erase(top.id);
        path_.pop_back();
      } else {
        enter(core::concat(top.directory, top.subfolders[top.next++], "/"));
      }
    }
  }

  core::List<core::Text> images() const {
    core::List<core::Text> images;
    for (const std::vector<core::Text>& found : found_)
      for (const core::Text& path : found) {
        if (static_cast<std::size_t>(images.count()) == wanted_) return images;
        images.append(path);
      }
    return images;
  }

 private:
  // Once that many "*.jpg" files are known, they fill everything wanted.
  bool done() const { return found_[0].size() >= wanted_; }

  // Reads the folder's entries once: its own images go to their pattern's
  // list now, its subfolders are entered later, in the same order.
  void enter(const core::Text& directory) {
    const int descriptor =
        open(core::utf8_from_text(directory).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) return;
    struct stat status {};
    DIR* entries = fstat(descriptor, &status) == 0 ? fdopendir(descriptor) : nullptr;
    if (entries == nullptr) {
      close(descriptor);
      return;
    }
    const FolderId id{status.st_dev, status.st_ino};
    if (on_path_.contains(id)) {
      closedir(entries);
      return;
    }
    Frame frame{id, directory, {}};
    while (const dirent* entry = readdir(entries)) {
      if (!core::is_folder(entries, *entry)) {
        offer(directory, entry->d_name);
        if (done()) break;
      } else if (entry->d_name[0] != '.') {
        // A name that is no valid UTF-8 has no text to stand for it.
        if (auto name = core::text_from_utf8(entry->d_name))
          frame.subfolders.push_back(std::move(*name));
      }
    }
    closedir(entries);
    on_path_.insert(id);
    path_.push_back(std::move(frame));
  }

  void offer(const core::Text& directory, std::string_view name) {
    for (std::size_t pattern = 0; pattern < image_patterns.size(); ++pattern) {
      std::vector<core::Text>& found = found_[pattern];
      if (found.size() >= wanted_ || !core::wildcard_matches(image_patterns[pattern], name))
        continue;
      if (auto text = core::text_from_utf8(name)) found.push_back(core::concat(directory, *text));
    }
  }

  std::size_t wanted_;
  std::array<std::vector<core::Text>, image_patterns.size()> found_;
  std::vector<Frame> path_;
  std::set<FolderId> on_path_;
};

}  // namespace

core::List<core::Text> collect_images(const core::Text& folder, std::int32_t wanted) {
  Walk walk(wanted);
  walk.run(folder);
  return walk.images();
}

}  // namespace quemira::library
