// The progress box model: its job text, step lines and bar, and the changes it reports.
#include "core/progress_box.h"

#include <algorithm>

#include "core/messages.h"

namespace tracklore::ui {

TProgressBox::TProgressBox(std::function<void()> changed) : changed_(std::move(changed)) {}

void TProgressBox::SetJob(const std::string& text) {
    job_ = text;
    if (changed_) changed_();
}

void TProgressBox::SetStep(int step, const std::string& text) {
    if (step < 1 || step > 3) throw EListError(msg::ProgressInvalidIndex);
    steps_[step - 1] = "*  " + text;
    if (changed_) changed_();
}

void TProgressBox::SetProgress(int percent) {
    // The bar cannot show more than its range; a caller's rounding must not break it.
    progress_ = std::clamp(percent, 0, 100);
    if (changed_) changed_();
}

void TProgressBox::ResetSteps() {
    current_ = 0;
    progress_ = 0;
    bold_.fill(false);
    NextStep();
}

void TProgressBox::NextStep() {
    if (current_ >= 1 && current_ <= 3) bold_[current_ - 1] = false;
    // Past the last step the count stays at 4, so further calls change nothing.
    if (current_ < 4) ++current_;
    if (current_ >= 1 && current_ <= 3) bold_[current_ - 1] = true;
    if (changed_) changed_();
}

}  // namespace tracklore::ui
