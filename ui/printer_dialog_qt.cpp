// The Qt print dialog: printer set-up, font, preview, PDF and printing.
#include "ui/printer_dialog_qt.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QPdfWriter>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <exception>

#include "core/messages.h"
#include "ui/dialog_util_qt.h"
#include "ui/pdf_output_qt.h"
#include "ui/print_canvas_qt.h"
#include "ui/printer_dialog.h"

namespace tracklore::ui {

namespace {

constexpr int kPreviewWidth = 121;
constexpr int kPreviewHeight = 177;
constexpr int kMinFontSize = 8;
constexpr int kMaxFontSize = 24;

enum class TChoice { None, Print, Pdf };

class TPrinterDialogQt : public QDialog {
public:
    TPrinterDialogQt(QWidget* parent, TPrinterDialog& model,
                     const std::function<void(TPrintCanvas&)>& print)
        : QDialog(parent, kCloseOnlyDialogFlags),
          model_(model),
          print_(print),
          printer_(QPrinter::HighResolution) {
        setObjectName("PrinterDialog");
        setWindowTitle(ToQ(model.Caption));
        font_ = model.Font;
        Build();
        UpdatePreviewImage();
    }

    TChoice Choice() const { return choice_; }
    const QString& PdfFile() const { return pdfFile_; }
    QPrinter& Printer() { return printer_; }

    /// Widgets -> model.
    void ReadBack(TPrinterDialog& model) const {
        for (size_t i = 0; i < kColumnBoxes.size(); ++i)
            model.*kColumnBoxes[i].Box = columns_[i]->isChecked();
        model.CB_Head = head_->isChecked();
        model.CB_Foot = foot_->isChecked();
        model.CB_Look = std::max(0, look_->currentIndex());
        model.Font = font_;
    }

private:
    void Build() {
        auto* fields = new QGroupBox(ToQ(msg::PrintFieldsGroup), this);
        auto* fieldGrid = new QGridLayout(fields);
        for (size_t i = 0; i < kColumnBoxes.size(); ++i) {
            auto* box = new QCheckBox(ToQ(kColumnBoxes[i].Caption), fields);
            box->setObjectName(kColumnBoxes[i].Name);
            box->setChecked(model_.*kColumnBoxes[i].Box);
            fieldGrid->addWidget(box, static_cast<int>(i % 6), static_cast<int>(i / 6));
            columns_[i] = box;
        }

        auto* headFoot = new QGroupBox(ToQ(msg::PrintHeaderFooterGroup), this);
        auto* headFootLayout = new QVBoxLayout(headFoot);
        head_ = AddBox(headFoot, headFootLayout, "CB_Head", msg::PrintHeaderBox, model_.CB_Head);
        foot_ = AddBox(headFoot, headFootLayout, "CB_Foot", msg::PrintFooterBox, model_.CB_Foot);

        auto* cells = new QGroupBox(ToQ(msg::PrintCellsLinesGroup), this);
        auto* cellsLayout = new QVBoxLayout(cells);
        look_ = new QComboBox(cells);
        look_->setObjectName("CB_Look");
        for (const char* name : kPrintLookNames)
            look_->addItem(ToQ(name));
        look_->setCurrentIndex(
            model_.CB_Look >= 0 && model_.CB_Look < look_->count() ? model_.CB_Look : 0);
        cellsLayout->addWidget(look_);
        connect(look_, &QComboBox::currentIndexChanged, this, [this] { UpdatePreviewImage(); });

        preview_ = new QLabel(this);
        preview_->setObjectName("I_Preview");
        preview_->setFixedSize(kPreviewWidth, kPreviewHeight);

        auto* buttons = new QVBoxLayout;
        AddButton(buttons, "B_Settings", msg::PrintSettingsButton, [this] { Settings(); });
        AddButton(buttons, "B_Font", msg::PrintFontButton, [this] { ChooseFont(); });
        AddButton(buttons, "B_Preview", msg::PrintPreviewButton, [this] { Preview(); });
        AddButton(buttons, "B_PDF", msg::PrintPdfButton, [this] { ChoosePdf(); });
        buttons->addStretch();
        AddButton(buttons, "B_Cancel", msg::CancelButton, [this] { reject(); });
        QPushButton* print = AddButton(buttons, "B_Print", msg::PrintPrintButton, [this] {
            choice_ = TChoice::Print;
            accept();
        });
        print->setDefault(true);

        auto* options = new QVBoxLayout;
        options->addWidget(headFoot);
        options->addWidget(cells);
        options->addWidget(preview_, 0, Qt::AlignHCenter);
        auto* layout = new QHBoxLayout(this);
        layout->addWidget(fields, 0, Qt::AlignTop);
        layout->addLayout(options);
        layout->addLayout(buttons);
        layout->setSizeConstraint(QLayout::SetFixedSize);
    }

    QCheckBox* AddBox(QWidget* parent, QVBoxLayout* layout, const char* name, const char* caption,
                      bool checked) {
        auto* box = new QCheckBox(ToQ(caption), parent);
        box->setObjectName(name);
        box->setChecked(checked);
        layout->addWidget(box);
        connect(box, &QCheckBox::toggled, this, [this] { UpdatePreviewImage(); });
        return box;
    }

    template <class Handler>
    QPushButton* AddButton(QVBoxLayout* layout, const char* name, const char* caption,
                           Handler handler) {
        auto* button = new QPushButton(ToQ(caption), this);
        button->setObjectName(name);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, handler);
        layout->addWidget(button);
        return button;
    }

    void UpdatePreviewImage() {
        QImage image(kPreviewWidth, kPreviewHeight, QImage::Format_RGB32);
        {
            TQtPrintCanvas canvas(image, nullptr);
            canvas.BeginImage();
            UpdatePreview(canvas, head_->isChecked(), foot_->isChecked(),
                          std::max(0, look_->currentIndex()), font_);
        }
        preview_->setPixmap(QPixmap::fromImage(image));
    }

    // Sets up the printer and its page only: which printer, paper, orientation and the
    // printer's properties. "Print..." starts the job, so the print dialog runs without its
    // job options (page range, print to file) and its print button becomes OK.
    void Settings() {
        QPrintDialog dialog(&printer_, this);
        dialog.setObjectName("PrinterSetupDialog");
        dialog.setWindowTitle(ToQ(msg::PrintSetupCaption));
        dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize);
        for (auto* box : dialog.findChildren<QDialogButtonBox*>()) {
            if (QPushButton* ok = box->button(QDialogButtonBox::Ok))
                ok->setText(ToQ(msg::OkButton));
        }
        dialog.exec();
    }

    void ChooseFont() {
        bool ok = false;
        const QFont chosen = QFontDialog::getFont(&ok, ToPrintFont(font_), this, QString(),
                                                  QFontDialog::ScalableFonts);
        if (!ok) return;
        TFontDesc font;
        const QStringList families = chosen.families();
        font.Name = (families.isEmpty() ? chosen.family() : families.first()).toStdString();
        font.Size = std::clamp(chosen.pointSize(), kMinFontSize, kMaxFontSize);
        font.Color = 0;
        font.Style = static_cast<uint8_t>(
            (chosen.bold() ? kFontBold : 0) | (chosen.italic() ? kFontItalic : 0) |
            (chosen.underline() ? kFontUnderline : 0) | (chosen.strikeOut() ? kFontStrikeOut : 0));
        font_ = font;
        UpdatePreviewImage();
    }

    // The preview asks for its pages again whenever it repaints; a failure is shown here,
    // since it cannot travel through Qt's event loop.
    void Preview() {
        const TPrinterDialog before = model_;
        ReadBack(model_);
        QPrintPreviewDialog preview(&printer_, this);
        preview.setWindowTitle(windowTitle());
        connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* printer) {
            try {
                TQtPrintCanvas canvas(*printer, printer, [printer](const QString& title) {
                    printer->setDocName(title);
                });
                print_(canvas);
            } catch (const std::exception& error) {
                QMessageBox::critical(this, ToQ(msg::AppTitle), ToQ(error.what()));
            }
        });
        preview.exec();
        model_ = before;  // the model takes the choices only when the dialog closes with them
    }

    void ChoosePdf() {
        const QString filter = ToQ(std::string(msg::PdfFilesFilter) + " (*.pdf)");
        QFileDialog dialog(this, windowTitle(), QString(), filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix("pdf");
        // The dialog opens where a file dialog was last; that folder may be gone by now, and
        // a listing of a missing folder is broken.
        if (!QFileInfo(dialog.directory().absolutePath()).isDir())
            dialog.setDirectory(QDir::homePath());
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
        pdfFile_ = dialog.selectedFiles().first();
        choice_ = TChoice::Pdf;
        accept();
    }

    TPrinterDialog& model_;
    const std::function<void(TPrintCanvas&)>& print_;
    QPrinter printer_;
    TFontDesc font_;
    std::array<QCheckBox*, kPrintColumnCount> columns_{};
    QCheckBox* head_ = nullptr;
    QCheckBox* foot_ = nullptr;
    QComboBox* look_ = nullptr;
    QLabel* preview_ = nullptr;
    TChoice choice_ = TChoice::None;
    QString pdfFile_;
};

}  // namespace

bool ExecutePrinterDialogQt(QWidget* parent, TPrinterDialog& dialog,
                            const std::function<void(TPrintCanvas&)>& print, QString* destination) {
    TPrinterDialogQt form(parent, dialog, print);
    CenterOnScreen(&form);
    if (form.exec() != QDialog::Accepted) return false;
    form.ReadBack(dialog);
    // The job runs after the dialog's own event loop, so its errors reach the caller.
    if (form.Choice() == TChoice::Pdf) {
        const QPrinter& printer = form.Printer();
        PrintToPdf(
            QFile::encodeName(form.PdfFile()).toStdString(),
            [&printer](QPdfWriter& writer) {
                writer.setPageLayout(printer.pageLayout());
                writer.setResolution(printer.resolution());
                writer.setCreator(ToQ(msg::AppTitle));
            },
            print);
        if (destination != nullptr) *destination = form.PdfFile();
        return true;
    }
    QPrinter& printer = form.Printer();
    TQtPrintCanvas canvas(printer, &printer,
                          [&printer](const QString& t) { printer.setDocName(t); });
    print(canvas);
    if (destination != nullptr)
        *destination =
            printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
    return true;
}

}  // namespace tracklore::ui
