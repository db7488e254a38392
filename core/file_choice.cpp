// The file steps of the window's file commands: choosing CSV or catalogue format, load and save.
#include "core/file_choice.h"

namespace tracklore {

bool IsCsvFileName(const std::string& fileName) {
    constexpr std::string_view kExtension = ".csv";
    // The extension is what follows the last dot of the last path element.
    const size_t name = fileName.rfind('/') == std::string::npos ? 0 : fileName.rfind('/') + 1;
    const size_t dot = fileName.rfind('.');
    return dot != std::string::npos && dot >= name &&
           std::string_view(fileName).substr(dot) == kExtension;
}

void LoadByFormat(TTracklore& catalogue, const std::string& fileName, const LoadProgress& progress,
                  const RecordFilter& keep) {
    try {
        if (IsCsvFileName(fileName)) {
            catalogue.ImportCSV(fileName, keep);
            if (progress) progress(100);
        } else {
            catalogue.LoadFromFile(fileName, progress, keep);
        }
    } catch (...) {
        // A result set refuses loading before it changes; only an owning catalogue is emptied.
        if (!catalogue.IsResultSet()) catalogue.ResetDB();
        throw;
    }
}

void SaveByFormat(TTracklore& catalogue, const std::string& fileName) {
    if (IsCsvFileName(fileName)) {
        catalogue.ExportCSV(fileName);
    } else {
        catalogue.SaveToFile(fileName);
    }
}

int MergeFromFile(TTracklore& catalogue, const std::string& fileName,
                  const LoadProgress& progress) {
    TTracklore loaded(nullptr, catalogue.Capacity());
    LoadByFormat(loaded, fileName, progress);
    int merged = 0;
    TrackRecord record;
    for (loaded.First(record); record.ID != kEndID; loaded.Next(record)) {
        catalogue.Insert(record);
        ++merged;
    }
    return merged;
}

}  // namespace tracklore
