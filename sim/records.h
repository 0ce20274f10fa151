// Every global record of the simulator is defined in records.cpp; each
// record's header lives with the subsystem that writes it, and readers
// include that header directly.
#pragma once

// Sets every record to zero, whole, as at program entry (the constants are not cleared).
void clear_records();
