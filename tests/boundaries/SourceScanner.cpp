#include "tests/boundaries/SourceScanner.h"

#include <cctype>
#include <regex>
#include <sstream>

namespace ik::test {

namespace {

struct Rule {
    std::string name;
    std::string hint;  // a word every match contains: most lines skip the regex
    std::regex pattern;
};

const std::vector<Rule>& rules() {
    // A call through an object (`player.time()`) is a member of ours, not the
    // C library's function.
    static const std::vector<Rule> all = {
        {"SDL header", "SDL", std::regex(R"(^\s*#\s*include\s*[<"](SDL2/)?SDL[^>"]*[>"])")},
        {"SDL_GetTicks", "SDL_GetTicks", std::regex(R"(\bSDL_GetTicks)")},
        {"rand", "rand", std::regex(R"((^|[^.>\w])(std::|::)?rand\s*\()")},
        {"srand", "srand", std::regex(R"((^|[^.>\w])(std::|::)?srand\s*\()")},
        {"time", "time", std::regex(R"((^|[^.>\w])(std::|::)?time\s*\()")},
        {"std::chrono clock", "_clock", std::regex(R"(\b(steady_clock|system_clock|high_resolution_clock)\b)")},
        {"clock_gettime", "time", std::regex(R"(\b(clock_gettime|gettimeofday)\s*\()")},
        {"random_device", "random_device", std::regex(R"(\brandom_device\b)")},
    };
    return all;
}

bool isIncludeLine(std::string_view source, size_t lineStart) {
    size_t i = lineStart;
    while (i < source.size() && (source[i] == ' ' || source[i] == '\t')) ++i;
    if (i >= source.size() || source[i] != '#') return false;
    ++i;
    while (i < source.size() && (source[i] == ' ' || source[i] == '\t')) ++i;
    return source.substr(i, 7) == "include";
}

bool isDigitSeparator(std::string_view source, size_t quote) {
    return quote > 0 && std::isxdigit(static_cast<unsigned char>(source[quote - 1])) != 0 &&
           quote + 1 < source.size() && std::isxdigit(static_cast<unsigned char>(source[quote + 1])) != 0;
}

}  // namespace

std::string codeOnly(std::string_view source) {
    std::string out(source);
    enum class State { Code, LineComment, BlockComment, String, Char } state = State::Code;
    bool includeLine = isIncludeLine(source, 0);
    for (size_t i = 0; i < source.size(); ++i) {
        const char c = source[i];
        const char next = i + 1 < source.size() ? source[i + 1] : '\0';
        if (c == '\n') {
            if (state == State::LineComment || state == State::String || state == State::Char) state = State::Code;
            includeLine = isIncludeLine(source, i + 1);
            continue;
        }
        switch (state) {
            case State::Code:
                if (c == '/' && next == '/') {
                    state = State::LineComment;
                    out[i] = ' ';
                } else if (c == '/' && next == '*') {
                    state = State::BlockComment;
                    out[i] = out[i + 1] = ' ';
                    ++i;
                } else if (c == '"' && !includeLine) {
                    state = State::String;
                } else if (c == '\'' && !isDigitSeparator(source, i)) {
                    state = State::Char;
                }
                break;
            case State::LineComment:
                out[i] = ' ';
                break;
            case State::BlockComment:
                out[i] = ' ';
                if (c == '*' && next == '/') {
                    out[i + 1] = ' ';
                    ++i;
                    state = State::Code;
                }
                break;
            case State::String:
            case State::Char:
                if (c == '\\' && next != '\n' && next != '\0') {
                    out[i] = out[i + 1] = ' ';
                    ++i;
                } else if ((state == State::String && c == '"') || (state == State::Char && c == '\'')) {
                    state = State::Code;
                } else {
                    out[i] = ' ';
                }
                break;
        }
    }
    return out;
}

std::vector<Violation> findViolations(std::string_view source) {
    std::vector<Violation> found;
    std::istringstream lines(codeOnly(source));
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        for (const Rule& rule : rules()) {
            if (line.find(rule.hint) != std::string::npos && std::regex_search(line, rule.pattern)) {
                found.push_back({number, rule.name});
            }
        }
    }
    return found;
}

}  // namespace ik::test
