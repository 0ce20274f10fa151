// Failures: the once-a-second draws from the reliability settings, the health
// of what still works (engines running, hydraulics, oil) and the punishment
// of overspeed. Flags live in rel (sim/flight/rel.h), 1 working, 0 failed.
#pragma once

// 1 when failure kind w fails in this one-second draw: by its own setting
// (fail now, or at random with its mean time) or, failing that, by the
// general chance rel.total_fail_entry.
int  failme(int w);
// Once a second: every kind that is fitted and still works gets its draw,
// then the health of engines, hydraulics and oil, and the overspeed checks.
void failures_sec();
// The name of failure kind w (0..29) as the reliability windows list it.
const char* failure_kind_name(int w);
// Closing the reliability windows repairs what had failed.
void repair_instruments();
void repair_equipment();
