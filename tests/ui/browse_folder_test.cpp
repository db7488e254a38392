// The folder chooser's rule for the chosen path.
#include "ui/browse_folder.h"

#include <gtest/gtest.h>

namespace tracklore::ui {
namespace {

TEST(ChosenFolderName, FolderLosesItsTrailingSeparator) {
    EXPECT_EQ(ChosenFolderName("/home/u/Music/"), "/home/u/Music");
    EXPECT_EQ(ChosenFolderName("/home/u/Music"), "/home/u/Music");
    EXPECT_EQ(ChosenFolderName("C:\\Music\\"), "C:\\Music");
    EXPECT_EQ(ChosenFolderName("/home/u/Music//"), "/home/u/Music");
}

TEST(ChosenFolderName, RootsKeepTheirSeparator) {
    EXPECT_EQ(ChosenFolderName("/"), "/");
    EXPECT_EQ(ChosenFolderName("//"), "/");
    EXPECT_EQ(ChosenFolderName("C:\\"), "C:\\");
    EXPECT_EQ(ChosenFolderName("d:\\"), "d:\\");
}

TEST(ChosenFolderName, OnlyALetterWithColonIsADriveRoot) {
    EXPECT_EQ(ChosenFolderName("1:\\"), "1:");
    EXPECT_EQ(ChosenFolderName("/x:\\"), "/x:");
    EXPECT_EQ(ChosenFolderName(""), "");
}

}  // namespace
}  // namespace tracklore::ui
