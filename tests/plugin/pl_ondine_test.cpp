// The plug-in as the application uses it: loaded by path with dlopen, bound by name, and
// unloaded again. The engine plays into a WAV file or discards the sound.
#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <string>
#include <thread>
#include <unistd.h>

#include <gtest/gtest.h>

#include "plugin/plugin_contract.h"
#include "tests/support/env_guard.h"
#include "tests/support/playback_files.h"
#include "tests/support/require_tool.h"

namespace tracklore {
namespace {

// The plug-in beside the test program, in the build's bin folder.
std::string PluginPath() {
    char self[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0) return "PL_Ondine.so";
    self[length] = '\0';
    const std::string program(self);
    return program.substr(0, program.rfind('/') + 1) + "PL_Ondine.so";
}

// A length-prefixed text as the application hands paths over.
std::string LengthPrefixed(const std::string& text) {
    return std::string(1, static_cast<char>(text.size())) + text;
}

// The loaded plug-in and its five exports; unloads it when it goes out of scope.
class TLoadedPlugin {
public:
    TLoadedPlugin() : handle_(dlopen(PluginPath().c_str(), RTLD_NOW | RTLD_LOCAL)) {
        if (handle_ == nullptr) return;
        InitLibrary = reinterpret_cast<TInitLibrary>(dlsym(handle_, kInitLibraryName));
        GetPluginName = reinterpret_cast<TGetPluginName>(dlsym(handle_, kGetPluginNameName));
        Play = reinterpret_cast<TPlayFile>(dlsym(handle_, kPlayName));
        Add = reinterpret_cast<TPlayFile>(dlsym(handle_, kAddName));
        Configure = reinterpret_cast<TConfigure>(dlsym(handle_, kConfigureName));
        Stop = reinterpret_cast<TStopPlaying>(dlsym(handle_, kStopName));
    }
    TLoadedPlugin(const TLoadedPlugin&) = delete;
    TLoadedPlugin& operator=(const TLoadedPlugin&) = delete;
    ~TLoadedPlugin() { Unload(); }

    bool Loaded() const { return handle_ != nullptr; }
    void Unload() {
        if (handle_ != nullptr) dlclose(handle_);
        handle_ = nullptr;
    }
    int32_t PlayPath(const std::string& path) {
        const std::string text = LengthPrefixed(path);
        return Play(reinterpret_cast<const uint8_t*>(text.data()), kPluginNameCapacity);
    }
    int32_t AddPath(const std::string& path) {
        const std::string text = LengthPrefixed(path);
        return Add(reinterpret_cast<const uint8_t*>(text.data()), kPluginNameCapacity);
    }

    TInitLibrary InitLibrary = nullptr;
    TGetPluginName GetPluginName = nullptr;
    TPlayFile Play = nullptr;
    TPlayFile Add = nullptr;
    TConfigure Configure = nullptr;
    TStopPlaying Stop = nullptr;

private:
    void* handle_;
};

// Waits until the WAV file at `path` holds `samples` sample frames.
bool WaitForWav(const std::string& path, int64_t samples) {
    return test::WaitUntil([&] { return test::WavSampleFrames(path) == samples; });
}

class PlOndine : public testing::Test {
protected:
    void SetUp() override {
        plugin_ = std::make_unique<TLoadedPlugin>();
        ASSERT_TRUE(plugin_->Loaded()) << dlerror();
    }
    void TearDown() override { plugin_.reset(); }

    test::TEnvGuard output_{"TRACKLORE_AUDIO_OUT", "null"};
    std::unique_ptr<TLoadedPlugin> plugin_;
    test::TTempDir dir_;
};

TEST_F(PlOndine, ExportsAllFiveCalls) {
    EXPECT_NE(plugin_->InitLibrary, nullptr);
    EXPECT_NE(plugin_->GetPluginName, nullptr);
    EXPECT_NE(plugin_->Play, nullptr);
    EXPECT_NE(plugin_->Add, nullptr);
    EXPECT_NE(plugin_->Configure, nullptr);
}

TEST_F(PlOndine, NameWithFullCapacityIsTheWholeDisplayName) {
    uint8_t buffer[256];
    std::memset(buffer, 0xEE, sizeof buffer);
    ASSERT_EQ(plugin_->GetPluginName(buffer, kPluginNameCapacity), 0);
    const std::string name = "Fennick's MPEG Player (ALPHA-version)";
    ASSERT_EQ(buffer[0], name.size());
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer + 1), buffer[0]), name);
    EXPECT_EQ(buffer[1 + name.size()], 0xEE);  // no terminator written past the text
}

TEST_F(PlOndine, NameIsCutToTheCapacity) {
    uint8_t buffer[256] = {};
    ASSERT_EQ(plugin_->GetPluginName(buffer, 10), 0);
    EXPECT_EQ(buffer[0], 10);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer + 1), 10), "Fennick's ");
    ASSERT_EQ(plugin_->GetPluginName(buffer, 0), 0);
    EXPECT_EQ(buffer[0], 0);
}

TEST_F(PlOndine, NameNeverOverrunsTheBufferWhateverCapacityIsClaimed) {
    uint8_t buffer[256] = {};
    ASSERT_EQ(plugin_->GetPluginName(buffer, 100000), 0);
    EXPECT_EQ(buffer[0], 37);
    ASSERT_EQ(plugin_->GetPluginName(buffer, -3), 0);
    EXPECT_EQ(buffer[0], 0);
}

TEST_F(PlOndine, ConfigureIsNeverAvailable) {
    for (const int32_t value : {0, 1, -1, 5, INT32_MAX, INT32_MIN})
        EXPECT_EQ(plugin_->Configure(value), -5) << value;
}

TEST_F(PlOndine, InitLibraryReportsReadyEngine) {
    EXPECT_EQ(plugin_->InitLibrary(), 0);
}

TEST_F(PlOndine, SecondPlayClosesTheFirstFile) {
    REQUIRE_TOOLS("lame");
    const std::string first = test::MakeLongMp3(dir_, "first.mp3", 40000);
    const std::string second = test::MakeLongMp3(dir_, "second.mp3", 40000);
    ASSERT_EQ(plugin_->PlayPath(first), 0);
    EXPECT_EQ(test::OpenDescriptorsOf(first), 1);
    ASSERT_EQ(plugin_->PlayPath(second), 0);
    EXPECT_EQ(test::OpenDescriptorsOf(first), 0);
    EXPECT_EQ(test::OpenDescriptorsOf(second), 1);
}

TEST_F(PlOndine, AddReplacesThePlayingFile) {
    REQUIRE_TOOLS("lame");
    const std::string playing = test::MakeLongMp3(dir_, "playing.mp3", 40000);
    const std::string added = test::MakeLongMp3(dir_, "added.mp3", 100);
    ASSERT_EQ(plugin_->PlayPath(playing), 0);
    output_.Set("wav:" + dir_.Path("added.wav"));
    ASSERT_EQ(plugin_->AddPath(added), 0);
    EXPECT_EQ(test::OpenDescriptorsOf(playing), 0);
    // The WAV file gets its sizes when the added file's play ends and closes its output.
    EXPECT_TRUE(WaitForWav(dir_.Path("added.wav"), 100 * test::kSamplesPerFrame));
}

TEST_F(PlOndine, UnloadingWhilePlayingStopsAndReleasesTheEngine) {
    REQUIRE_TOOLS("lame");
    const std::string mp3 = test::MakeLongMp3(dir_, "long.mp3", 40000);
    const int threadsBefore = test::ThreadCount();
    ASSERT_EQ(plugin_->PlayPath(mp3), 0);
    plugin_->Unload();
    EXPECT_EQ(test::OpenDescriptorsOf(mp3), 0);
    EXPECT_EQ(test::ThreadCount(), threadsBefore);
}

TEST_F(PlOndine, StopEndsThePlayAndLetsGoOfTheFile) {
    ASSERT_NE(plugin_->Stop, nullptr);
    EXPECT_EQ(plugin_->Stop(), 0);  // nothing plays yet
    REQUIRE_TOOLS("lame");
    const std::string mp3 = test::MakeLongMp3(dir_, "long.mp3", 40000);
    ASSERT_EQ(plugin_->PlayPath(mp3), 0);
    ASSERT_EQ(test::OpenDescriptorsOf(mp3), 1);
    EXPECT_EQ(plugin_->Stop(), 0);
    EXPECT_EQ(test::OpenDescriptorsOf(mp3), 0);
    EXPECT_EQ(plugin_->Stop(), 0);

    // The player is ready for the next file.
    const std::string next = test::MakeLongMp3(dir_, "next.mp3", 100);
    setenv("TRACKLORE_AUDIO_OUT", ("wav:" + dir_.Path("next.wav")).c_str(), 1);
    ASSERT_EQ(plugin_->PlayPath(next), 0);
    EXPECT_TRUE(WaitForWav(dir_.Path("next.wav"), 100 * test::kSamplesPerFrame));
}

TEST_F(PlOndine, FilesTheEngineCannotPlayAreStillAccepted) {
    test::WriteFileBytes(dir_.Path("text.mp3"), std::string(5000, 'x'));
    EXPECT_EQ(plugin_->PlayPath(dir_.Path("text.mp3")), 0);
    EXPECT_EQ(plugin_->AddPath(dir_.Path("missing.mp3")), 0);
    EXPECT_EQ(plugin_->PlayPath(""), 0);
    EXPECT_EQ(plugin_->Play(nullptr, kPluginNameCapacity), 0);
}

TEST_F(PlOndine, LongestLengthPrefixedPathIsHandedOverWhole) {
    // 255 characters, the most a length byte can count: a missing file, but one the plug-in
    // must copy without running past its working buffer.
    const std::string path = dir_.Root() + "/" + std::string(254 - dir_.Root().size(), 'a');
    ASSERT_EQ(path.size(), 255u);
    EXPECT_EQ(plugin_->PlayPath(path), 0);
}

TEST(PlOndineFile, CarriesItsVersionTexts) {
    const std::string bytes = test::ReadFileBytes(PluginPath());
    for (const char* text :
         {"FileVersion=0.7.0.0", "ProductVersion=1.0.0.0", "ProductName=MPEG Player",
          "CompanyName=Corvane", "FileDescription=Interface to Fennick's MPEG player.",
          "Comments=This is an ALPHA-version."})
        EXPECT_NE(bytes.find(text), std::string::npos) << text;
}

}  // namespace
}  // namespace tracklore
