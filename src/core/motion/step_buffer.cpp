#include "core/motion/step_buffer.h"

#include <algorithm>

void StepBuffer::setStepCount(int count)
{
    m_stepCount = std::clamp(count, 0, lastIndex);
}

Step StepBuffer::at(int index) const
{
    return validIndex(index) ? m_steps[static_cast<std::size_t>(index)] : Step{};
}

bool StepBuffer::put(int index, Step step)
{
    if (!validIndex(index))
        return false;
    m_steps[static_cast<std::size_t>(index)] = step;
    return true;
}

bool StepBuffer::append(Step step)
{
    const int next = stepCount() + 1;
    if (next > lastIndex)
        return false;
    m_stepCount = next;
    m_steps[static_cast<std::size_t>(next)] = step;
    return true;
}
