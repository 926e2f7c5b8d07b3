#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "core/directory_search.h"
#include "core/encoding.h"
#include "core/file_read.h"
#include "core/program_directory.h"

namespace quemira::core {
namespace {

namespace fs = std::filesystem;

// A fresh folder per test; names inside it are given as texts and created
// under their UTF-8 form, as the file system holds them.
class Folder : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/quemira-core-XXXXXX";
    root_ = mkdtemp(pattern);
  }
  void TearDown() override { fs::remove_all(root_); }

  fs::path on_disk(const Text& name) const { return fs::path(root_) / utf8_from_text(name); }
  void make_folder(const Text& name) const { fs::create_directories(on_disk(name)); }
  void make_file(const Text& name, const std::string& bytes = "x") const {
    std::ofstream(on_disk(name), std::ios::binary) << bytes;
  }
  Text root() const { return *text_from_utf8(root_); }

  // Every name the search gives until it ends.
  std::vector<Text> search_all(const Text& wildcard, EntryFilter filter) const {
    DirectorySearch search;
    std::vector<Text> names;
    for (Text name = search.next(concat(root(), "/", wildcard), filter); !name.empty();
         name = search.next("", filter))
      names.push_back(name);
    EXPECT_FALSE(search.is_open());
    return names;
  }

  // The same entries in the order the file system itself enumerates them.
  std::vector<Text> enumeration_order(const std::vector<Text>& wanted) const {
    std::vector<Text> order;
    DIR* directory = opendir(root_.c_str());
    while (const dirent* entry = readdir(directory)) {
      const Text name = *text_from_utf8(entry->d_name);
      if (std::find(wanted.begin(), wanted.end(), name) != wanted.end()) order.push_back(name);
    }
    closedir(directory);
    return order;
  }

  std::string root_;
};

TEST_F(Folder, SearchListsFoldersInFileSystemOrderWithDotsHiddenAndChineseNames) {
  make_folder(".hidden");
  make_folder("风景");
  make_folder("plain");
  make_file("a.jpg");
  const std::vector<Text> folders = search_all("*.*", EntryFilter::folders);
  EXPECT_EQ(folders, enumeration_order({".", "..", ".hidden", "风景", "plain"}));
  EXPECT_EQ(search_all("*.*", EntryFilter::non_folders), std::vector<Text>{"a.jpg"});
}

TEST_F(Folder, SearchMatchesPatternsIgnoringCase) {
  for (const char* name : {"a.jpg", "B.JPG", "c.jpeg", "d.jpg.png", "ejpg", "表.Jpg"}) make_file(name);
  make_folder("dir.jpg");
  std::vector<Text> jpgs = search_all("*.jpg", EntryFilter::non_folders);
  std::sort(jpgs.begin(), jpgs.end());
  EXPECT_EQ(jpgs, (std::vector<Text>{"B.JPG", "a.jpg", "表.Jpg"}));
  EXPECT_EQ(search_all("*.jpg", EntryFilter::folders), std::vector<Text>{"dir.jpg"});
}

TEST(WildcardMatches, Table) {
  struct Case {
    const char* wildcard;
    const char* name;
    bool matches;
  };
  for (const Case& c : std::vector<Case>{{"*", "", true},
                                         {"*.*", "noext", true},
                                         {"*.jpg", ".jpg", true},
                                         {"*.jpg", "x.jpeg", false},
                                         {"*.jpeg", "x.JPEG", true},
                                         {"*.gif", "a.gif.bak", false},
                                         {"a?c", "abc", true},
                                         {"*.png", "x.p.png", true}})
    EXPECT_EQ(wildcard_matches(c.wildcard, c.name), c.matches) << c.wildcard << " " << c.name;
}

TEST_F(Folder, SearchOfAMissingFolderEndsAtOnce) {
  DirectorySearch search;
  EXPECT_EQ(search.next(concat(root(), "/missing/*.*"), EntryFilter::folders), "");
  EXPECT_FALSE(search.is_open());
  EXPECT_EQ(search.next("", EntryFilter::folders), "");
}

TEST_F(Folder, NewPatternClosesTheRunningSearch) {
  make_folder("one");
  DirectorySearch search;
  EXPECT_FALSE(search.next(concat(root(), "/*"), EntryFilter::folders).empty());
  EXPECT_EQ(search.next(concat(root(), "/*.gif"), EntryFilter::non_folders), "");
  EXPECT_FALSE(search.is_open());
}

TEST_F(Folder, WholeFileReadGivesBytesOrNothing) {
  make_file("empty.bin", "");
  make_file("data.bin", std::string("a\0b", 3));
  make_file("图片.png", "png");
  // Not in code page 936, yet GB18030 still names it.
  const Text emoji = *text_from_utf8("\xF0\x9F\x98\x80");
  make_file(emoji, "emoji");
  make_folder("folder");

  EXPECT_EQ(read_whole_file(concat(root(), "/missing")), ByteData());
  EXPECT_EQ(read_whole_file(concat(root(), "/folder")), ByteData());
  EXPECT_EQ(read_whole_file(concat(root(), "/empty.bin")), ByteData());
  EXPECT_EQ(read_whole_file(""), ByteData());
  EXPECT_EQ(read_whole_file(concat(root(), "/data.bin")), (ByteData{'a', 0, 'b'}));
  EXPECT_EQ(read_whole_file(concat(root(), "/图片.png")), (ByteData{'p', 'n', 'g'}));
  EXPECT_EQ(read_whole_file(concat(root(), "/", emoji)), (ByteData{'e', 'm', 'o', 'j', 'i'}));
  EXPECT_EQ(search_all("*", EntryFilter::non_folders).size(), 4u);
}

TEST_F(Folder, UnreadableFileGivesNothing) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads every file";
  make_file("locked.jpg");
  chmod(on_disk("locked.jpg").c_str(), 0);
  EXPECT_EQ(read_whole_file(concat(root(), "/locked.jpg")), ByteData());
}

TEST(ProgramDirectory, CutsBeforeTheLastSeparator) {
  EXPECT_EQ(folder_of("/opt/game/quemira"), "/opt/game");
  EXPECT_EQ(folder_of("/quemira"), "");
  EXPECT_EQ(folder_of("/游戏/quemira"), "/游戏");
  EXPECT_FALSE(program_directory().empty());
  EXPECT_NE(program_directory().back(), '/');
}

}  // namespace
}  // namespace quemira::core
