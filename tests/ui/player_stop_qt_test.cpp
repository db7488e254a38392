// Tools > Stop in the main window (offscreen): there only while the chosen player plug-in
// can stop, with Ctrl+. as its key, and saying in the status line that playing stopped.
#include <QAction>
#include <QKeySequence>
#include <QStatusBar>
#include <memory>

#include <gtest/gtest.h>

#include "core/messages.h"
#include "playback/player_settings.h"
#include "tests/support/fake_plugin_host.h"
#include "ui/main_window_qt.h"
#include "ui/prefs.h"

namespace tracklore::ui {
namespace {

TEST(PlayerStopQt, StopIsInTheToolsMenuOnlyWithAPluginThatCanStop) {
    test::TFakePluginHost host;
    host.Install();
    host.InstallWithoutStop("PL_NoStop.so");
    for (const auto& [plugin, canStop] :
         {std::pair{"PL_Fake.so", true}, std::pair{"PL_NoStop.so", false}}) {
        test::TTempDir dir;
        const std::string store = dir.Path("prefs.reg");
        SavePrefs(TPrefs(), store);
        playback::TPlayerSettings settings;
        settings.PluginPlayer = plugin;
        playback::SavePlayerSettings(settings, store);

        auto form = std::make_unique<TMainForm>(store);
        form->Start({});
        auto* stop = form->findChild<QAction*>("M_Stop");
        ASSERT_NE(stop, nullptr);
        EXPECT_EQ(stop->isVisible(), canStop) << plugin;
        EXPECT_EQ(stop->shortcut(), QKeySequence("Ctrl+.")) << plugin;
        if (canStop) {
            host.ClearCalls();
            stop->trigger();
            EXPECT_EQ(host.Calls(), std::vector<std::string>{"Stop"});
            EXPECT_EQ(form->statusBar()->currentMessage(), msg::PlayingStopped);
        }
    }
}

}  // namespace
}  // namespace tracklore::ui
