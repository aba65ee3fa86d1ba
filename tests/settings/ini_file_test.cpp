#include "settings/ini_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "settings/memory_replacer.h"

namespace varimo {
namespace {

const char kPath[] = "C:\\Winamp\\Plugins\\gen_Varimo.ini";

TEST(IniEncodingTest, StoredValuesReadAsThePlatformReturnsThem) {
  const std::string longValue(3000, 'x');
  const std::string kana = "\x82\xA0";  // one double-byte character
  const struct {
    std::string stored;
    std::string read;
  } cases[] = {
      {"  a b  ", "a b"},
      {"\"  quoted  \"", "  quoted  "},
      {"'single'", "single"},
      {"\"mixed'", "\"mixed'"},
      {"\"", "\""},
      {"\"\"", ""},
      {"\"a\"b\"", "a\"b"},
      {longValue, std::string(2047, 'x')},
      {"\"" + longValue + "\"", std::string(2047, 'x')},
      {std::string(2046, 'x') + kana, std::string(2046, 'x')},
      {std::string(2045, 'x') + kana, std::string(2045, 'x') + kana},
  };
  for (const auto& c : cases) EXPECT_EQ(DecodeIniValue(c.stored), c.read) << c.stored.substr(0, 20);
}

TEST(IniEncodingTest, AValueWithBlanksOrQuotesAtItsEndsReadsBackAsWritten) {
  // Found by fuzzing: a font name read from quotes with a blank inside was written bare, and
  // the next read dropped the blank.
  const struct {
    std::string value;
    std::string stored;
  } cases[] = {
      {"MS UI Gothic", "MS UI Gothic"},
      {" lead", "\" lead\""},
      {"trail\t", "\"trail\t\""},
      {"'x'", "\"'x'\""},
      {"\"x\"", "\"\"x\"\""},
      {"\"x'", "\"x'"},
      {"\"", "\""},
      {"", ""},
      {"/ - /", "/ - /"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EncodeIniValue(c.value), c.stored) << c.value;
    EXPECT_EQ(DecodeIniValue(c.stored), c.value) << c.value;
  }
}

TEST(IniEncodingTest, IntegersAreDecimalTextOrTheFallback) {
  const struct {
    const char* text;
    int32_t value;
  } cases[] = {
      {"0", 0},
      {"275", 275},
      {"-500", -500},
      {"+7", 7},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"2147483648", -1},
      {"99999999999999999999", -1},
      {"", -1},
      {"-", -1},
      {"12a", -1},
      {"0x10", -1},
      {"1 2", -1},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseIniInteger(c.text, -1), c.value) << c.text;
}

class IniFileTest : public ::testing::Test {
 protected:
  MemoryFiles files;
  MemoryReplacer replacer{files};
  IniFile ini{files, replacer, kPath};
};

TEST_F(IniFileTest, TypedValuesReadBackAsWritten) {
  ini.WriteInteger("S", "Int", -123);
  ini.WriteBool("S", "True", true);
  ini.WriteBool("S", "False", false);
  ini.WriteChar("S", "Char", ',');
  ini.WriteWrapped("S", "Dash", " - ");
  ini.WriteWrapped("S", "Empty", "");
  ini.WriteString("S", "One", "x");
  EXPECT_EQ(
      FileText(files, kPath),
      "[S]\r\nInt=-123\r\nTrue=1\r\nFalse=0\r\nChar=,\r\nDash=/ - /\r\nEmpty=//\r\nOne=x\r\n");
  EXPECT_EQ(ini.ReadInteger("S", "Int", 0), -123);
  EXPECT_TRUE(ini.ReadBool("S", "True", false));
  EXPECT_FALSE(ini.ReadBool("S", "False", true));
  EXPECT_EQ(ini.ReadChar("S", "Char", '?'), ',');
  EXPECT_EQ(ini.ReadWrapped("S", "Dash"), " - ");
  EXPECT_EQ(ini.ReadWrapped("S", "Empty"), "");
  EXPECT_EQ(ini.ReadWrapped("S", "One"), "");
}

TEST_F(IniFileTest, MissingOrUnusableValuesGiveTheFallback) {
  PutFile(files, kPath, "[S]\r\nText=abc\r\nBlank=\r\nNum= 2 \r\n");
  EXPECT_EQ(ini.ReadInteger("S", "Text", 7), 7);
  EXPECT_EQ(ini.ReadInteger("S", "Missing", 7), 7);
  EXPECT_EQ(ini.ReadInteger("S", "Num", 7), 2);
  EXPECT_TRUE(ini.ReadBool("S", "Text", true));
  EXPECT_EQ(ini.ReadChar("S", "Blank", 'A'), 'A');
  EXPECT_EQ(ini.ReadChar("S", "Text", 'A'), 'a');
  EXPECT_EQ(ini.ReadString("S", "Blank", "fallback"), "");
  EXPECT_EQ(ini.ReadString("T", "Text", "fallback"), "fallback");
}

TEST_F(IniFileTest, NoFileReadsFallbacksAndTheFirstWriteCreatesIt) {
  EXPECT_EQ(ini.ReadString("S", "K", "d"), "d");
  EXPECT_TRUE(ini.EraseSection("S"));
  EXPECT_EQ(files.Find(kPath), nullptr);
  EXPECT_TRUE(ini.WriteInteger("S", "K", 1));
  EXPECT_EQ(FileText(files, kPath), "[S]\r\nK=1\r\n");
}

TEST_F(IniFileTest, EachWriteOutsideABatchReplacesTheFileAtOnce) {
  ini.WriteInteger("S", "A", 1);
  ini.WriteInteger("S", "B", 2);
  EXPECT_EQ(replacer.Replaces, 2);
  ini.WriteInteger("S", "A", 1);
  EXPECT_EQ(replacer.Replaces, 2) << "an unchanged value leaves the file alone";
}

TEST_F(IniFileTest, ABatchReplacesTheFileOnceAtCommit) {
  PutFile(files, kPath, "; mine\r\n[Other]\r\nKeep=me\r\n");
  ini.BeginBatch();
  ini.WriteInteger("S", "A", 1);
  ini.WriteInteger("S", "B", 2);
  ini.EraseSection("Other");
  EXPECT_EQ(ini.ReadInteger("S", "B", 0), 2) << "reads in a batch see its writes";
  EXPECT_EQ(FileText(files, kPath), "; mine\r\n[Other]\r\nKeep=me\r\n");
  EXPECT_EQ(replacer.Replaces, 0);
  EXPECT_TRUE(ini.Commit());
  EXPECT_EQ(replacer.Replaces, 1);
  EXPECT_EQ(FileText(files, kPath), "; mine\r\n[S]\r\nA=1\r\nB=2\r\n");
}

TEST_F(IniFileTest, AFailedReplaceLeavesTheOldFile) {
  const std::string old = "[S]\r\nA=1\r\n";
  PutFile(files, kPath, old);
  replacer.Fail = true;
  EXPECT_FALSE(ini.WriteInteger("S", "A", 2));
  EXPECT_EQ(FileText(files, kPath), old);
  ini.BeginBatch();
  ini.WriteInteger("S", "A", 3);
  ini.WriteInteger("S", "B", 4);
  EXPECT_FALSE(ini.Commit());
  EXPECT_EQ(FileText(files, kPath), old);
  EXPECT_EQ(ini.ReadInteger("S", "A", 0), 1);
}

TEST_F(IniFileTest, AFileTooLargeToReadIsNeverOverwritten) {
  const std::string huge = "[S]\r\nA=1\r\n" + std::string(kMaxIniFileBytes, ';');
  PutFile(files, kPath, huge);
  EXPECT_EQ(ini.ReadInteger("S", "A", 9), 9);
  EXPECT_FALSE(ini.WriteInteger("S", "A", 2));
  ini.BeginBatch();
  EXPECT_FALSE(ini.WriteInteger("S", "A", 2));
  EXPECT_FALSE(ini.Commit());
  EXPECT_EQ(replacer.Replaces, 0);
  EXPECT_EQ(FileText(files, kPath).size(), huge.size());
}

// A file whose read stops before its end, as on a read error.
class ShortReadFiles : public IFiles {
 public:
  std::unique_ptr<IFile> OpenRead(const std::string&) override {
    class ShortFile : public IFile {
     public:
      size_t Read(void* dst, size_t count) override {
        size_t n = std::min(count, text_.size() - position_);
        std::memcpy(dst, text_.data() + position_, n);
        position_ += n;
        return n;
      }
      size_t Write(const void*, size_t) override { return 0; }
      bool Seek(int64_t) override { return false; }
      int64_t Position() const override { return static_cast<int64_t>(position_); }
      int64_t Size() const override { return 1000; }

     private:
      std::string text_ = "[S]\r\nA=1\r\n";
      size_t position_ = 0;
    };
    return std::make_unique<ShortFile>();
  }
  std::unique_ptr<IFile> Create(const std::string&) override { return nullptr; }
  bool FileExists(const std::string&) override { return true; }
  bool FolderExists(const std::string&) override { return false; }
  uint32_t LastError() const override { return 0; }
};

TEST(IniFileShortReadTest, APartlyReadFileIsNeitherBelievedNorOverwritten) {
  ShortReadFiles files;
  MemoryFiles elsewhere;
  MemoryReplacer replacer(elsewhere);
  IniFile ini(files, replacer, kPath);
  EXPECT_EQ(ini.ReadInteger("S", "A", 9), 9);
  EXPECT_FALSE(ini.WriteInteger("S", "B", 2));
  EXPECT_EQ(replacer.Replaces, 0);
}

}  // namespace
}  // namespace varimo
