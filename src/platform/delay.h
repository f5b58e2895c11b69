#pragma once

// Waits the given number of milliseconds while processing pending events, at least one pass even
// for 0. The pacing factor scales every wait: tests set it to 0 so that a build runs without
// sleeping yet still pumps events at each wait.
void Delay(int milliseconds);

void setDelayPacing(double factor);
double delayPacing();
