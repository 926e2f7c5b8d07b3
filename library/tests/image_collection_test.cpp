#include "library/image_collection.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "core/directory_search.h"
#include "library/tests/temporary_tree.h"

namespace quemira::library {
namespace {

// The collection as the game describes it, without shortcuts: the whole tree
// walked once per pattern, one search for a folder's files and another for
// its subfolders.
void collect_naively(const core::Text& folder, const core::Text& pattern,
                     std::vector<core::Text>& found) {
  const core::Text directory = core::concat(folder, "/");
  core::DirectorySearch files;
  for (core::Text name = files.next(directory + pattern, core::EntryFilter::non_folders);
       !name.empty(); name = files.next("", core::EntryFilter::non_folders))
    found.push_back(directory + name);
  core::DirectorySearch folders;
  for (core::Text name = folders.next(directory + "*", core::EntryFilter::folders); !name.empty();
       name = folders.next("", core::EntryFilter::folders))
    if (core::text_left(name, 1) != ".") collect_naively(directory + name, pattern, found);
}

std::vector<core::Text> naive_order(const core::Text& folder) {
  std::vector<core::Text> found;
  for (const char* pattern : {"*.jpg", "*.bmp", "*.png", "*.jpeg", "*.gif"})
    collect_naively(folder, pattern, found);
  return found;
}

std::vector<core::Text> as_vector(const core::List<core::Text>& list) {
  std::vector<core::Text> elements;
  for (std::int32_t i = 1; i <= list.count(); ++i) elements.push_back(list.element(i));
  return elements;
}

// A tree of a few levels with every kind of name the walk must tell apart:
// extensions in either case, ".jpeg" beside ".jpg", hidden files, dot
// folders that are skipped, folders named like images, Chinese names.
void grow(const TemporaryTree& tree, const core::Text& folder, int depth, std::mt19937& random,
          int jpg_share) {
  static const std::vector<core::Text> other_endings{".JPG", ".jpeg", ".png", ".bmp",     ".BMP",
                                                     ".gif", ".Gif",  ".txt", ".jpg.txt", ""};
  std::uniform_int_distribution<int> percent(0, 99);
  const int files = std::uniform_int_distribution<int>(3, 8)(random);
  for (int i = 0; i < files; ++i) {
    const core::Text stem = percent(random) < 10 ? ".隐" : "图";
    const core::Text ending =
        percent(random) < jpg_share ? ".jpg" : other_endings[random() % other_endings.size()];
    tree.make_file(core::concat(folder, "/", stem, core::int_to_text(i), ending));
  }
  if (depth == 0) return;
  for (const char* name : {"子", ".dot", "x.png"}) {
    tree.make_folder(core::concat(folder, "/", name));
    grow(tree, core::concat(folder, "/", name), depth - 1, random, jpg_share);
  }
}

TEST(CollectImages, GivesTheFirstPathsOfTheFivePatternWalksInOrder) {
  struct Case {
    unsigned seed;
    int jpg_share;  // percent of files named "*.jpg"; a high share ends the walk early
  };
  for (const Case& c : {Case{1, 5}, Case{2, 10}, Case{3, 0}, Case{4, 60}, Case{5, 30}}) {
    TemporaryTree tree;
    std::mt19937 random(c.seed);
    tree.make_folder("相册");
    grow(tree, "相册", 3, random, c.jpg_share);
    const std::vector<core::Text> expected = naive_order(tree.path("相册"));
    for (const std::int32_t wanted : {1, 16, 100000}) {
      const std::size_t kept = std::min<std::size_t>(expected.size(), wanted);
      EXPECT_EQ(as_vector(collect_images(tree.path("相册"), wanted)),
                std::vector<core::Text>(expected.begin(), expected.begin() + kept))
          << "seed " << c.seed << ", wanted " << wanted;
    }
  }
}

}  // namespace
}  // namespace quemira::library
