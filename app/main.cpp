// The desktop application: one main form; the first argument names a catalogue to open.
#include <QApplication>
#include <QIcon>
#include <string>
#include <vector>

#include "ui/main_window.h"
#include "ui/main_window_qt.h"
#include "ui/small_dialogs_qt.h"

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

    tracklore::ui::TMainForm form;
    form.Start(args);
    form.show();
    return QApplication::exec();
}
