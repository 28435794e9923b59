#include "host/core/test_answers.h"

namespace host {
namespace {

std::optional<int> date2IntAnswer;

} // namespace

void AnswerDate2Int(std::optional<int> answer) { date2IntAnswer = answer; }

std::optional<int> Date2IntAnswer() { return date2IntAnswer; }

} // namespace host
