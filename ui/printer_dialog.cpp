// The print dialog model: the columns, header, footer, look and font chosen.
#include "ui/printer_dialog.h"

#include "core/catalogue.h"
#include "core/format.h"
#include "core/progress_box.h"
#include "core/shell.h"
#include "ui/print_canvas.h"

namespace tracklore::ui {

uint32_t TPrinterDialog::PrintColumns() const {
    uint32_t columns = 0;
    for (int i = 0; i < kPrintColumnCount; ++i)
        if (this->*kColumnBoxes[i].Box) columns |= kPrintColumns[i].Bit;
    if (CB_Quality) columns |= kQualityExtraBit;
    return columns;
}

TPrintJob TPrinterDialog::Job(const TTracklore& set) const {
    TPrintJob job;
    job.Columns = PrintColumns();
    job.Look = CB_Look;
    job.Header = CB_Head;
    job.Footer = CB_Foot;
    job.Font = Font;
    job.JobTitle = Caption;
    job.PrintTitle = set.PrintTitle();
    return job;
}

bool TPrinterDialog::Execute(TShell& shell, TTracklore& set) {
    Caption = Format(msg::PrintCaption, set.PrintTitle().c_str());
    // The choices are read when the output asks for its pages: a preview repaints with the
    // options as they stand at that moment.
    return shell.ExecutePrinterDialog(*this, [this, &shell, &set](TPrintCanvas& canvas) {
        TProgressBox progress;
        PrintDB(set, Job(set), canvas, progress, &shell);
    });
}

}  // namespace tracklore::ui
