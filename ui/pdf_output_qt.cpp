// Printing to a PDF file written beside the target and put in its place when complete.
#include "ui/pdf_output_qt.h"

#include <QIODevice>
#include <QPdfWriter>
#include <algorithm>
#include <exception>
#include <string>
#include <string_view>

#include "core/catalogue_file_target.h"
#include "core/messages.h"
#include "streams/buffered_stream.h"
#include "streams/stream_errors.h"
#include "ui/print_canvas_qt.h"
#include "ui/print_layout.h"

namespace tracklore::ui {

namespace {

// What every complete PDF file ends with, but for line ends.
constexpr std::string_view kEndOfFile = "%%EOF";
constexpr qint64 kTailSize = 16;  // the end marker and the line ends around it

// A write-only device over a stream chain. The PDF engine does not check its writes, so
// the first failure is kept here and raised once the engine has finished.
class TStreamDevice : public QIODevice {
public:
    explicit TStreamDevice(TBaseStream& stream) : stream_(stream) { open(QIODevice::WriteOnly); }

    bool isSequential() const override { return true; }

    /// Raises the first write failure; raises when the document was not finished.
    void Check() const {
        if (error_) std::rethrow_exception(error_);
        if (tail_.find(kEndOfFile) == std::string::npos) throw EPrintError(msg::PrintJobFailed);
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }

    qint64 writeData(const char* data, qint64 size) override {
        if (error_) return -1;
        try {
            // Exceptions must not cross the engine's frames.
            for (qint64 done = 0; done < size;) {
                const qint64 piece = std::min<qint64>(size - done, qint64{1} << 30);
                WriteAll(stream_, data + done, static_cast<size_t>(piece));
                done += piece;
            }
        } catch (...) {
            error_ = std::current_exception();
            return -1;
        }
        const qint64 kept = std::min(size, kTailSize);
        tail_.append(data + size - kept, static_cast<size_t>(kept));
        if (tail_.size() > kTailSize) tail_.erase(0, tail_.size() - kTailSize);
        return size;
    }

private:
    TBaseStream& stream_;
    std::exception_ptr error_;
    std::string tail_;  // the last bytes written
};

}  // namespace

void PrintToPdf(const std::string& fileName, const std::function<void(QPdfWriter&)>& setup,
                const std::function<void(TPrintCanvas&)>& print) {
    bool started = false;
    try {
        WriteReplacing(fileName, [&](StreamChain& chain) {
            started = true;
            PushFilter(chain, [](TBaseStream* inner) { return new TBufferedStream(0, -1, inner); });
            TStreamDevice device(*chain);
            {
                QPdfWriter writer(&device);
                setup(writer);
                TQtPrintCanvas canvas(writer, &writer,
                                      [&writer](const QString& title) { writer.setTitle(title); });
                print(canvas);
                canvas.EndDoc();
            }
            device.Check();
        });
    } catch (const EInOutError& error) {
        // Before the document began, the output could not be made: to the user the job
        // could not start.
        if (started) throw;
        throw EPrintError(std::string(msg::PrintJobFailed) + " " + error.what());
    }
}

}  // namespace tracklore::ui
