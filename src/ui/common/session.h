#pragma once

// Ends the program at once: every window disappears, nothing is asked.
void endSession();
