#pragma once

// Whether a person can answer a question: standard input and standard error are both a
// terminal. Kept apart so that the platform's call stays in one place.
bool StandardStreamsAreTerminal();
