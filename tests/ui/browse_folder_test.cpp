// The folder chooser's rule for the chosen path.
#include "ui/browse_folder.h"

#include <string>
#include <utility>

#include <gtest/gtest.h>

namespace tracklore::ui {
namespace {

// A path the dialog gives, and the folder name kept from it.
using Chosen = std::pair<std::string, std::string>;

class ChosenFolderNameOf : public testing::TestWithParam<Chosen> {};

TEST_P(ChosenFolderNameOf, Path) {
    EXPECT_EQ(ChosenFolderName(GetParam().first), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(FolderLosesItsTrailingSeparator, ChosenFolderNameOf,
                         testing::Values(Chosen("/home/u/Music/", "/home/u/Music"),
                                         Chosen("/home/u/Music", "/home/u/Music"),
                                         Chosen("C:\\Music\\", "C:\\Music"),
                                         Chosen("/home/u/Music//", "/home/u/Music")));

INSTANTIATE_TEST_SUITE_P(RootsKeepTheirSeparator, ChosenFolderNameOf,
                         testing::Values(Chosen("/", "/"), Chosen("//", "/"),
                                         Chosen("C:\\", "C:\\"), Chosen("d:\\", "d:\\")));

INSTANTIATE_TEST_SUITE_P(OnlyALetterWithColonIsADriveRoot, ChosenFolderNameOf,
                         testing::Values(Chosen("1:\\", "1:"), Chosen("/x:\\", "/x:"),
                                         Chosen("", "")));

}  // namespace
}  // namespace tracklore::ui
