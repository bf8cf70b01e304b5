#pragma once
// The service manager that Start, Stop and the status display reach is chosen once per
// process, when the General page first needs it: systemd where a system bus answers, none
// otherwise; the unit is the one the configuration names. A backend installed later (a test's simulated manager) replaces the choice.

void SelectServiceBackendOnce();
