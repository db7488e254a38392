#include "platform/library.h"

#include <algorithm>
#include <filesystem>

#include <gtest/gtest.h>

#include "platform/program.h"
#include "plugin/plugin_contract.h"
#include "tests/support/fake_plugin_host.h"

namespace tracklore::platform {
namespace {

using test::TFakePluginHost;
using test::WriteFileBytes;

std::vector<std::string> Names(const std::vector<TPluginFile>& files) {
    std::vector<std::string> names;
    for (const TPluginFile& file : files)
        names.push_back(file.FileName);
    return names;
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

TEST(Library, FailedLoadKeepsTheLoadersTextAndBindsNothing) {
    TFakePluginHost host;
    WriteFileBytes(host.Current() + "/PL_Broken.so", "not a library");
    TLibrary library;
    EXPECT_FALSE(library.Load(host.Current() + "/PL_Broken.so"));
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

TEST(PluginFolders, CurrentFolderFirstThenTheProgramsOwn) {
    TFakePluginHost host;
    const std::vector<std::string> folders = PluginFolders();
    ASSERT_EQ(folders.size(), 2u);
    EXPECT_EQ(std::filesystem::path(folders[0]).parent_path(),
              std::filesystem::canonical(host.Current()));
    EXPECT_EQ(folders[1], host.Own() + "/");
}

TEST(PluginFolders, InstalledFolderBesideTheProgramsComesLast) {
    TFakePluginHost host;  // restores the variable it clears
    unsetenv("TRACKLORE_PLUGIN_DIR");
    const std::vector<std::string> folders = PluginFolders();
    ASSERT_EQ(folders.size(), 3u);
    EXPECT_EQ(folders[1], ProgramFolder());
    const std::filesystem::path bin = std::filesystem::path(ProgramFolder()).parent_path();
    EXPECT_EQ(folders[2], (bin.parent_path() / "lib" / "tracklore").string() + "/");
}

TEST(ListPlugins, FindsMatchingFilesOfBothFoldersOnceEach) {
    TFakePluginHost host;
    host.Install("PL_B.so");
    host.Install("pl_a.SO");
    host.Install("PL_B.so", host.Own());  // hidden by the current folder's
    host.Install("PL_C.so", host.Own());
    host.Install("libother.so");
    std::filesystem::create_directory(host.Current() + "/PL_folder.so");

    const std::vector<TPluginFile> files = ListPlugins();
    EXPECT_EQ(Names(files), (std::vector<std::string>{"PL_B.so", "pl_a.SO", "PL_C.so"}));
    EXPECT_EQ(files[2].Path, host.Own() + "/PL_C.so");
}

TEST(ResolveLibrary, BareNameIsLookedForInThePluginFolders) {
    TFakePluginHost host;
    host.Install("PL_Own.so", host.Own());
    EXPECT_EQ(ResolveLibrary("PL_Own.so"), host.Own() + "/PL_Own.so");
    EXPECT_EQ(ResolveLibrary("PL_Elsewhere.so"), "PL_Elsewhere.so");
    EXPECT_EQ(ResolveLibrary("/x/PL_Own.so"), "/x/PL_Own.so");
}

TEST(ListPlugins, ListsTheDeliveredPluginBesideTheProgram) {
    const std::string delivered = ProgramFolder() + "PL_Ondine.so";
    if (!std::filesystem::exists(delivered)) GTEST_SKIP() << "PL_Ondine.so not built";
    const char* saved = std::getenv("TRACKLORE_PLUGIN_DIR");
    unsetenv("TRACKLORE_PLUGIN_DIR");
    const std::vector<std::string> names = Names(ListPlugins());
    if (saved != nullptr) setenv("TRACKLORE_PLUGIN_DIR", saved, 1);
    EXPECT_NE(std::find(names.begin(), names.end(), "PL_Ondine.so"), names.end());
}

}  // namespace
}  // namespace tracklore::platform
