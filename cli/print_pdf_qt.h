// The print command's way to a PDF file: A4 pages at a laser printer's resolution, drawn
// with Qt on the offscreen platform, so the command needs no display. Nothing of Qt shows
// here; the command itself stays toolkit-free.
#pragma once

#include <functional>
#include <string>

namespace tracklore::ui {
class TPrintCanvas;
}

namespace tracklore::cli {

/// Starts Qt (offscreen) for this call only and prints to the PDF file `fileName` (A4,
/// 600 dpi, 10 mm margins, the program as the document's creator): `print` paints on the
/// canvas. Raises what ui::PrintToPdf raises; the old file then stays as it was.
void PrintPdfOffscreen(const std::string& fileName,
                       const std::function<void(ui::TPrintCanvas&)>& print);

}  // namespace tracklore::cli
