// Tests of the registry store's text and of reading and writing the store.
#include "platform/registry.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "streams/stream_errors.h"
#include "tests/support/error_text.h"
#include "tests/support/temp_dir.h"

namespace tracklore::platform {
namespace {

using test::ReadFileBytes;
using test::TTempDir;
using test::WriteFileBytes;

constexpr char kKey[] = "Software\\Corvane\\Tracklore\\1.0";
constexpr char kFullKey[] = "HKEY_CURRENT_USER\\Software\\Corvane\\Tracklore\\1.0";

constexpr char kExample[] =
    "REGEDIT4\n"
    "\n"
    "[HKEY_CURRENT_USER\\Software\\Corvane\\Tracklore\\1.0]\n"
    "\"ListFontName\"=\"DejaVu Sans\"\n"
    "\"ListFontSize\"=dword:00000008\n"
    "\"ListFontStyle\"=hex:00\n"
    "\n";

const TRegValue& ValueOf(const TRegDocument& document, const char* key, const char* name) {
    static const TRegValue kNone{TRegDataType::Other, 0xDEAD, "missing", 0};
    const TRegKey* found = document.Find(key);
    const TRegValue* value = found ? found->Find(name) : nullptr;
    return value ? *value : kNone;
}

TRegValue Text(std::string data) {
    return {TRegDataType::String, 0, std::move(data), 0};
}
TRegValue Number(uint32_t number) {
    return {TRegDataType::DWord, 0, "", number};
}
TRegValue Bytes(std::string data) {
    return {TRegDataType::Binary, 0, std::move(data), 0};
}

TRegDocument ReadBack(const TRegDocument& document) {
    return ParseRegistryText(RegistryText(document));
}

TEST(RegistryText, ReadsTextsIntegersAndBytes) {
    const TRegDocument document = ParseRegistryText(kExample);
    EXPECT_EQ(ValueOf(document, kFullKey, "ListFontName"), Text("DejaVu Sans"));
    EXPECT_EQ(ValueOf(document, kFullKey, "ListFontSize"), Number(8));
    EXPECT_EQ(ValueOf(document, kFullKey, "ListFontStyle"), Bytes(std::string(1, '\0')));
}

TEST(RegistryText, WritesTheFormRegeditWrites) {
    TRegDocument document;
    TRegKey& values = document.Add(kFullKey);
    values.Add("ListFontName") = Text("DejaVu Sans");
    values.Add("ListFontSize") = Number(8);
    values.Add("ListFontStyle") = Bytes(std::string(1, '\0'));
    EXPECT_EQ(RegistryText(document), kExample);
}

TEST(RegistryText, EscapesBackslashesAndQuotesInNamesAndTexts) {
    TRegDocument document;
    document.Add("HKEY_CURRENT_USER\\A").Add("say \"hi\"\\") = Text("C:\\dir\\\"x\"");
    EXPECT_NE(RegistryText(document).find("\"say \\\"hi\\\"\\\\\"=\"C:\\\\dir\\\\\\\"x\\\"\"\n"),
              std::string::npos);
    EXPECT_EQ(ReadBack(document), document);
}

TEST(RegistryText, TextsWithLineBreaksAndNonAsciiComeBackWhole) {
    TRegDocument document;
    TRegKey& key = document.Add("HKEY_CURRENT_USER\\A");
    key.Add("Lines") = Text("first\nsecond\r\n\tend");
    key.Add("Music") = Text("/home/jürgen/Müsik 音楽");
    key.Add("Ends") = Text(std::string("nul\0", 4));
    EXPECT_EQ(ReadBack(document), document);
    EXPECT_NE(RegistryText(document).find("\"Music\"=\"/home/jürgen/Müsik 音楽\""),
              std::string::npos);
}

TEST(RegistryText, LongByteListsWrapAndReadBack) {
    TRegDocument document;
    document.Add("HKEY_CURRENT_USER\\A").Add("Blob") = Bytes(std::string(300, '\xAB'));
    const std::string text = RegistryText(document);
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        EXPECT_LE(end - start, 80u);
    EXPECT_NE(text.find(",\\\n  ab,"), std::string::npos);
    EXPECT_EQ(ReadBack(document), document);
}

TEST(RegistryText, ReadsOtherTypesAndKeepsThem) {
    const TRegDocument document = ParseRegistryText(
        "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n"
        "\"Sz\"=hex(1):41,42,00\n"
        "\"Expand\"=hex(2):25,50,25,00\n"
        "\"Dword\"=hex(4):14,00,00,80\n"
        "\"None\"=hex(0):01,02\n"
        "@=\"default\"\n");
    EXPECT_EQ(ValueOf(document, "HKEY_CURRENT_USER\\A", "Sz"), Text("AB"));
    EXPECT_EQ(ValueOf(document, "HKEY_CURRENT_USER\\A", "Expand"),
              (TRegValue{TRegDataType::ExpandString, 0, "%P%", 0}));
    EXPECT_EQ(ValueOf(document, "HKEY_CURRENT_USER\\A", "Dword"), Number(0x80000014));
    EXPECT_EQ(ValueOf(document, "HKEY_CURRENT_USER\\A", "None"),
              (TRegValue{TRegDataType::Other, 0, "\x01\x02", 0}));
    EXPECT_EQ(ValueOf(document, "HKEY_CURRENT_USER\\A", ""), Text("default"));
    EXPECT_EQ(ReadBack(document), document);
}

TEST(RegistryText, FileWithoutHeaderIsEmpty) {
    EXPECT_EQ(ParseRegistryText("[HKEY_CURRENT_USER\\A]\n\"X\"=dword:1\n").Size(), 0u);
    EXPECT_EQ(ParseRegistryText(std::string("\0\xFF\x01REGEDIT4\n", 12)).Size(), 0u);
    EXPECT_EQ(ParseRegistryText("").Size(), 0u);
}

TEST(RegistryText, BrokenLinesAreSkippedAndTheRestLoads) {
    const TRegDocument document = ParseRegistryText(
        "\xEF\xBB\xBFREGEDIT4\r\n"
        "\"Orphan\"=dword:00000001\r\n"
        "[HKEY_CURRENT_USER\\A]\r\n"
        "\"Open\"=\"no closing quote\r\n"
        "\"BadByte\"=hex:01,zz,\\\r\n"
        "  02,03\r\n"
        "\"TooLong\"=dword:123456789\r\n"
        "\"NotHex\"=dword:12g4\r\n"
        "\"Escape\"=\"a\\qb\"\r\n"
        "junk line\r\n"
        "; a comment\r\n"
        "\"Good\"=dword:0000002a\r\n");
    const TRegKey* key = document.Find("HKEY_CURRENT_USER\\A");
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->Size(), 2u);
    EXPECT_EQ(ValueOf(document, "HKEY_CURRENT_USER\\A", "Escape"), Text("a\\qb"));
    EXPECT_EQ(ValueOf(document, "HKEY_CURRENT_USER\\A", "Good"), Number(42));
}

TEST(RegistryText, RemovalLinesDeleteValuesAndKeys) {
    const TRegDocument document = ParseRegistryText(
        "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"X\"=dword:1\n\"Y\"=dword:2\n\"X\"=-\n"
        "[HKEY_CURRENT_USER\\B]\n\"Z\"=dword:3\n[-HKEY_CURRENT_USER\\B]\n\"Lost\"=dword:4\n");
    ASSERT_NE(document.Find("HKEY_CURRENT_USER\\A"), nullptr);
    EXPECT_EQ(document.Find("HKEY_CURRENT_USER\\A")->Find("X"), nullptr);
    EXPECT_EQ(ValueOf(document, "HKEY_CURRENT_USER\\A", "Y"), Number(2));
    EXPECT_EQ(document.Find("HKEY_CURRENT_USER\\B"), nullptr);
    EXPECT_EQ(document.Size(), 1u);
}

TEST(RegistryText, NamesAndKeysCompareWithoutCaseAndRepeatedKeysMerge) {
    const TRegDocument document = ParseRegistryText(
        "REGEDIT4\n[HKEY_CURRENT_USER\\Soft]\n\"Size\"=dword:1\n"
        "[hkey_current_user\\SOFT\\]\n\"SIZE\"=dword:2\n\"Other\"=\"x\"\n");
    ASSERT_EQ(document.Size(), 1u);
    EXPECT_EQ(document.Items()[0].first, "HKEY_CURRENT_USER\\Soft");
    const TRegKey& key = *document.Find("HKEY_current_USER\\soft");
    ASSERT_EQ(key.Size(), 2u);
    EXPECT_EQ(key.Items()[0].first, "Size");
    EXPECT_EQ(*key.Find("size"), Number(2));
}

class RegistryStore : public testing::Test {
protected:
    TTempDir dir_;
    std::string file_ = dir_.Path("Corvane/Tracklore.reg");
};

TEST_F(RegistryStore, OpeningWithoutCreatingFailsForMissingFileOrKey) {
    TRegistry registry(file_);
    EXPECT_FALSE(registry.OpenKey(kKey, false));
    EXPECT_FALSE(registry.HasOpenKey());
    EXPECT_FALSE(std::filesystem::exists(dir_.Path("Corvane")));

    WriteFileBytes(dir_.Path("other.reg"), "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Else]\n");
    TRegistry other(dir_.Path("other.reg"));
    EXPECT_FALSE(other.OpenKey(kKey, false));
    int32_t number = 0;
    EXPECT_EQ(other.ReadInteger("ListFontSize", number), TRegResult::Missing);
}

TEST_F(RegistryStore, CreatingMakesFolderFileAndKey) {
    TRegistry registry(file_);
    ASSERT_TRUE(registry.OpenKey(kKey, true)) << registry.LastError();
    EXPECT_EQ(ReadFileBytes(file_), std::string("REGEDIT4\n\n[") + kFullKey + "]\n\n");
    struct stat folder;
    ASSERT_EQ(stat(dir_.Path("Corvane").c_str(), &folder), 0);
    EXPECT_EQ(folder.st_mode & 0777, 0700u);
    EXPECT_TRUE(TRegistry(file_).OpenKey("\\" + std::string(kKey) + "\\", false));
}

TEST_F(RegistryStore, WrittenValuesFormTheFileAndReadBack) {
    TRegistry registry(file_);
    ASSERT_TRUE(registry.OpenKey(kKey, true));
    registry.WriteString("ListFontName", "DejaVu Sans");
    registry.WriteInteger("ListFontSize", 8);
    registry.WriteBinary("ListFontStyle", std::string(1, '\0'));
    EXPECT_EQ(ReadFileBytes(file_), kExample);

    TRegistry reader(file_);
    ASSERT_TRUE(reader.OpenKey(kKey, false));
    std::string text;
    int32_t number = 0;
    EXPECT_EQ(reader.ReadString("ListFontName", text), TRegResult::Ok);
    EXPECT_EQ(text, "DejaVu Sans");
    EXPECT_EQ(reader.ReadInteger("listfontsize", number), TRegResult::Ok);
    EXPECT_EQ(number, 8);
}

TEST_F(RegistryStore, ReadsTellMissingFromWrongTypeFromTooLarge) {
    TRegistry registry(file_);
    ASSERT_TRUE(registry.OpenKey(kKey, true));
    registry.WriteString("Text", "x");
    registry.WriteInteger("Number", -20);
    registry.WriteBinary("Pair", "\x01\x02");
    std::string text = "unchanged";
    std::string bytes;
    int32_t number = 0;
    EXPECT_EQ(registry.ReadString("Nothing", text), TRegResult::Missing);
    EXPECT_EQ(text, "unchanged");
    EXPECT_EQ(registry.ReadString("Number", text), TRegResult::WrongType);
    EXPECT_EQ(registry.ReadString("Pair", text), TRegResult::WrongType);
    EXPECT_EQ(registry.ReadInteger("Nothing", number), TRegResult::Missing);
    EXPECT_EQ(registry.ReadInteger("Text", number), TRegResult::WrongType);
    EXPECT_EQ(registry.ReadInteger("Pair", number), TRegResult::WrongType);
    EXPECT_EQ(registry.ReadInteger("Number", number), TRegResult::Ok);
    EXPECT_EQ(number, -20);
    EXPECT_EQ(registry.ReadBinary("Number", bytes, 4), TRegResult::WrongType);
    EXPECT_EQ(registry.ReadBinary("Pair", bytes, 1), TRegResult::TooLarge);
    EXPECT_EQ(registry.ReadBinary("Pair", bytes, 2), TRegResult::Ok);
    EXPECT_EQ(bytes, "\x01\x02");
    registry.CloseKey();
    EXPECT_EQ(registry.ReadString("Text", text), TRegResult::Missing);
}

TEST_F(RegistryStore, WritesKeepValuesOtherOwnersWroteMeanwhile) {
    TRegistry prefs(file_);
    TRegistry player(file_);
    ASSERT_TRUE(prefs.OpenKey(kKey, true));
    ASSERT_TRUE(player.OpenKey(kKey, true));
    player.WriteString("PluginPlayer", "PL_Ondine.so");
    prefs.WriteInteger("Xpos", 20);
    TRegistry other(file_);
    ASSERT_TRUE(other.OpenKey("Software\\Else", true));
    other.WriteInteger("Kept", 1);
    prefs.WriteInteger("Ypos", 30);

    const TRegDocument document = LoadRegistryFile(file_, true);
    EXPECT_EQ(ValueOf(document, kFullKey, "PluginPlayer"), Text("PL_Ondine.so"));
    EXPECT_EQ(ValueOf(document, kFullKey, "Ypos"), Number(30));
    EXPECT_EQ(ValueOf(document, "HKEY_CURRENT_USER\\Software\\Else", "Kept"), Number(1));
}

TEST_F(RegistryStore, WritingWithoutOpenKeyRaises) {
    TRegistry registry(file_);
    EXPECT_THROW(registry.WriteInteger("X", 1), EInOutError);
    EXPECT_FALSE(std::filesystem::exists(file_));
}

TEST_F(RegistryStore, FileThatCannotBeReadIsNeverOverwritten) {
    // A folder in the file's place cannot be read; the write must not replace it.
    std::filesystem::create_directories(file_);
    TRegistry registry(file_);
    EXPECT_FALSE(registry.OpenKey(kKey, true));
    EXPECT_NE(registry.LastError().find("Tracklore.reg"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_directory(file_));
}

TEST_F(RegistryStore, FileFarLargerThanAStoreIsNeitherReadNorOverwritten) {
    std::filesystem::create_directories(dir_.Path("Corvane"));
    std::string text = std::string("REGEDIT4\n[") + kFullKey + "]\n\"Xpos\"=dword:00000005\n";
    const std::string fits = text + std::string((1 << 20) - text.size(), ';');
    WriteFileBytes(file_, fits);
    TRegistry registry(file_);
    ASSERT_TRUE(registry.OpenKey(kKey, false));
    int32_t number = 0;
    EXPECT_EQ(registry.ReadInteger("Xpos", number), TRegResult::Ok);

    const std::string huge = fits + ';';
    WriteFileBytes(file_, huge);
    EXPECT_FALSE(registry.OpenKey(kKey, false));
    EXPECT_FALSE(registry.OpenKey(kKey, true));
    EXPECT_NE(registry.LastError().find("Tracklore.reg"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(file_), huge);
}

// Bytes are stored as three characters each: 400 KiB of them would make a file the reader
// refuses, and from then on nothing could be read or saved.
TEST_F(RegistryStore, WriteThatCouldNotBeReadBackIsRefusedAndFileKept) {
    TRegistry registry(file_);
    ASSERT_TRUE(registry.OpenKey(kKey, true));
    registry.WriteInteger("Xpos", 1);
    const std::string before = ReadFileBytes(file_);
    const std::string error = test::ErrorOf<EInOutError>(
        [&] { registry.WriteBinary("Big", std::string(400 << 10, 'x')); });
    EXPECT_NE(error.find("more than the 1048576 a settings file may hold"), std::string::npos)
        << error;
    EXPECT_EQ(ReadFileBytes(file_), before);
    registry.WriteBinary("Fits", std::string(300 << 10, 'x'));
    TRegistry reader(file_);
    ASSERT_TRUE(reader.OpenKey(kKey, false)) << reader.LastError();
    std::string bytes;
    EXPECT_EQ(reader.ReadBinary("Fits", bytes, 300 << 10), TRegResult::Ok);
}

TEST_F(RegistryStore, FailedWriteLeavesThePreviousFile) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes every file";
    TRegistry registry(file_);
    ASSERT_TRUE(registry.OpenKey(kKey, true));
    registry.WriteInteger("Xpos", 1);
    const std::string before = ReadFileBytes(file_);
    chmod(file_.c_str(), 0400);
    EXPECT_THROW(registry.WriteInteger("Xpos", 2), EInOutError);
    EXPECT_EQ(ReadFileBytes(file_), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.Path("Corvane")),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(RegistryStore, PipeInTheFilesPlaceDoesNotHang) {
    std::filesystem::create_directories(dir_.Path("Corvane"));
    ASSERT_EQ(mkfifo(file_.c_str(), 0600), 0);
    TRegistry registry(file_);
    EXPECT_FALSE(registry.OpenKey(kKey, false));
    EXPECT_FALSE(registry.OpenKey(kKey, true));
}

TEST_F(RegistryStore, FileWithoutHeaderReadsAsEmptyAndIsNeverReplaced) {
    // The store's name may point at someone else's file: reading it finds nothing, and
    // writing refuses to replace it rather than destroy it.
    std::filesystem::create_directories(dir_.Path("Corvane"));
    const std::string foreign("\x00\x01garbage\n[HKEY_CURRENT_USER\\X]", 30);
    WriteFileBytes(file_, foreign);
    TRegistry registry(file_);
    EXPECT_FALSE(registry.OpenKey(kKey, false));
    EXPECT_FALSE(registry.OpenKey(kKey, true));
    EXPECT_NE(registry.LastError().find("not a REGEDIT4 registry file"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(file_), foreign);
}

TEST_F(RegistryStore, BlankFileIsTakenAsAnEmptyStore) {
    std::filesystem::create_directories(dir_.Path("Corvane"));
    WriteFileBytes(file_, "\n  \r\n");
    TRegistry registry(file_);
    ASSERT_TRUE(registry.OpenKey(kKey, true));
    registry.WriteInteger("Xpos", 5);
    int32_t number = 0;
    TRegistry reader(file_);
    ASSERT_TRUE(reader.OpenKey(kKey, false));
    EXPECT_EQ(reader.ReadInteger("Xpos", number), TRegResult::Ok);
    EXPECT_EQ(number, 5);
}

}  // namespace
}  // namespace tracklore::platform
