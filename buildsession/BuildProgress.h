#pragma once

#include "OutputForms.h"

// The arithmetic of the build's progress bar, apart from any widget: a position in 0 to 100
// that advances by a step and wraps to 0 when it reaches the end, as the bar of the progress
// window shows it.
class BuildProgress {
public:
    static constexpr int kRangeEnd = 100;
    static constexpr int kDefaultStep = 10;
    // Where a printer target's build went, for its result box; any other value gives the text of
    // an unknown target.
    enum Output : int { kToSpooler = 0, kToFile = 1 };

    int position() const { return m_position; }
    int step() const { return m_step; }

    void setStep(int step) { m_step = step; }
    // Advances by one step; a position at or past the end of the range becomes 0. The position
    // never goes below 0.
    void stepIt();
    void resetPosition() { m_position = 0; }
    void fillBar() { m_position = kRangeEnd; }

    // The string id of the result box after a build: by target and, for a printer target, its
    // Output.
    static int resultTextId(qrl::build::BuildTarget target, int toFile);

private:
    int m_position = 0;
    int m_step = kDefaultStep;
};
