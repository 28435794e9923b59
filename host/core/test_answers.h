// Answers a test can have the host give in place of its own, for results a module
// cannot otherwise be shown (a version date the host cannot read would need a module
// built with another date). Programs other than the tests never set one.
#pragma once

#include <optional>

namespace host {

// The date conversion's result in place of reading the date; std::nullopt reads it again.
void AnswerDate2Int(std::optional<int> answer);
std::optional<int> Date2IntAnswer();

} // namespace host
