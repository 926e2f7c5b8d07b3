#include "core/directory_search.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cctype>

#include "core/encoding.h"

namespace quemira::core {

namespace {

bool same_letter(char a, char b) {
  return std::tolower(static_cast<unsigned char>(a)) ==
         std::tolower(static_cast<unsigned char>(b));
}

}  // namespace

bool is_folder(DIR* directory, const dirent& entry) {
  if (entry.d_type == DT_DIR) return true;
  if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) return false;
  // A link counts as what it leads to, as a junction would.
  struct stat target {};
  return fstatat(dirfd(directory), entry.d_name, &target, 0) == 0 && S_ISDIR(target.st_mode);
}

bool wildcard_matches(std::string_view wildcard, std::string_view name) {
  if (wildcard == "*.*") wildcard = "*";
  // Classic greedy matching with one backtrack point; names are UTF-8, whose
  // multi-byte sequences never hold ASCII bytes, so byte-wise folding is safe.
  std::size_t w = 0, n = 0, star = std::string_view::npos, resume = 0;
  while (n < name.size()) {
    if (w < wildcard.size() && wildcard[w] == '*') {
      star = w++;
      resume = n;
    } else if (w < wildcard.size() && (wildcard[w] == '?' || same_letter(wildcard[w], name[n]))) {
      ++w;
      ++n;
    } else if (star != std::string_view::npos) {
      w = star + 1;
      n = ++resume;
    } else {
      return false;
    }
  }
  while (w < wildcard.size() && wildcard[w] == '*') ++w;
  return w == wildcard.size();
}

Text DirectorySearch::next(const Text& pattern, EntryFilter filter) {
  if (!pattern.empty()) {
    close();
    const std::size_t slash = pattern.rfind('/');
    const Text folder = slash == Text::npos ? Text(".") : pattern.substr(0, slash + 1);
    wildcard_utf8_ = utf8_from_text(slash == Text::npos ? pattern : pattern.substr(slash + 1));
    directory_ = opendir(utf8_from_text(folder).c_str());
  }
  while (directory_ != nullptr) {
    const dirent* entry = readdir(directory_);
    if (entry == nullptr) break;
    if (!wildcard_matches(wildcard_utf8_, entry->d_name)) continue;
    if (is_folder(directory_, *entry) != (filter == EntryFilter::folders)) continue;
    // A name that is no valid UTF-8 has no text to stand for it.
    if (auto name = text_from_utf8(entry->d_name)) return *name;
  }
  close();
  return {};
}

void DirectorySearch::close() {
  if (directory_ != nullptr) closedir(directory_);
  directory_ = nullptr;
}

}  // namespace quemira::core
