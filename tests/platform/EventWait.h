#pragma once
// How long a window test waits for an event before it calls the event missing: long enough for a
// fully loaded machine, since a wait ends as soon as its event comes.

inline constexpr int kEventLimitMs = 60000;
