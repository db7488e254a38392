// tracklore-cli print: a catalogue printed as the desktop prints it, into a PDF file.
#pragma once

#include <string>
#include <vector>

namespace tracklore::cli {

/// print CAT --pdf OUT [--columns LIST] [--look none|gray|thin|cells] [--no-header]
/// [--no-footer] [--font NAME] [--size POINTS] [--title TEXT]: writes the table of CAT's
/// records to the PDF file OUT. Starts Qt (offscreen) for this command only.
int RunPrint(const std::vector<std::string>& args);

}  // namespace tracklore::cli
