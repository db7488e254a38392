// The progress box (TProgressBox) as a model: a job text, three step lines of which the
// current one is bold, and a 0 to 100 bar. The shell redraws it when told of a change.
#pragma once

#include <array>
#include <functional>
#include <stdexcept>
#include <string>

namespace tracklore::ui {

/// A list index out of range, such as a progress step other than 1 to 3.
class EListError : public std::runtime_error {
public:
    explicit EListError(const std::string& message) : std::runtime_error(message) {}
};

class TProgressBox {
public:
    /// `changed` is called after every change so the front end redraws at once.
    explicit TProgressBox(std::function<void()> changed = {});

    void SetJob(const std::string& text);
    /// Step 1..3 shows "*  " and the text; any other step raises EListError
    /// "ProgressBox.Steps[] - Invalid Index".
    void SetStep(int step, const std::string& text);
    void SetProgress(int percent);
    /// Current step 0, bar 0, all steps regular, then NextStep.
    void ResetSteps();
    /// The current step (1..3) goes regular, the next one (1..3) bold.
    void NextStep();

    const std::string& JobDesc() const { return job_; }
    const std::string& Step(int step) const { return steps_[step - 1]; }  // 1..3
    bool StepBold(int step) const { return bold_[step - 1]; }             // 1..3
    int Progress() const { return progress_; }
    int CurrentStep() const { return current_; }
    void SetChanged(std::function<void()> changed) { changed_ = std::move(changed); }

private:
    std::function<void()> changed_;
    std::string job_;
    std::array<std::string, 3> steps_;
    std::array<bool, 3> bold_{};
    int progress_ = 0;
    int current_ = 0;
};

}  // namespace tracklore::ui
