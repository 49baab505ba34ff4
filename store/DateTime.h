#pragma once

// The current local date and time as days since 30 December 1899, the fraction being the time
// of day: the form in which table files keep their creation and change times.
double NowAsDayCount();
