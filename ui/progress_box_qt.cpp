// The Qt progress box over its model, redrawn at once on every change.
#include "ui/progress_box_qt.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>
#include <algorithm>

#include "core/messages.h"
#include "core/progress_box.h"
#include "ui/dialog_util_qt.h"

namespace tracklore::ui {

namespace {

constexpr int kTextWidth = 320;

}  // namespace

TProgressBoxQt::TProgressBoxQt(QWidget* parent) : QDialog(parent, kNoButtonsDialogFlags) {
    setObjectName("TProgressBox");
    setWindowTitle(QString::fromUtf8(msg::ProgressCaption));
    setCursor(Qt::WaitCursor);

    jobDesc_ = new QLabel(this);
    jobDesc_->setObjectName("JobDesc");
    jobDesc_->setWordWrap(true);
    jobDesc_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Two lines high whatever the text, so a longer job text does not move the steps.
    jobDesc_->setFixedSize(kTextWidth, 2 * jobDesc_->fontMetrics().lineSpacing() + 2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(jobDesc_);
    for (int i = 0; i < 3; ++i) {
        steps_[i] = new QLabel(this);
        steps_[i]->setObjectName(QStringLiteral("Step%1").arg(i + 1));
        QFont bold = steps_[i]->font();
        bold.setBold(true);
        // Room for the bold face, so switching weight does not resize the box.
        steps_[i]->setFixedSize(kTextWidth, QFontMetrics(bold).height() + 2);
        layout->addWidget(steps_[i]);
    }
    bar_ = new QProgressBar(this);
    bar_->setObjectName("ProgressBar1");
    bar_->setRange(0, 100);
    bar_->setValue(0);
    bar_->setFixedWidth(kTextWidth);
    layout->addWidget(bar_);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    CenterOnScreen(this);
}

void TProgressBoxQt::Redraw(const TProgressBox& box) {
    jobDesc_->setText(QString::fromStdString(box.JobDesc()));
    for (int i = 0; i < 3; ++i) {
        steps_[i]->setText(QString::fromStdString(box.Step(i + 1)));
        QFont font = steps_[i]->font();
        if (font.bold() != box.StepBold(i + 1)) {
            font.setBold(box.StepBold(i + 1));
            steps_[i]->setFont(font);
        }
    }
    bar_->setValue(std::clamp(box.Progress(), 0, 100));
    // The work runs on the window thread, so nothing would be drawn until it ends: lay out
    // and paint now.
    QCoreApplication::sendPostedEvents(this, QEvent::LayoutRequest);
    if (isVisible()) repaint();
}

void TProgressBoxQt::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TProgressBoxQt::closeEvent(QCloseEvent* event) {
    if (event->spontaneous()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

}  // namespace tracklore::ui
