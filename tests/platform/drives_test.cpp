// Tests of the drive table, drive types and volume labels.
#include "platform/drives.h"

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/text_encoding.h"
#include "platform/file_info.h"
#include "tests/support/env_guard.h"
#include "tests/support/table_tests.h"
#include "tests/support/temp_dir.h"

namespace tracklore::platform {
namespace {

using test::TTempDir;

constexpr char kVariable[] = "TRACKLORE_DRIVES";

// Sets TRACKLORE_DRIVES (or removes it) for one test and puts the old value back.
class TDrivesVariable : public test::TEnvGuard {
public:
    explicit TDrivesVariable(const std::optional<std::string>& value)
        : TEnvGuard(kVariable, value) {}
};

DriveEntry Entry(char letter, const std::string& root) {
    DriveEntry entry;
    entry.Letter = letter;
    entry.Root = root;
    return entry;
}

// The letters of a table in its order, and its roots.
std::string Letters(const std::vector<DriveEntry>& table) {
    std::string letters;
    for (const DriveEntry& entry : table)
        letters += entry.Letter;
    return letters;
}
std::vector<std::string> Roots(const std::vector<DriveEntry>& table) {
    return test::Column(table, &DriveEntry::Root);
}

// --- parsing ------------------------------------------------------------------------------

TEST(ParseDriveTable, ReadsLetterRootAndLabelWithSpaces) {
    const auto table = ParseDriveTable("d=/media/cd|MUSIC 01");
    ASSERT_EQ(table.size(), 1u);
    EXPECT_EQ(table[0].Letter, 'd');
    EXPECT_EQ(table[0].Root, "/media/cd");
    EXPECT_EQ(table[0].Label, "MUSIC 01");
}

TEST(ParseDriveTable, LabelIsTakenExactlyAndMayBeEmpty) {
    const auto table = ParseDriveTable("d=/a| My Disk |x;e=/b|");
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[0].Label, " My Disk |x");
    EXPECT_EQ(table[1].Label, "");
}

TEST(ParseDriveTable, EntryWithoutBarHasNoLabel) {
    const auto table = ParseDriveTable("d=/a");
    ASSERT_EQ(table.size(), 1u);
    EXPECT_FALSE(table[0].Label.has_value());
}

TEST(ParseDriveTable, AcceptsLettersInEitherCase) {
    EXPECT_EQ(Letters(ParseDriveTable("D=/a;e=/b;Z=/c")), "dez");
}

TEST(ParseDriveTable, SkipsMalformedEntries) {
    const auto table =
        ParseDriveTable(";;nothing;=/a;dd=/a;1=/a;\xE9=/a;g=;h=|LABEL;i=  ;k=/good;;");
    ASSERT_EQ(table.size(), 1u);
    EXPECT_EQ(table[0].Letter, 'k');
    EXPECT_EQ(table[0].Root, "/good");
}

TEST(ParseDriveTable, EmptyTextGivesEmptyTable) {
    EXPECT_TRUE(ParseDriveTable("").empty());
}

TEST(ParseDriveTable, LaterEntryForSameLetterReplacesEarlier) {
    const auto table = ParseDriveTable("d=/first|ONE;e=/e;D=/second");
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[0].Root, "/second");
    EXPECT_FALSE(table[0].Label.has_value());
}

TEST(ParseDriveTable, SortsByLetter) {
    EXPECT_EQ(Letters(ParseDriveTable("x=/x;c=/;m=/m")), "cmx");
}

TEST(ParseDriveTable, IgnoresBlanksAroundLetterAndFolder) {
    const auto table = ParseDriveTable(" d = /media/x ; e=\t/y |Y");
    ASSERT_EQ(Roots(table), (std::vector<std::string>{"/media/x", "/y"}));
    EXPECT_EQ(table[1].Label, "Y");
}

TEST(ParseDriveTable, NormalisesRoots) {
    const auto table = ParseDriveTable("c=/;d=/a/./b/../c/;e=//a//b//;f=/..;g=/a/../..;h=/.");
    EXPECT_EQ(Roots(table), (std::vector<std::string>{"/", "/a/c", "/a/b", "/", "/", "/"}));
}

TEST(ParseDriveTable, MakesRelativeRootsAbsolute) {
    const std::string current = CurrentFolder();
    ASSERT_FALSE(current.empty());
    const auto table = ParseDriveTable("d=music/./x;e=.");
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[0].Root, (current == "/" ? "" : current) + "/music/x");
    EXPECT_EQ(table[1].Root, current);
}

TEST(ParseDriveTable, KeepsSymbolicLinksAsNamed) {
    TTempDir dir;
    std::filesystem::create_directory(dir.Path("real"));
    std::filesystem::create_directory_symlink(dir.Path("real"), dir.Path("link"));
    const auto table = ParseDriveTable("d=" + dir.Path("link") + "/");
    ASSERT_EQ(table.size(), 1u);
    EXPECT_EQ(table[0].Root, dir.Path("link"));
}

// --- splitting paths ----------------------------------------------------------------------

// Where a path lands in `table`: its letter, a colon and the path below the root, or "-"
// when no root holds it.
std::string Landing(const std::string& path, const std::vector<DriveEntry>& table) {
    const auto split = SplitDrivePath(path, table);
    return split ? split->Letter + (":" + split->Filename) : "-";
}

// The root folder as c and a CD drive below it as d.
std::vector<DriveEntry> RootAndCd() {
    return {Entry('c', "/"), Entry('d', "/media/cd")};
}

TEST(SplitDrivePath, LongestHoldingRootWins) {
    EXPECT_EQ(Landing("/media/cd/Albums/a.mp3", RootAndCd()), "d:/Albums/a.mp3");
}

TEST(SplitDrivePath, RootMustBeAWholeFolderPrefix) {
    EXPECT_EQ(Landing("/media/cdrom/a.mp3", RootAndCd()), "c:/media/cdrom/a.mp3");
}

TEST(SplitDrivePath, RootItselfGivesSlash) {
    EXPECT_EQ(Landing("/media/cd", RootAndCd()), "d:/");
    EXPECT_EQ(Landing("/", RootAndCd()), "c:/");
}

TEST(SplitDrivePath, EqualRootsGoToLowestLetter) {
    const std::vector<DriveEntry> table = {Entry('f', "/m"), Entry('e', "/m"), Entry('c', "/")};
    EXPECT_EQ(SplitDrivePath("/m/a.mp3", table)->Letter, 'e');
}

TEST(SplitDrivePath, NothingWhenNoRootHoldsThePath) {
    const std::vector<DriveEntry> table = {Entry('d', "/media/cd")};
    EXPECT_FALSE(SplitDrivePath("/home/a.mp3", table));
    EXPECT_FALSE(SplitDrivePath("", table));
    EXPECT_FALSE(SplitDrivePath("media/cd/a.mp3", {Entry('c', "/")}));
}

// --- a table given in the environment -----------------------------------------------------

TEST(NamedDriveTable, GivenLabelIsTheVolumeLabel) {
    TTempDir dir;
    TDrivesVariable drives("d=" + dir.Root() + "|MUSIC 01");
    EXPECT_EQ(VolumeLabelOf('d'), "MUSIC 01");
    EXPECT_EQ(VolumeLabelOf('D'), "MUSIC 01");
    ASSERT_TRUE(FindDrive('D'));
    EXPECT_EQ(FindDrive('D')->Root, dir.Root());
}

TEST(NamedDriveTable, EmptyGivenLabelIsEmpty) {
    TTempDir dir;
    TDrivesVariable drives("d=" + dir.Root() + "|");
    EXPECT_EQ(VolumeLabelOf('d'), "");
    EXPECT_EQ(FindDrive('d')->Label, "");
}

TEST(NamedDriveTable, MissingFolderIsRemovableDriveWithoutMedium) {
    TTempDir dir;
    TDrivesVariable drives("e=" + dir.Path("absent") + "|CDROM 7");
    EXPECT_EQ(GetDriveType('e'), DriveType::kRemovable);
    EXPECT_EQ(VolumeLabelOf('e'), "");
}

TEST(NamedDriveTable, FileInPlaceOfFolderIsDriveWithoutMedium) {
    TTempDir dir;
    test::WriteFileBytes(dir.Path("file"), "x");
    TDrivesVariable drives("e=" + dir.Path("file") + "|X");
    EXPECT_EQ(GetDriveType('e'), DriveType::kRemovable);
    EXPECT_EQ(VolumeLabelOf('e'), "");
}

TEST(NamedDriveTable, MediumInsertedLaterIsSeen) {
    TTempDir dir;
    TDrivesVariable drives("e=" + dir.Path("cd") + "|DISC");
    EXPECT_EQ(VolumeLabelOf('e'), "");
    std::filesystem::create_directory(dir.Path("cd"));
    EXPECT_EQ(VolumeLabelOf('e'), "DISC");
    EXPECT_NE(GetDriveType('e'), DriveType::kRemovable);
}

TEST(NamedDriveTable, LetterNotInTableHasNoRootAndNoLabel) {
    TTempDir dir;
    TDrivesVariable drives("d=" + dir.Root() + "|D");
    EXPECT_EQ(GetDriveType('c'), DriveType::kNoRootDir);
    EXPECT_EQ(VolumeLabelOf('c'), "");
    EXPECT_FALSE(FindDrive('c'));
    EXPECT_EQ(GetDriveType('1'), DriveType::kNoRootDir);
    EXPECT_FALSE(FindDrive('%'));
}

TEST(NamedDriveTable, EmptyVariableMeansNoDrivesAtAll) {
    TDrivesVariable drives(std::string{});
    EXPECT_TRUE(DriveTable().empty());
    EXPECT_EQ(GetDriveType('c'), DriveType::kNoRootDir);
    EXPECT_FALSE(SplitDrivePath("/a.mp3"));
}

TEST(NamedDriveTable, EntryWithoutLabelTakesTypeAndLabelOfItsFileSystem) {
    std::optional<DriveEntry> automaticC;
    {
        TDrivesVariable automatic(std::nullopt);
        automaticC = FindDrive('c');
    }
    ASSERT_TRUE(automaticC);
    TDrivesVariable drives("x=/");
    const auto x = FindDrive('x');
    ASSERT_TRUE(x);
    EXPECT_EQ(x->Type, automaticC->Type);
    EXPECT_EQ(x->Label, automaticC->Label);
}

TEST(NamedDriveTable, TableListsEntriesWithTheirLabels) {
    TTempDir dir;
    std::filesystem::create_directory(dir.Path("a"));
    TDrivesVariable drives("q=" + dir.Path("a") + "|A;p=" + dir.Path("gone") + "|B");
    const auto table = DriveTable();
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[0].Letter, 'p');
    EXPECT_EQ(table[0].Label, "");
    EXPECT_EQ(table[0].Type, DriveType::kRemovable);
    EXPECT_EQ(table[1].Letter, 'q');
    EXPECT_EQ(table[1].Label, "A");
}

TEST(NamedDriveTable, LongLabelIsCutAtACharacterBoundary) {
    TTempDir dir;
    std::string label;
    for (int i = 0; i < 40; ++i)
        label += "\xC3\xA9";  // 80 bytes of e-acute
    TDrivesVariable drives("d=" + dir.Root() + "|" + label);
    const std::string seen = VolumeLabelOf('d');
    EXPECT_LE(seen.size(), kMaxVolumeLabelBytes);
    EXPECT_GE(seen.size(), kMaxVolumeLabelBytes - 1);
    EXPECT_TRUE(IsValidUtf8(seen));
    EXPECT_EQ(seen, label.substr(0, seen.size()));
}

TEST(NamedDriveTable, SplitUsesTheNamedRoots) {
    TTempDir dir;
    TDrivesVariable drives("c=/;m=" + dir.Root() + "|M");
    const auto split = SplitDrivePath(dir.Path("x/a.mp3"));
    ASSERT_TRUE(split);
    EXPECT_EQ(split->Letter, 'm');
    EXPECT_EQ(split->Filename, "/x/a.mp3");
}

// --- the automatic table on this machine --------------------------------------------------

TEST(AutomaticDriveTable, DriveCIsTheRootFolder) {
    TDrivesVariable automatic(std::nullopt);
    const auto table = DriveTable();
    ASSERT_FALSE(table.empty());
    EXPECT_EQ(table[0].Letter, 'c');
    EXPECT_EQ(table[0].Root, "/");
    EXPECT_TRUE(table[0].Label.has_value());
    EXPECT_GE(static_cast<int>(GetDriveType('c')), static_cast<int>(DriveType::kRemovable));
}

TEST(AutomaticDriveTable, LettersFollowEachOtherWithDistinctRoots) {
    TDrivesVariable automatic(std::nullopt);
    const auto table = DriveTable();
    for (size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(table[i].Letter, static_cast<char>('c' + i));
        ASSERT_FALSE(table[i].Root.empty());
        EXPECT_EQ(table[i].Root[0], '/');
        for (const char* system : {"/proc", "/sys", "/dev"}) {
            EXPECT_NE(table[i].Root.rfind(system, 0), 0u) << table[i].Root;
        }
        for (size_t j = 0; j < i; ++j)
            EXPECT_NE(table[i].Root, table[j].Root);
    }
}

TEST(AutomaticDriveTable, LookupsAgreeWithTheTable) {
    TDrivesVariable automatic(std::nullopt);
    for (const DriveEntry& entry : DriveTable()) {
        EXPECT_EQ(GetDriveType(entry.Letter), entry.Type) << entry.Letter;
        EXPECT_EQ(VolumeLabelOf(entry.Letter), entry.Label.value_or("")) << entry.Letter;
    }
}

TEST(AutomaticDriveTable, SplitsAFileBelowTheTemporaryFolder) {
    TDrivesVariable automatic(std::nullopt);
    TTempDir dir;
    const auto split = SplitDrivePath(dir.Path("a.mp3"));
    ASSERT_TRUE(split);
    const auto drive = FindDrive(split->Letter);
    ASSERT_TRUE(drive);
    const std::string prefix = drive->Root == "/" ? "" : drive->Root;
    EXPECT_EQ(prefix + split->Filename, dir.Path("a.mp3"));
}

}  // namespace
}  // namespace tracklore::platform
