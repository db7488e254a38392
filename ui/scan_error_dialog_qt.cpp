// The "Errors during scan" dialog, listing the files a scan could not add.
#include <QDialog>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

#include "core/messages.h"
#include "ui/small_dialogs_qt.h"
#include "ui/window_sizes_qt.h"

namespace tracklore::ui {

void ShowScanErrorDialog(QWidget* parent, const std::vector<std::string>& lines) {
    QDialog dialog(parent);
    dialog.setObjectName("TScnErrorDlg");
    dialog.setWindowTitle(QString::fromUtf8(msg::ScanErrorsCaption));
    dialog.setSizeGripEnabled(true);

    auto* errors = new QPlainTextEdit(&dialog);
    errors->setObjectName("Errors");
    errors->setReadOnly(true);
    errors->setLineWrapMode(QPlainTextEdit::NoWrap);
    errors->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    errors->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QStringList text;
    text.reserve(static_cast<qsizetype>(lines.size()));
    for (const std::string& line : lines)
        text << QString::fromStdString(line);
    errors->setPlainText(text.join(QLatin1Char('\n')));

    auto* ok = new QPushButton(QString::fromUtf8(msg::OkButton), &dialog);
    ok->setObjectName("B_OK");
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);

    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(errors, 1);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    dialog.resize(560, 320);
    KeepSize(dialog, "ScanErrors");
    ok->setFocus();
    dialog.exec();
}

}  // namespace tracklore::ui
