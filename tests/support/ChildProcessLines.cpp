#include "tests/support/ChildProcess.h"

namespace ik::test {

std::optional<std::string> ChildProcess::readLine() {
    for (;;) {
        const auto end = pending_.find('\n');
        if (end != std::string::npos) {
            std::string line = pending_.substr(0, end);
            pending_.erase(0, end + 1);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            return line;
        }
        if (!readMore()) return std::nullopt;
    }
}

}  // namespace ik::test
