#pragma once
// What the tube tests share: a built-in tube by its row's name, and a
// self-biased stage's inputs.

#include <gtest/gtest.h>

#include <string>

#include "tube/stage.h"
#include "tube/tube_library.h"

namespace korvane::testing {

inline const Tube& Named(const std::string& name) {
    for (const Tube& t : BuiltInTubes()) {
        if (t.name == name) return t;
    }
    ADD_FAILURE() << "no built-in tube " << name;
    static const Tube none;
    return none;
}

inline StageInput SelfBias(double supply, double rb, double rk, double rcf) {
    StageInput in;
    in.supply = supply;
    in.plateLoad = rb;
    in.cathode = rk;
    in.followingGrid = rcf;
    return in;
}

}  // namespace korvane::testing
