#pragma once

#include "ZoneSource.h"

// A zone that always gives the same answer, UTC unless told otherwise, so
// that a test's texts do not depend on the machine's zone.
class FixedZoneSource final : public Brisvane::ZoneSource {
public:
    explicit FixedZoneSource(Brisvane::ZoneAnswer answer = {Brisvane::ZoneState::Standard, 0, 0, ""}) : answer_(answer)
    {
    }
    Brisvane::ZoneAnswer Query(std::chrono::system_clock::time_point) const override { return answer_; }

private:
    Brisvane::ZoneAnswer answer_;
};
