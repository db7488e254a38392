// The progress box model: job text, step lines with the current one bold, and the bar.
#include "core/progress_box.h"

#include <gtest/gtest.h>

#include "tests/support/error_text.h"

namespace tracklore::ui {
namespace {

TEST(ProgressBox, ResetStepsMakesStepOneBoldAndZeroesTheBar) {
    TProgressBox box;
    box.SetProgress(70);
    box.NextStep();
    box.NextStep();
    box.ResetSteps();
    EXPECT_EQ(box.CurrentStep(), 1);
    EXPECT_EQ(box.Progress(), 0);
    EXPECT_TRUE(box.StepBold(1));
    EXPECT_FALSE(box.StepBold(2));
    EXPECT_FALSE(box.StepBold(3));
}

TEST(ProgressBox, BoldMovesDownAndLeavesAfterTheThirdStep) {
    TProgressBox box;
    box.ResetSteps();
    box.NextStep();
    EXPECT_FALSE(box.StepBold(1));
    EXPECT_TRUE(box.StepBold(2));
    box.NextStep();
    EXPECT_TRUE(box.StepBold(3));
    box.NextStep();
    EXPECT_FALSE(box.StepBold(1) || box.StepBold(2) || box.StepBold(3));
    EXPECT_EQ(box.CurrentStep(), 4);
    box.NextStep();  // nothing further to move
    EXPECT_EQ(box.CurrentStep(), 4);
    EXPECT_FALSE(box.StepBold(1) || box.StepBold(2) || box.StepBold(3));
}

TEST(ProgressBox, StepTextsCarryTheMarkAndJobIsPlain) {
    TProgressBox box;
    box.SetJob("Printing");
    box.SetStep(2, "Copying files");
    EXPECT_EQ(box.JobDesc(), "Printing");
    EXPECT_EQ(box.Step(2), "*  Copying files");
    EXPECT_EQ(box.Step(1), "");
}

TEST(ProgressBox, StepOutsideOneToThreeIsAListError) {
    TProgressBox box;
    for (int step : {0, 4, -1}) {
        EXPECT_EQ(test::ErrorOf<EListError>([&] { box.SetStep(step, "x"); }),
                  "ProgressBox.Steps[] - Invalid Index")
            << "step " << step;
    }
    EXPECT_EQ(box.Step(1), "");
}

TEST(ProgressBox, EveryChangeIsReportedForRedrawAndTheBarStaysInRange) {
    int changes = 0;
    TProgressBox box([&] { ++changes; });
    box.SetJob("j");
    box.SetStep(1, "s");
    box.SetProgress(150);
    EXPECT_EQ(box.Progress(), 100);
    box.SetProgress(-5);
    EXPECT_EQ(box.Progress(), 0);
    box.ResetSteps();
    EXPECT_EQ(changes, 5);
}

}  // namespace
}  // namespace tracklore::ui
