// The desktop application: one main form; the first argument names a catalogue to open.
// `--list-plugins` starts it as usual, prints the player plug-ins the player configuration
// would offer (file name, display name, path; one a line, tab-separated) and exits: a
// check of an installation that needs no window.
#include <QApplication>
#include <QIcon>
#include <algorithm>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "platform/library.h"
#include "playback/ext_player.h"
#include "playback/player_dialog.h"
#include "ui/main_window.h"
#include "ui/main_window_qt.h"
#include "ui/small_dialogs_qt.h"
#include "ui/window_sizes_qt.h"

namespace {

constexpr char kListPlugins[] = "--list-plugins";

int ListPlugins(tracklore::ui::TMainForm& form) {
    tracklore::playback::TExtPlayer* player = form.Window().Player();
    if (player == nullptr) return 1;  // the start failed (and said why)
    tracklore::playback::TExtPlayerDialog dialog;
    player->RefreshDLLList(dialog);
    for (const tracklore::playback::TPluginRow& row : dialog.L_Plugins)
        std::printf("%s\t%s\t%s\n", row.Name.c_str(), row.Description.c_str(),
                    tracklore::platform::ResolveLibrary(row.Name).c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(tracklore::ui::kAppTitle);
    QApplication::setOrganizationName("Corvane");
    // Task bar, window frames and dialogs show the program's picture.
    QApplication::setWindowIcon(tracklore::ui::ProgramIcon());

    std::vector<std::string> args;
    // Qt has taken its own options out of argv by now.
    const QStringList arguments = QApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i)
        args.push_back(arguments[i].toStdString());
    const auto listPlugins = std::find(args.begin(), args.end(), kListPlugins);
    const bool listOnly = listPlugins != args.end();
    if (listOnly) args.erase(listPlugins);

    // The dialogs' sizes live in the store the main form keeps its preferences in.
    tracklore::ui::SetWindowSizeStore(tracklore::ui::DefaultRegistryFile());
    tracklore::ui::TMainForm form;
    form.Start(args);
    if (listOnly) return ListPlugins(form);
    form.show();
    const int result = QApplication::exec();
    try {
        tracklore::ui::StoreWindowSizes();
    } catch (const std::exception&) {
        // The sizes are a convenience; the main form has reported a store it cannot write.
    }
    return result;
}
