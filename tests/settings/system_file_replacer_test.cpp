#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/atomic_file.h"
#include "platform/files.h"
#include "settings/ini_file.h"

namespace varimo {
namespace {

class SystemFileReplacerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/varimo_replace_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    folder_ = pattern;
    path_ = folder_ + "/gen_Varimo.ini";
  }
  void TearDown() override {
    for (const std::string& name : Names()) ::unlink((folder_ + "/" + name).c_str());
    ::rmdir(folder_.c_str());
  }

  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    if (DIR* dir = ::opendir(folder_.c_str())) {
      while (dirent* entry = ::readdir(dir)) {
        std::string name = entry->d_name;
        if (name != "." && name != "..") names.push_back(name);
      }
      ::closedir(dir);
    }
    return names;
  }
  std::string Contents() const {
    std::ifstream in(path_, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
  }

  std::unique_ptr<IFileReplacer> replacer_ = MakeSystemFileReplacer();
  std::string folder_;
  std::string path_;
};

// The albums' store's lazy replace leaves only the folder's sync to the system: every other
// promise of the settings file's replace holds for it too.
using TReplace = bool (IFileReplacer::*)(const std::string&, const std::string&);
class EveryReplaceTest : public SystemFileReplacerTest,
                         public ::testing::WithParamInterface<TReplace> {
 protected:
  bool Replace(const std::string& path, const std::string& bytes) {
    return (replacer_.get()->*GetParam())(path, bytes);
  }
};
INSTANTIATE_TEST_SUITE_P(ReplaceAndReplaceLazily, EveryReplaceTest,
                         ::testing::Values(&IFileReplacer::Replace, &IFileReplacer::ReplaceLazily));

TEST_P(EveryReplaceTest, CreatesAndReplacesLeavingNoTemporaryFile) {
  ASSERT_TRUE(Replace(path_, "[S]\r\nA=1\r\n"));
  EXPECT_EQ(Contents(), "[S]\r\nA=1\r\n");
  ::chmod(path_.c_str(), 0600);
  ASSERT_TRUE(Replace(path_, "[S]\r\nA=2\r\n"));
  EXPECT_EQ(Contents(), "[S]\r\nA=2\r\n");
  EXPECT_EQ(Names(), std::vector<std::string>{"gen_Varimo.ini"});
  struct stat st {};
  ASSERT_EQ(::stat(path_.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST_P(EveryReplaceTest, AReadOnlyFileIsKeptWhole) {
  ASSERT_TRUE(Replace(path_, "[S]\r\nA=1\r\n"));
  ::chmod(path_.c_str(), 0444);
  EXPECT_FALSE(Replace(path_, "[S]\r\nA=2\r\n"));
  EXPECT_EQ(Contents(), "[S]\r\nA=1\r\n");
  EXPECT_EQ(Names(), std::vector<std::string>{"gen_Varimo.ini"});
}

TEST_P(EveryReplaceTest, AMissingFolderFailsAndCreatesNothing) {
  EXPECT_FALSE(Replace(folder_ + "/Plugins/gen_Varimo.ini", "x"));
  EXPECT_TRUE(Names().empty());
}

TEST_P(EveryReplaceTest, AWriteCutShortLeavesTheOldFileWhole) {
  const std::string old = "[S]\r\nA=1\r\n";
  ASSERT_TRUE(Replace(path_, old));
  // A file-size limit makes the new file's write fail half-way, as a full disk would.
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 16;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  bool replaced = Replace(path_, std::string(4096, 'x'));
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previousHandler);
  EXPECT_FALSE(replaced);
  EXPECT_EQ(Contents(), old);
  EXPECT_EQ(Names(), std::vector<std::string>{"gen_Varimo.ini"});
}

TEST_F(SystemFileReplacerTest, SettingsFileOnDiskKeepsItsOtherLines) {
  ASSERT_TRUE(replacer_->Replace(path_, "; kept\n[Window]\nLeft=1\n"));
  std::unique_ptr<IFiles> files = MakeSystemFiles();
  IniFile ini(*files, *replacer_, path_);
  EXPECT_TRUE(ini.WriteInteger("window", "Left", 2));
  EXPECT_TRUE(ini.WriteInteger("Play", "No", 3));
  EXPECT_EQ(Contents(), "; kept\n[Window]\nLeft=2\n[Play]\nNo=3\n");
  EXPECT_EQ(ini.ReadInteger("PLAY", "no", 0), 3);
}

}  // namespace
}  // namespace varimo
