// The Qt print dialog ("PrinterDialog") over its model: printer set-up, font, the preview
// sketch, a real page preview and printing to PDF.
#pragma once

#include <functional>

class QString;
class QWidget;

namespace tracklore::ui {

struct TPrinterDialog;
class TPrintCanvas;

/// Runs the dialog; on a print choice calls `print` with a canvas on that output. True when
/// a job was printed.
/// `destination`, when given, receives where a printed job went: the PDF file, the output
/// file or the printer's name.
bool ExecutePrinterDialogQt(QWidget* parent, TPrinterDialog& dialog,
                            const std::function<void(TPrintCanvas&)>& print,
                            QString* destination = nullptr);

}  // namespace tracklore::ui
