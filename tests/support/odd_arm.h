#pragma once
// An arm unlike the stock one in every way the model reads: odd lengths, a table, narrow limits,
// joints turning either way at uneven rates. What holds for it holds for no accident of the
// defaults.

#include "core/arm/profile.h"

inline arm::Profile oddArm()
{
    arm::Profile p = arm::defaults();
    p.arm = {73.5, 121, 97.25, 55, 5.0};
    const auto joint = [](double at0, double at255, int min, int max) {
        arm::Joint j;
        j.at0 = at0, j.at255 = at255, j.min = min, j.max = max;
        return j;
    };
    p.joints[axes::Base] = joint(-100, 80, 10, 240);
    p.joints[axes::Shoulder] = joint(200, -10, 20, 230);
    p.joints[axes::Elbow] = joint(-150, 40, 5, 250);
    p.joints[axes::Wrist] = joint(95, -95, 30, 220);
    return p;
}
