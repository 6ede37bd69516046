#pragma once

#include "core/forms/Form1.h"

#include <vector>

// The rig window's tuning as the maps reach it through Form1: each frequency asked for.
class CountingRadio final : public RadioTuning {
public:
    std::vector<float> tuned;
    void ChangeFrequency(float& qChangeFreq) override { tuned.push_back(qChangeFreq); }
};
