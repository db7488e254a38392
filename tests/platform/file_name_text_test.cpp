// Tests of file names that are not UTF-8, converted and mapped back.
#include "platform/file_name_text.h"

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/temp_dir.h"

namespace tracklore::platform {
namespace {

using test::TTempDir;

TEST(FileNameText, ConvertsEachPartThatIsNotUtf8FromWindows1252) {
    EXPECT_EQ(FileNameText("/Music/a.mp3"), "/Music/a.mp3");
    EXPECT_EQ(FileNameText("/Caf\xE9/caf\xC3\xA9/\x80\x81.mp3"),
              "/Caf\xC3\xA9/caf\xC3\xA9/\xE2\x82\xAC\xC2\x81.mp3");
    EXPECT_EQ(FileNameText("\xC3\xA9\xE9//"), "\xC3\x83\xC2\xA9\xC3\xA9//");
}

// Names of both kinds in a plain folder; each text a scan would make of a name must lead
// back to that name.
TEST(FileNameOnDisk, MapsConvertedPartsBackToTheBytesOnDisk) {
    TTempDir dir;
    const std::string names[] = {"/Caf\xE9/\xE9t\xE9.mp3", "/Caf\xE9/caf\xC3\xA9.mp3",
                                 "/\xC3\xA9/ni\xF1o \x80\x9D.mp3", "/\xC3\xA9/\xC3\x83\xC2\xA9",
                                 "/\xC3\xA9/\xC3\xA9"};
    for (const std::string& name : names) {
        std::filesystem::create_directories(std::filesystem::path(dir.Root() + name).parent_path());
        test::WriteFileBytes(dir.Root() + name, "x");
        if (!std::filesystem::exists(dir.Root() + name))
            GTEST_SKIP() << "the file system refuses names that are not UTF-8";
    }
    for (const std::string& name : names)
        EXPECT_EQ(FileNameOnDisk(FileNameText(dir.Root() + name)), dir.Root() + name);
    // Where both forms exist, the name as it stands wins; a missing file comes back unchanged.
    test::WriteFileBytes(dir.Root() + "/\xC3\xA9/\xE9", "x");
    EXPECT_EQ(FileNameOnDisk(dir.Root() + "/\xC3\xA9/\xC3\xA9"), dir.Root() + "/\xC3\xA9/\xC3\xA9");
    EXPECT_EQ(FileNameOnDisk(dir.Root() + "/Caf\xC3\xA9/none \xC3\xA9.mp3"),
              dir.Root() + "/Caf\xE9/none \xC3\xA9.mp3");
    EXPECT_EQ(FileNameOnDisk("/no such folder \xC3\xA9/x"), "/no such folder \xC3\xA9/x");
}

}  // namespace
}  // namespace tracklore::platform
