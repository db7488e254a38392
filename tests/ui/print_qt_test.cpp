// Printing through Qt: the layout on a real PDF writer, and the print dialog's wiring.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <filesystem>
#include <optional>

#include <gtest/gtest.h>

#include "core/catalogue.h"
#include "core/progress_box.h"
#include "streams/stream_errors.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/when_modal_qt.h"
#include "ui/pdf_output_qt.h"
#include "ui/print_canvas_qt.h"
#include "ui/print_layout.h"
#include "ui/printer_dialog.h"
#include "ui/printer_dialog_qt.h"

namespace tracklore::test {
namespace {

int PdfPageCount(const QString& file) {
    QFile pdf(file);
    if (!pdf.open(QIODevice::ReadOnly)) return -1;
    const QString text = QString::fromLatin1(pdf.readAll());
    return static_cast<int>(text.count(QRegularExpression("/Type\\s*/Page(?!s)")));
}

void Fill(TTracklore& catalogue, int count) {
    for (int i = 1; i <= count; ++i) {
        TrackRecord record;
        record.Artist = "Artist " + std::to_string(i % 7);
        record.Title = "Title number " + std::to_string(i);
        catalogue.Insert(record);
    }
}

// Pixels of `image` inside `rect` darker than mid-grey.
int DarkPixels(const QImage& image, const QRect& rect) {
    int dark = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            dark += qGray(image.pixel(x, y)) < 128;
    return dark;
}

// A white 200 x 60 image with a canvas painting on it.
class QtCanvasTest : public testing::Test {
protected:
    QtCanvasTest() : image_(200, 60, QImage::Format_RGB32) {
        image_.fill(Qt::white);
        canvas_.emplace(image_, nullptr);
        canvas_->BeginImage();
        canvas_->SetFont(ui::TFontDesc{"DejaVu Sans", 24, 0, 0});
    }
    // Ends painting, so the image holds everything drawn.
    const QImage& Painted() {
        canvas_.reset();
        return image_;
    }

    QImage image_;
    std::optional<ui::TQtPrintCanvas> canvas_;
};

TEST_F(QtCanvasTest, TextRectShowsNothingOutsideItsClip) {
    canvas_->TextRect({10, 0, 40, 60}, 10, 10, "WWWWWWWW");
    const QImage& image = Painted();
    EXPECT_GT(DarkPixels(image, QRect(10, 0, 30, 60)), 0);
    EXPECT_EQ(DarkPixels(image, QRect(40, 0, 160, 60)), 0);
}

TEST_F(QtCanvasTest, InvertedClipShowsNothing) {
    canvas_->TextRect({100, 0, 90, 60}, 100, 10, "WWWW");
    EXPECT_EQ(DarkPixels(Painted(), image_.rect()), 0);
}

TEST_F(QtCanvasTest, ClearBrushFillsNothingAndSolidFillsItsColour) {
    canvas_->SetBrush(ui::TBrushStyle::Clear, ui::kPrintBlack);
    canvas_->FillRect({0, 0, 100, 60});
    canvas_->FrameRect({0, 0, 100, 60});
    canvas_->SetBrush(ui::TBrushStyle::Solid, ui::kPrintSilver);
    canvas_->FillRect({100, 0, 200, 60});
    const QImage& image = Painted();
    EXPECT_EQ(DarkPixels(image, QRect(0, 0, 100, 60)), 0);
    EXPECT_EQ(image.pixel(150, 30), qRgb(192, 192, 192));
    EXPECT_EQ(image.pixel(99, 30), qRgb(255, 255, 255));
}

TEST_F(QtCanvasTest, FrameRectDrawsOnlyTheBorderInsideTheRectangle) {
    canvas_->SetBrush(ui::TBrushStyle::Solid, ui::kPrintBlack);
    canvas_->FrameRect({10, 10, 50, 40});
    const QImage& image = Painted();
    EXPECT_EQ(image.pixel(10, 10), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(49, 39), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(50, 40), qRgb(255, 255, 255));
    EXPECT_EQ(DarkPixels(image, QRect(11, 11, 38, 28)), 0);
}

TEST(PrintQt, PdfHasThePagesTheLayoutCounts) {
    TTempDir dir;
    const QString file = QString::fromStdString(dir.Path("out.pdf"));
    TTracklore catalogue;
    Fill(catalogue, 300);
    int expectedPages = 0;
    {
        QPdfWriter writer(file);
        writer.setResolution(600);
        ui::TQtPrintCanvas canvas(writer, &writer, [&](const QString& t) { writer.setTitle(t); });
        ui::TPrintJob job;
        job.Columns = 0x0FA;
        job.Font = ui::TFontDesc{"Arial", 8, 0, 0};
        job.JobTitle = "Print out...";
        job.PrintTitle = "out";
        canvas.SetFont(job.Font);
        expectedPages = ui::MeasurePages(canvas, catalogue.Count()).PageTotal;
        ui::TProgressBox progress;
        ui::PrintDB(catalogue, job, canvas, progress);
    }
    EXPECT_GE(expectedPages, 2);
    EXPECT_EQ(PdfPageCount(file), expectedPages);
}

// A PDF job that fails (a full disk, an error of the layout) keeps the old file whole and
// leaves no temporary file.
TEST(PrintQt, FailedPdfJobKeepsTheOldFile) {
    TTempDir dir;
    const std::string file = dir.Path("kept.pdf");
    WriteFileBytes(file, "old PDF");
    TTracklore catalogue;
    Fill(catalogue, 300);
    const auto printAll = [&](ui::TPrintCanvas& canvas) {
        ui::TPrintJob job;
        job.Font = ui::TFontDesc{"Arial", 8, 0, 0};
        ui::TProgressBox progress;
        ui::PrintDB(catalogue, job, canvas, progress);
    };
    const auto setup = [](QPdfWriter& writer) { writer.setResolution(600); };
    {
        TFileSizeLimit limit(4096);
        try {
            ui::PrintToPdf(file, setup, printAll);
            ADD_FAILURE() << "no error";
        } catch (const EInOutError& error) {
            EXPECT_STREQ(error.what(), "Error writing to stream - File too large");
        }
    }
    EXPECT_THROW(
        ui::PrintToPdf(file, setup, [](ui::TPrintCanvas&) { throw ui::EPrintError("refused"); }),
        ui::EPrintError);
    EXPECT_EQ(ReadFileBytes(file), "old PDF");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Root()), {}), 1);
    ui::PrintToPdf(file, setup, printAll);
    EXPECT_GE(PdfPageCount(QString::fromStdString(file)), 2);
}

TEST(PrintQt, RefusedNewPageIsAnError) {
    TTempDir dir;
    QPdfWriter writer(QString::fromStdString(dir.Path("refused.pdf")));
    ui::TQtPrintCanvas canvas(writer, &writer);
    // A device that is not printing refuses a page, as a printer does that dropped its job.
    EXPECT_THROW(canvas.NewPage(), ui::EPrintError);
    canvas.BeginDoc("Print refused...");
    EXPECT_NO_THROW(canvas.NewPage());
    EXPECT_EQ(canvas.PageNumber(), 2);
    canvas.EndDoc();
    EXPECT_THROW(canvas.NewPage(), ui::EPrintError);
}

TEST(PrintQt, DialogShowsTheModelAndWritesAPdfWithTheChoices) {
    TTempDir dir;
    const std::string file = dir.Path("dialog.pdf");
    ui::TPrinterDialog model;
    model.Caption = "Print music.tracklore...";
    TTracklore catalogue;
    Fill(catalogue, 3);
    int prints = 0;
    uint32_t printedColumns = 0;

    WhenModal<QDialog>([&](QDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Print music.tracklore...");
        EXPECT_EQ(dialog->objectName(), "PrinterDialog");
        auto* id = dialog->findChild<QCheckBox*>("CB_ID");
        auto* volume = dialog->findChild<QCheckBox*>("CB_Volume");
        ASSERT_TRUE(id && volume);
        EXPECT_FALSE(id->isChecked());
        EXPECT_TRUE(volume->isChecked());
        auto* look = dialog->findChild<QComboBox*>("CB_Look");
        ASSERT_TRUE(look);
        EXPECT_EQ(look->count(), 4);
        auto* preview = dialog->findChild<QLabel*>("I_Preview");
        ASSERT_TRUE(preview);
        EXPECT_EQ(preview->size(), QSize(121, 177));
        id->setChecked(true);
        look->setCurrentIndex(ui::kLookCells);
        WhenModal<QFileDialog>([&](QFileDialog* save) {
            // Typed as a user would: selectFile() leaves the name box alone while it has the
            // focus, which the dialog gets at a moment of the window system's choosing.
            auto* name = save->findChild<QLineEdit*>("fileNameEdit");
            ASSERT_NE(name, nullptr);
            name->setText(QString::fromStdString(file));
            static_cast<QDialog*>(save)->accept();  // QFileDialog::accept is protected
        });
        dialog->findChild<QPushButton*>("B_PDF")->click();
    });
    QString destination;
    const bool printed = ui::ExecutePrinterDialogQt(
        nullptr, model,
        [&](ui::TPrintCanvas& canvas) {
            ++prints;
            printedColumns = model.PrintColumns();
            ui::TProgressBox progress;
            ui::PrintDB(catalogue, model.Job(catalogue), canvas, progress);
        },
        &destination);
    EXPECT_TRUE(printed);
    EXPECT_EQ(destination, QString::fromStdString(file));
    EXPECT_EQ(prints, 1);
    EXPECT_EQ(printedColumns, 0x0FBu);
    EXPECT_TRUE(model.CB_ID);
    EXPECT_EQ(model.CB_Look, ui::kLookCells);
    EXPECT_EQ(PdfPageCount(QString::fromStdString(file)), 1);
}

// "Settings" sets up the printer and its page; only "Print..." starts a job.
TEST(PrintQt, SettingsIsAPrinterSetupWithoutAPrintButton) {
    ui::TPrinterDialog model;
    int setups = 0;
    WhenModal<QDialog>([&](QDialog* dialog) {
        WhenModal<QPrintDialog>([&](QPrintDialog* setup) {
            ++setups;
            EXPECT_EQ(setup->windowTitle(), "Print Setup");
            EXPECT_FALSE(setup->testOption(QAbstractPrintDialog::PrintPageRange));
            EXPECT_FALSE(setup->testOption(QAbstractPrintDialog::PrintToFile));
            for (const QPushButton* button : setup->findChildren<QPushButton*>())
                EXPECT_NE(button->text().remove('&'), "Print") << "a print button in the setup";
            auto* buttons = setup->findChild<QDialogButtonBox*>();
            ASSERT_NE(buttons, nullptr);
            EXPECT_EQ(buttons->button(QDialogButtonBox::Ok)->text(), "OK");
            setup->reject();
        });
        dialog->findChild<QPushButton*>("B_Settings")->click();
        dialog->findChild<QPushButton*>("B_Cancel")->click();
    });
    int prints = 0;
    EXPECT_FALSE(ui::ExecutePrinterDialogQt(nullptr, model, [&](ui::TPrintCanvas&) { ++prints; }));
    EXPECT_EQ(setups, 1);
    EXPECT_EQ(prints, 0);
}

TEST(PrintQt, CancelLeavesTheModelAndPrintsNothing) {
    ui::TPrinterDialog model;
    WhenModal<QDialog>([](QDialog* dialog) {
        dialog->findChild<QCheckBox*>("CB_Head")->setChecked(false);
        dialog->findChild<QPushButton*>("B_Cancel")->click();
    });
    int prints = 0;
    EXPECT_FALSE(ui::ExecutePrinterDialogQt(nullptr, model, [&](ui::TPrintCanvas&) { ++prints; }));
    EXPECT_EQ(prints, 0);
    EXPECT_TRUE(model.CB_Head);
}

}  // namespace
}  // namespace tracklore::test
