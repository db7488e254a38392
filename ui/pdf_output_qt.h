// Printing to a PDF file that is either complete or not changed at all: the document goes
// to a temporary file beside the target, which takes the target's place only once the
// writer has finished it and it reached the disk.
#pragma once

#include <functional>
#include <string>

class QPdfWriter;

namespace tracklore::ui {

class TPrintCanvas;

/// Prints to the PDF file `fileName` (a native path): `setup` sets the writer's page layout,
/// resolution and creator, `print` paints on a canvas over it (the job's title becomes the
/// document's). Raises the printer's error when the file cannot be made ("The printer could
/// not start the print job." and the reason), the write error when the file cannot be
/// written in full, and whatever `print` raises; the old file then stays as it was.
void PrintToPdf(const std::string& fileName, const std::function<void(QPdfWriter&)>& setup,
                const std::function<void(TPrintCanvas&)>& print);

}  // namespace tracklore::ui
