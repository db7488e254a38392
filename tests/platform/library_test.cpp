// Tests of loading shared libraries and binding their functions.
#include "platform/library.h"

#include <algorithm>
#include <filesystem>

#include <gtest/gtest.h>

#include "platform/program.h"
#include "plugin/plugin_contract.h"
#include "tests/support/env_guard.h"
#include "tests/support/fake_plugin_host.h"
#include "tests/support/table_tests.h"

namespace tracklore::platform {
namespace {

using test::TFakePluginHost;
using test::WriteFileBytes;

std::vector<std::string> Names(const std::vector<TPluginFile>& files) {
    return test::Column(files, &TPluginFile::FileName);
}

TEST(MatchesMask, IgnoresCaseAndMatchesRuns) {
    EXPECT_TRUE(MatchesMask("PL_Ondine.so", kPluginMask));
    EXPECT_TRUE(MatchesMask("pl_x.SO", kPluginMask));
    EXPECT_TRUE(MatchesMask("PL_.so", kPluginMask));
    EXPECT_TRUE(MatchesMask("PL_a.so.so", kPluginMask));
    EXPECT_FALSE(MatchesMask("PL_a.so.1", kPluginMask));
    EXPECT_FALSE(MatchesMask("libPL_a.so", kPluginMask));
    EXPECT_FALSE(MatchesMask("PL.so", kPluginMask));
    EXPECT_TRUE(MatchesMask("abc", "a?c"));
    EXPECT_FALSE(MatchesMask("ac", "a?c"));
}

TEST(Library, LoadsBindsAndUnloadsRunningTheLibrarysOwnRoutines) {
    TFakePluginHost host;
    const std::string path = host.Install();
    {
        TLibrary library;
        ASSERT_TRUE(library.Load(path)) << library.LastError();
        EXPECT_NE(library.Function<TGetPluginName>(kGetPluginNameName), nullptr);
        EXPECT_EQ(library.Symbol("NoSuchExport"), nullptr);
        EXPECT_EQ(host.Calls(), std::vector<std::string>{"load"});
    }
    EXPECT_EQ(host.Calls(), (std::vector<std::string>{"load", "unload"}));
}

TEST(Library, OwnSymbolIgnoresTheExportsOfTheLibrariesItNeeds) {
    TFakePluginHost host;
    TLibrary library;
    ASSERT_TRUE(library.Load(host.InstallWithoutStop("PL_NoStop.so"))) << library.LastError();
    EXPECT_NE(library.Symbol(kStopName), nullptr);  // the playing engine's
    EXPECT_EQ(library.OwnSymbol(kStopName), nullptr);
    EXPECT_EQ(library.Symbol(kPlayName), library.OwnSymbol(kPlayName));
    EXPECT_NE(library.OwnSymbol(kPlayName), nullptr);
}

TEST(Library, FailedLoadKeepsTheLoadersTextAndBindsNothing) {
    TFakePluginHost host;
    WriteFileBytes(host.Own() + "/PL_Broken.so", "not a library");
    TLibrary library;
    EXPECT_FALSE(library.Load(host.Own() + "/PL_Broken.so"));
    EXPECT_FALSE(library.LastError().empty());
    EXPECT_FALSE(library.IsLoaded());
    EXPECT_EQ(library.Symbol(kPlayName), nullptr);
}

TEST(Library, MovedLibraryUnloadsOnce) {
    TFakePluginHost host;
    const std::string path = host.Install();
    {
        TLibrary first;
        ASSERT_TRUE(first.Load(path));
        TLibrary second = std::move(first);
        EXPECT_FALSE(first.IsLoaded());  // NOLINT(bugprone-use-after-move)
        EXPECT_TRUE(second.IsLoaded());
    }
    EXPECT_EQ(host.Calls(), (std::vector<std::string>{"load", "unload"}));
}

TEST(ProgramPluginFolders, IsTheProgramsFolderNeverTheCurrentOne) {
    TFakePluginHost host;
    EXPECT_EQ(ProgramPluginFolders(), std::vector<std::string>{host.Own() + "/"});
}

TEST(ProgramPluginFolders, InstalledFolderBesideTheProgramsComesLast) {
    TFakePluginHost host;
    const test::TEnvGuard automatic("TRACKLORE_PLUGIN_DIR", std::nullopt);
    const std::vector<std::string> folders = ProgramPluginFolders();
    ASSERT_EQ(folders.size(), 2u);
    EXPECT_EQ(folders[0], ProgramFolder());
    const std::filesystem::path bin = std::filesystem::path(ProgramFolder()).parent_path();
    EXPECT_EQ(folders[1], (bin.parent_path() / "lib" / "tracklore").string() + "/");
}

TEST(ListPlugins, ProgramFoldersFirstThenTheCurrentFolderMarked) {
    TFakePluginHost host;
    const std::string current = host.Current();
    host.Install("PL_B.so", current);  // hidden by the program's own of that name
    host.Install("pl_a.SO", current);
    host.Install("PL_B.so");
    host.Install("PL_C.so");
    host.Install("libother.so", current);
    std::filesystem::create_directory(current + "/PL_folder.so");

    const std::vector<TPluginFile> files = ListPlugins();
    EXPECT_EQ(Names(files), (std::vector<std::string>{"PL_B.so", "PL_C.so", "pl_a.SO"}));
    EXPECT_EQ(files[1].Path, host.Own() + "/PL_C.so");
    EXPECT_FALSE(files[0].InCurrentFolder);
    EXPECT_TRUE(files[2].InCurrentFolder);
    EXPECT_EQ(std::filesystem::path(files[2].Path).parent_path(),
              std::filesystem::canonical(current));
}

TEST(ResolveLibrary, BareNameIsBoundFromTheProgramsPluginFoldersOnly) {
    TFakePluginHost host;
    host.Install("PL_Own.so");
    host.Install("PL_Here.so", host.Current());
    EXPECT_EQ(ResolveLibrary("PL_Own.so"), host.Own() + "/PL_Own.so");
    // A library left in the folder the program was started from is not run.
    EXPECT_EQ(ResolveLibrary("PL_Here.so"), "");
    EXPECT_EQ(ResolveLibrary("PL_Elsewhere.so"), "");
    EXPECT_EQ(ResolveLibrary("/x/PL_Own.so"), "/x/PL_Own.so");
}

TEST(ListPlugins, ListsTheDeliveredPluginBesideTheProgram) {
    const std::string delivered = ProgramFolder() + "PL_Ondine.so";
    if (!std::filesystem::exists(delivered)) GTEST_SKIP() << "PL_Ondine.so not built";
    std::vector<std::string> names;
    {
        const test::TEnvGuard automatic("TRACKLORE_PLUGIN_DIR", std::nullopt);
        names = Names(ListPlugins());
    }
    EXPECT_NE(std::find(names.begin(), names.end(), "PL_Ondine.so"), names.end());
}

}  // namespace
}  // namespace tracklore::platform
