#include "render/view_options.h"

#include "app/program_state.h"

bool InPictureRange(long double Instant) { return Instant >= kRangeStart && Instant < kRangeEnd; }
