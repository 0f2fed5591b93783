#pragma once

#include <string_view>

namespace tc {

// What a stored action word says; any text other than the four words is
// Other.
enum class PunchAction : unsigned char { In, Change, Lunch, Out, Other };

// The action of a stored word: exact and case-sensitive after trimming
// spaces.
PunchAction punchActionOf(std::string_view word);

// An IN or a CHANGE leaves the employee at work until the next punch: the
// board shows yellow, the action screen offers Change Job, Lunch and Clock
// Out, and the time up to the next punch is worked time.
bool meansAtWork(PunchAction action);
bool meansAtWork(std::string_view word);

} // namespace tc
