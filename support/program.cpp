#include "support/program.h"

namespace mapwell {

std::wstring ProgramTitle;
std::wstring ImportExchange;

}  // namespace mapwell
