// Update directory: the records of a folder tree brought up to date with its files.
#include "core/format.h"
#include "core/messages.h"
#include "media/update.h"
#include "ui/main_window.h"

namespace tracklore::ui {

namespace {

void AppendList(std::string& text, const char* heading, const std::vector<std::string>& lines) {
    if (lines.empty()) return;
    text += std::string("\n") + heading + "\n";
    for (const auto& line : lines)
        text += "  " + line + "\n";
}

std::string Summary(const TUpdateReport& report) {
    return Format(msg::UpdateSummary, static_cast<int>(report.Added.size()),
                  static_cast<int>(report.Changed.size()), report.Unchanged,
                  static_cast<int>(report.Missing.size()), report.Removed,
                  static_cast<int>(report.Failed.size()));
}

}  // namespace

void TMainWindow::UpdateDir() {
    std::string folder;
    if (!ChooseScanFolder(msg::SelectFolderToUpdate, folder)) return;
    UpdateFolderTree(folder);
}

void TMainWindow::UpdateFolderTree(const std::string& folder) {
    TUpdateReport report;
    RunFolderWalk(
        [&](const TScanOptions& options) { UpdateFolder(*catalogue_, folder, report, options); },
        [&] { return report.ChangedCatalogue(); });

    if (report.Cancelled) {
        views_.RefreshViews(FullRebuild);
        SetStatusText(Format(msg::UpdateCancelled, static_cast<int>(report.Added.size()),
                             static_cast<int>(report.Changed.size())));
        if (report.ChangedCatalogue()) modified_ = true;
        return;
    }
    // Records go only when the user has seen which.
    const std::vector<std::string> missing = MissingPaths(report);
    if (!missing.empty()) {
        std::string list;
        for (const auto& path : missing)
            list += path + "\n";
        const TModalResult answer =
            shell_.MessageBox(Format(msg::UpdateAskRemoveMissing, list.c_str()), msg::UpdateCaption,
                              TMsgKind::Confirmation, mbYes | mbNo);
        if (answer == TModalResult::Yes)
            RemoveMissing(*catalogue_, report,
                          [this](const TrackRecord& record) { DropFromSelected(record); });
    }
    views_.RefreshViews(FullRebuild);
    if (report.ChangedCatalogue()) modified_ = true;

    const std::string summary = Summary(report);
    SetStatusText(summary);
    std::string text = summary + "\n";
    AppendList(text, "Added:", report.Added);
    AppendList(text, "Changed:", report.Changed);
    AppendList(text, report.Removed > 0 ? "Removed:" : "Missing:", missing);
    AppendList(text, "Failed:", report.Failed);
    shell_.MessageBox(text, msg::UpdateCaption, TMsgKind::Information, mbOK);
}

}  // namespace tracklore::ui
