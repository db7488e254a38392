// Tests of choosing the out123 module and device from the environment.
#include "engine/output_choice.h"

#include <gtest/gtest.h>

namespace tracklore::engine {
namespace {

TEST(OutputChoice, UnsetOrEmptyIsTheDefaultOutput) {
    for (const char* text : {static_cast<const char*>(nullptr), ""}) {
        const TOutputChoice choice = ParseOutputChoice(text);
        EXPECT_EQ(choice.ModuleOrNull(), nullptr);
        EXPECT_EQ(choice.DeviceOrNull(), nullptr);
    }
}

TEST(OutputChoice, DeviceIsEverythingAfterTheFirstColon) {
    const TOutputChoice choice = ParseOutputChoice("alsa:hw:0,1");
    EXPECT_EQ(choice.Module, "alsa");
    EXPECT_EQ(choice.Device, "hw:0,1");
}

TEST(OutputChoice, ModuleWithoutDeviceLeavesDeviceToTheModule) {
    const TOutputChoice choice = ParseOutputChoice("pulse");
    EXPECT_EQ(choice.Module, "pulse");
    EXPECT_EQ(choice.DeviceOrNull(), nullptr);
}

TEST(OutputChoice, NullStandsForTheDiscardingTestModule) {
    EXPECT_EQ(ParseOutputChoice("null").Module, "test");
}

}  // namespace
}  // namespace tracklore::engine
