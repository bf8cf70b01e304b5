#pragma once
// The peak resident set size of this process so far (VmHWM), in KiB; 0 when unknown.

long PeakRssKiB();
