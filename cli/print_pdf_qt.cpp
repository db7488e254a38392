// Printing to a PDF file from the command-line tool: Qt Gui on the offscreen platform.
#include "cli/print_pdf_qt.h"

#include <QGuiApplication>
#include <QPdfWriter>

#include "core/messages.h"
#include "ui/pdf_output_qt.h"

namespace tracklore::cli {

namespace {

// A4 at a laser printer's resolution, inside 10 mm margins.
constexpr int kResolution = 600;
constexpr double kMarginMm = 10;

}  // namespace

void PrintPdfOffscreen(const std::string& fileName,
                       const std::function<void(ui::TPrintCanvas&)>& print) {
    // Qt lives for this call only, on the offscreen platform: no display is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "tracklore-cli";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);

    const auto setup = [](QPdfWriter& writer) {
        writer.setResolution(kResolution);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                              QPageLayout::Millimeter);
        writer.setCreator(QString::fromUtf8(msg::AppTitle));
    };
    ui::PrintToPdf(fileName, setup, print);
}

}  // namespace tracklore::cli
