#pragma once
// The recorded motion: single-axis moves in the order they were made, kept in a fixed array so
// that recording, playback and the movement files agree on every index.

#include <QtGlobal>
#include <array>
#include <optional>

// One recorded move: which servo channel, and the position it was set to.
struct Step {
    qint16 channel = 0;
    qint16 position = 0;
    friend bool operator==(const Step &, const Step &) = default;
};

// Index 0 is never used and index 1 is the placeholder slot that only movement files fill;
// recorded steps start at index 2. `step_count` is the index of the last step, so the buffer
// holds stepCount() - 1 steps. Entries above it are left over from earlier recordings and are
// never cleared, because a later save of a shorter recording must not depend on them.
class StepBuffer {
public:
    static constexpr int lastIndex = 12010;
    static constexpr int capacity = 12000;

    // Before the first REC or Open the count is unset; every comparison then treats it as 0,
    // so there is nothing to replay and nothing to save.
    int stepCount() const { return m_stepCount.value_or(0); }
    bool stepCountSet() const { return m_stepCount.has_value(); }
    // Clamped to 0..lastIndex so that no later loop bound can reach past the array.
    void setStepCount(int count);

    // Out-of-range indices read as a zero step and are never written.
    Step at(int index) const;
    bool put(int index, Step step);

    // Moves the count on by one and stores the step there. Refuses (and changes nothing) when
    // that would pass the last index; the capacity guard normally stops recording long before.
    [[nodiscard]] bool append(Step step);

    // The capacity guard's test: true once the step at index capacity + 1 has been written.
    bool full() const { return stepCount() > capacity; }

    // How many steps there are to replay (index 1 is not one of them).
    int steps() const { return stepCount() > 1 ? stepCount() - 1 : 0; }

    static bool validIndex(int index) { return index >= 0 && index <= lastIndex; }

private:
    std::array<Step, lastIndex + 1> m_steps{};
    std::optional<int> m_stepCount;
};
