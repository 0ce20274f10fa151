// Failures: the once-a-second draws from the reliability settings and the
// health of the systems (engines running, oil and hydraulics).
#pragma once

void failures_sec();
// Closing the reliability windows repairs what had failed.
void repair_instruments();
void repair_equipment();
